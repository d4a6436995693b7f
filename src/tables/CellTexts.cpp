#include "tables/CellTexts.h"

#include <cmath>
#include <ctime>
#include <optional>

#include "app/MessageIds.h"
#include "model/Units.h"
#include "platform/NumberFormat.h"
#include "tables/TextConventions.h"

namespace vantrel::tables {
namespace {

// Clock texts use 32-bit hour/minute arithmetic; larger times have no clock text.
constexpr double kLargestClockSeconds = 2147483647.0;

struct ClockParts {
  long long hours = 0;
  long long minutes = 0;
  double seconds = 0.0;
};

bool SplitClock(double t, ClockParts* parts) {
  if (!std::isfinite(t) || std::fabs(t) > kLargestClockSeconds) return false;
  const auto whole = static_cast<long long>(t);
  parts->hours = whole / 3600;
  const double rest = t - 3600.0 * static_cast<double>(parts->hours);
  parts->minutes = static_cast<long long>(rest) / 60;
  parts->seconds = rest - 60.0 * static_cast<double>(parts->minutes);
  return true;
}

std::u16string Concat(std::u16string a, const std::u16string& b) { return a.append(b); }

}  // namespace

std::u16string DefaultDateTimeText(platform::TimeStamp stamp) {
  const std::optional<std::tm> local = platform::LocalTimeOf(stamp);
  if (!local) return {};
  return platform::FormatC16("%02d.%02d.%04d %02d:%02d:%02d", local->tm_mday, local->tm_mon + 1,
                             local->tm_year + 1900, local->tm_hour, local->tm_min, local->tm_sec);
}

std::u16string FormatNumber(const char* format, double value, char decimalSeparator) {
  return platform::Widen(
      platform::WithDecimalSeparator(platform::FormatC(format, value), decimalSeparator));
}

std::u16string IntText(long long value) { return platform::FormatC16("%lld", value); }

std::u16string TableTimeText(double seconds, char decimalSeparator) {
  ClockParts parts;
  if (!SplitClock(seconds, &parts)) return kNoTimeText;
  std::string secondsText = platform::FormatC("%5.3f", parts.seconds);
  if (secondsText.size() == 5) {
    secondsText.insert(0, "0");
  } else if (secondsText.size() == 4) {
    secondsText.insert(0, "00");
  }
  return platform::Widen(platform::FormatC("%02lld:%02lld:", parts.hours, parts.minutes) +
                         platform::WithDecimalSeparator(secondsText, decimalSeparator));
}

std::u16string MarkerTimeText(double seconds, char decimalSeparator) {
  ClockParts parts;
  if (!SplitClock(seconds, &parts)) return kNoTimeText;
  return platform::Widen(
      platform::FormatC("%02lld:%02lld:", parts.hours, parts.minutes) +
      platform::WithDecimalSeparator(platform::FormatC("%06.3f", parts.seconds), decimalSeparator));
}

std::u16string ValueModeText(int valueMode, const platform::TextSource& texts) {
  switch (valueMode) {
    case model::kModeMinimum:
      return texts.Text(ids::kStrMinimum);
    case model::kModeMaximum:
      return texts.Text(ids::kStrMaximum);
    case model::kModeBar:
      return Concat(texts.Text(ids::kStrMinimum) + u"/", texts.Text(ids::kStrMaximum));
    case model::kModeValue:
      return texts.Text(ids::kStrValue);
    default:
      return texts.Text(ids::kStrMean);
  }
}

std::u16string SelectorText(int selector, const platform::TextSource& texts) {
  switch (selector) {
    case 0:
      return texts.Text(ids::kStrMinimum);
    case 1:
      return texts.Text(ids::kStrMaximum);
    case 4:
      return texts.Text(ids::kStrValue);
    default:
      return texts.Text(ids::kStrMean);
  }
}

double SelectedValue(const model::CValueObj& sample, int selector) {
  switch (selector) {
    case 0:
      return static_cast<double>(sample.minimum);
    case 1:
      return static_cast<double>(sample.maximum);
    case 4:
      return static_cast<double>(sample.value);
    default:
      return static_cast<double>(sample.minimum + sample.maximum) * 0.5;
  }
}

std::u16string CurveUnitText(const model::CKurveObj& curve, const platform::TextSource& texts) {
  return model::UnitName(curve.GetUnitCode(), curve.GetUnitText(), texts);
}

const model::CKurveObj* FindCurveByChannel(const model::CMessungObj& measurement, int channel) {
  const auto& curves = measurement.Curves();
  for (std::size_t i = 0; i < curves.size() && i < static_cast<std::size_t>(model::kMaxCurves);
       ++i) {
    if (curves[i]->GetChannelNumber() == channel) return curves[i].get();
  }
  return nullptr;
}

std::u16string TriggerModeText(const model::CKurveObj& curve, const platform::TextSource& texts) {
  if (curve.GetOrigin() == model::kOriginComputed) return {};
  const int mode = curve.GetTriggerMode();
  if (mode >= 1 && mode <= 4) return texts.Text(ids::kStrTriggerLevel + (mode - 1));
  return {};
}

bool HasEdgeText(const model::CKurveObj& curve) {
  const int mode = curve.GetTriggerMode();
  return mode == 1 || ((mode == 2 || mode == 3) && curve.GetTriggerInPercent() == 0);
}

std::u16string EdgeText(const model::CKurveObj& curve, int setId, int clearId,
                        const platform::TextSource& texts) {
  const bool set = curve.GetTriggerEdge() != 0;
  if (curve.GetTriggerMode() == 3)
    return texts.Text(set ? ids::kStrContactCloses : ids::kStrContactOpens);
  return texts.Text(set ? setId : clearId);
}

std::u16string TriggerLevelText(const model::CKurveObj& curve,
                                const model::CMessungObj& measurement,
                                const platform::TextSource& texts, char decimalSeparator) {
  const double level = static_cast<double>(curve.GetTriggerLevel());
  if (curve.GetTriggerInPercent() == 1)
    return FormatNumber("%-.0f", level, decimalSeparator) + u" %";
  const model::CKurveObj* source = FindCurveByChannel(measurement, curve.GetTriggerChannel());
  return FormatNumber("%-.3f ", level, decimalSeparator) +
         (source != nullptr ? CurveUnitText(*source, texts) : std::u16string(u"???"));
}

std::u16string PretriggerText(const model::CKurveObj& curve, char decimalSeparator) {
  const double pretrigger = static_cast<double>(curve.GetPretrigger());
  if (curve.GetTriggerInPercent() == 1) {
    return FormatNumber("%-.0f", pretrigger, decimalSeparator) + u" %";
  }
  return FormatNumber("%-.3f", pretrigger, decimalSeparator) + u" s";
}

std::u16string FilterCutoffText(float cutoffHz, char decimalSeparator) {
  if (cutoffHz == 0.0F) return {};
  const double hz = static_cast<double>(cutoffHz);
  return FormatNumber(hz >= 0.001 ? "%5.3f" : "%8.6f", hz, decimalSeparator) + u" Hz";
}

std::u16string DurationText(std::int32_t seconds) {
  long long span = seconds;
  std::u16string sign;
  if (span < 0) {
    sign = u"-";
    span = -span;
  }
  const long long s = span % 60;
  const long long m = span / 60 % 60;
  const long long h = span / 3600;
  if (span < 60) return sign + platform::FormatC16("%02lld s", s);
  if (span < 3600) return sign + platform::FormatC16("%02lld:%02lld min", m, s);
  return sign + platform::FormatC16("%02lld:%02lld:%02lld h", h, m, s);
}

}  // namespace vantrel::tables
