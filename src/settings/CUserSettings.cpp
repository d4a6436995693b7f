// The user settings store and the unit conversion of measurements; see CUserSettings.h.
#include "settings/CUserSettings.h"

#include <array>
#include <filesystem>
#include <new>
#include <system_error>

#include "model/Units.h"
#include "platform/Strings.h"

namespace vantrel::settings {
namespace {

using model::kUnitBar;
using model::kUnitCelsius;
using model::kUnitFahrenheit;
using model::kUnitGpm;
using model::kUnitLPerMin;
using model::kUnitPsi;
using model::kUnitRpm;
using model::kUnitTrPerMin;

// The conversion factors are single-precision constants and every step computes in single
// precision, so stored values match those of earlier versions bit for bit.
constexpr float kBarToPsi = 14.513789F;
constexpr float kPsiToBar = 0.0689F;
constexpr float kCelsiusToFahrenheitFactor = 1.8F;
constexpr float kFahrenheitOffset = 32.0F;
constexpr float kFahrenheitToCelsiusFactor = 0.5555556F;
constexpr float kLPerMinToGpm = 0.26417288F;
constexpr float kGpmToLPerMin = 3.7854F;

float BarToPsi(float x) { return x * kBarToPsi; }
float PsiToBar(float x) { return x * kPsiToBar; }
float CelsiusToFahrenheit(float x) { return x * kCelsiusToFahrenheitFactor + kFahrenheitOffset; }
float FahrenheitToCelsius(float x) { return (x - kFahrenheitOffset) * kFahrenheitToCelsiusFactor; }
float LPerMinToGpm(float x) { return x * kLPerMinToGpm; }
float GpmToLPerMin(float x) { return x * kGpmToLPerMin; }

using Conversion = float (*)(float);

/// What the rules do to one unit code: the final code and the value conversions in order.
struct Plan {
  int code = 0;
  std::array<Conversion, 3> steps{};
  std::size_t count = 0;

  void Add(Conversion step, int newCode) {
    steps[count++] = step;
    code = newCode;
  }
  float Apply(float x) const {
    for (std::size_t i = 0; i < count; ++i) x = steps[i](x);
    return x;
  }
};

bool IsSpeed(int code) { return code >= kUnitRpm && code <= kUnitTrPerMin; }

std::filesystem::path ToPath(const std::u16string& text) {
  return std::filesystem::path(platform::ToUtf8(text));
}

/// The stored unit code when it belongs to the quantity [low, high], else the default.
int UnitInRange(const app::ProfileStore& profile, std::string_view key, int low, int high,
                int fallback) {
  const int code = profile.GetProfileInt(kSettingsSection, key, fallback);
  return (code >= low && code <= high) ? code : fallback;
}

}  // namespace

UnitPreferences CUserSettings::DefaultUnits(std::u16string_view languageCode) {
  if (languageCode == u"GER") return UnitPreferences{1, 4, 5, 8};
  if (languageCode == u"FRA") return UnitPreferences{2, 4, 5, 8};
  return UnitPreferences{0, 3, 6, 7};
}

void CUserSettings::Load(const app::ProfileStore& profile, const platform::TextSource& texts) {
  scaleMode_ = profile.GetProfileInt(kSettingsSection, kScaleModeKey, 0);
  axisGrouping_ = profile.GetProfileInt(kSettingsSection, kAxisGroupingKey, 0);
  recoveryInterval_ =
      profile.GetProfileInt(kSettingsSection, kRecoveryIntervalKey, kDefaultRecoveryInterval);
  if (recoveryInterval_ < 0 || recoveryInterval_ > kMaxRecoveryInterval) {
    recoveryInterval_ = kDefaultRecoveryInterval;
  }

  const UnitPreferences defaults = DefaultUnits(texts.Text(kStrLanguageCode));
  speedUnit_ = UnitInRange(profile, kSpeedUnitKey, kUnitRpm, kUnitTrPerMin, defaults.speed);
  pressureUnit_ = UnitInRange(profile, kPressureUnitKey, kUnitPsi, kUnitBar, defaults.pressure);
  temperatureUnit_ = UnitInRange(profile, kTemperatureUnitKey, kUnitCelsius, kUnitFahrenheit,
                                 defaults.temperature);
  flowUnit_ = UnitInRange(profile, kFlowUnitKey, kUnitGpm, kUnitLPerMin, defaults.flow);

  try {
    std::error_code ec;
    const std::filesystem::path current = std::filesystem::current_path(ec);
    if (ec) return;
    workDir_ = platform::FromUtf8(current.string());
    // An empty stored folder would put default file names into the root folder.
    std::u16string stored = profile.GetProfileString(kSettingsSection, kWorkDirKey, workDir_);
    if (!stored.empty()) workDir_ = std::move(stored);
    std::filesystem::current_path(ToPath(workDir_), ec);
  } catch (const std::bad_alloc&) {
    // Running out of memory here leaves the folder as far as it got.
  }
}

bool CUserSettings::SaveGeneral(app::ProfileStore& profile) const {
  return profile.WriteProfileValues(kSettingsSection,
                                    {{std::string(kScaleModeKey), scaleMode_},
                                     {std::string(kAxisGroupingKey), axisGrouping_},
                                     {std::string(kWorkDirKey), workDir_},
                                     {std::string(kRecoveryIntervalKey), recoveryInterval_}});
}

bool CUserSettings::SaveUnits(app::ProfileStore& profile) const {
  return profile.WriteProfileValues(kSettingsSection,
                                    {{std::string(kSpeedUnitKey), speedUnit_},
                                     {std::string(kPressureUnitKey), pressureUnit_},
                                     {std::string(kTemperatureUnitKey), temperatureUnit_},
                                     {std::string(kFlowUnitKey), flowUnit_}});
}

bool CUserSettings::SetWorkDir(const std::u16string& path) {
  workDir_ = path;
  const bool trailingSeparator =
      !workDir_.empty() && (workDir_.back() == u'/' || workDir_.back() == u'\\');
  if (trailingSeparator && workDir_ != u"/") workDir_.pop_back();
  std::error_code ec;
  std::filesystem::current_path(ToPath(workDir_), ec);
  return !ec;
}

void CUserSettings::ApplyUnitPreferences(model::CMessungObj& measurement) const {
  // The rules run one after the other on the current code, so each quantity converts at
  // most once; a speed preference outside the speed codes relabels nothing.
  const auto plan = [this](int code) {
    Plan result;
    result.code = code;
    if (IsSpeed(result.code) && IsSpeed(speedUnit_)) result.code = speedUnit_;
    if (pressureUnit_ == kUnitPsi && result.code == kUnitBar) {
      result.Add(BarToPsi, kUnitPsi);
    } else if (pressureUnit_ == kUnitBar && result.code == kUnitPsi) {
      result.Add(PsiToBar, kUnitBar);
    }
    if (temperatureUnit_ == kUnitFahrenheit && result.code == kUnitCelsius) {
      result.Add(CelsiusToFahrenheit, kUnitFahrenheit);
    } else if (temperatureUnit_ == kUnitCelsius && result.code == kUnitFahrenheit) {
      result.Add(FahrenheitToCelsius, kUnitCelsius);
    }
    if (flowUnit_ == kUnitGpm && result.code == kUnitLPerMin) {
      result.Add(LPerMinToGpm, kUnitGpm);
    } else if (flowUnit_ == kUnitLPerMin && result.code == kUnitGpm) {
      result.Add(GpmToLPerMin, kUnitLPerMin);
    }
    return result;
  };

  for (const auto& curve : measurement.Curves()) {
    const Plan curvePlan = plan(curve->GetUnitCode());
    if (curvePlan.code == curve->GetUnitCode()) continue;
    for (model::CValueObj& sample : curve->MutableSamples()) {
      sample.minimum = curvePlan.Apply(sample.minimum);
      sample.maximum = curvePlan.Apply(sample.maximum);
      sample.value = curvePlan.Apply(sample.value);
    }
    curve->SetUnit(curvePlan.code, {});
  }
  for (const auto& axis : measurement.YAxes()) {
    const Plan axisPlan = plan(axis->RawUnitCode());
    if (axisPlan.code == axis->RawUnitCode()) continue;
    axis->SetMin(axisPlan.Apply(axis->RawMin()));
    axis->SetMax(axisPlan.Apply(axis->RawMax()));
    axis->SetUnit(axisPlan.code, {});
  }
}

}  // namespace vantrel::settings
