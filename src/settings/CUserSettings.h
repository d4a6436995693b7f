// The user settings store: working folder, axis layout options and the preferred unit of
// each measured quantity, kept in the profile section "Einstellungen"; and the conversion
// of a measurement's curves and axes into the preferred units. The dialogs that edit the
// settings live elsewhere.
#pragma once

#include <string>
#include <string_view>

#include "app/MessageIds.h"
#include "app/ProfileStore.h"
#include "model/CMessungObj.h"
#include "platform/TextSource.h"

namespace vantrel::settings {

/// The language string that names the language ("GER", "FRA", ...).
using ids::kStrLanguageCode;

/// Profile section and keys of the user settings.
constexpr std::string_view kSettingsSection = "Einstellungen";
constexpr std::string_view kWorkDirKey = "Arbeitsverzeichnis";
constexpr std::string_view kScaleModeKey = "Einteilung";
/// Minutes between recovery copies of changed documents; 0 switches them off.
constexpr std::string_view kRecoveryIntervalKey = "Wiederherstellungsintervall";
constexpr int kDefaultRecoveryInterval = 5;
constexpr int kMaxRecoveryInterval = 1440;
constexpr std::string_view kAxisGroupingKey = "Zusammenfassen";
constexpr std::string_view kSpeedUnitKey = "Drehzahl";
constexpr std::string_view kPressureUnitKey = "Druck";
constexpr std::string_view kTemperatureUnitKey = "Temperatur";
constexpr std::string_view kFlowUnitKey = "Volumenstrom";

/// Preferred unit codes of speed, pressure, temperature and flow.
struct UnitPreferences {
  int speed = 0;
  int pressure = 3;
  int temperature = 6;
  int flow = 7;
};

class CUserSettings {
 public:
  /// The default units of a language: "GER" 1,4,5,8; "FRA" 2,4,5,8; any other 0,3,6,7.
  static UnitPreferences DefaultUnits(std::u16string_view languageCode);

  /// Reads every setting from `profile`; missing values (and unit codes that do not belong
  /// to their quantity) give the defaults, the units those of the language in string 32964
  /// of `texts`. The working folder defaults to the current folder and is made current; when
  /// the current folder cannot be read it stays empty and the folder is not changed.
  void Load(const app::ProfileStore& profile, const platform::TextSource& texts);
  /// Writes "Einteilung", "Zusammenfassen", "Arbeitsverzeichnis" and
  /// "Wiederherstellungsintervall" in one step; false when
  /// the profile cannot be written (profile.LastError() says why).
  bool SaveGeneral(app::ProfileStore& profile) const;
  /// Writes "Drehzahl", "Druck", "Temperatur" and "Volumenstrom" in one step.
  bool SaveUnits(app::ProfileStore& profile) const;

  /// Stores `path` as working folder without one trailing "/" or "\" (the root "/" stays)
  /// and makes it the current folder; false when that failed (the text is kept anyway).
  bool SetWorkDir(const std::u16string& path);
  const std::u16string& GetWorkDir() const { return workDir_; }

  int GetScaleMode() const { return scaleMode_; }
  void SetScaleMode(int mode) { scaleMode_ = mode; }
  int GetAxisGrouping() const { return axisGrouping_; }
  void SetAxisGrouping(int grouping) { axisGrouping_ = grouping; }
  /// Minutes between recovery copies (0..kMaxRecoveryInterval, 0 = off).
  int GetRecoveryInterval() const { return recoveryInterval_; }
  void SetRecoveryInterval(int minutes) { recoveryInterval_ = minutes; }
  int GetSpeedUnit() const { return speedUnit_; }
  void SetSpeedUnit(int code) { speedUnit_ = code; }
  int GetPressureUnit() const { return pressureUnit_; }
  void SetPressureUnit(int code) { pressureUnit_ = code; }
  int GetTemperatureUnit() const { return temperatureUnit_; }
  void SetTemperatureUnit(int code) { temperatureUnit_ = code; }
  int GetFlowUnit() const { return flowUnit_; }
  void SetFlowUnit(int code) { flowUnit_ = code; }

  /// Converts every curve (samples and unit code) and then every y axis (range and unit
  /// code) of `measurement` into the preferred units, at most once per quantity. Speed codes
  /// are only relabelled; unit code 9 is never touched.
  void ApplyUnitPreferences(model::CMessungObj& measurement) const;

 private:
  std::u16string workDir_;
  int scaleMode_ = 0;
  int axisGrouping_ = 0;
  int recoveryInterval_ = kDefaultRecoveryInterval;
  int speedUnit_ = 0;
  int pressureUnit_ = 0;
  int temperatureUnit_ = 0;
  int flowUnit_ = 0;
};

}  // namespace vantrel::settings
