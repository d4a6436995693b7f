#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "FakeTexts.h"
#include "TempFolder.h"
#include "platform/Strings.h"
#include "settings/CUserSettings.h"

namespace vantrel::settings {
namespace {

/// A temporary profile folder; the process's current folder is restored afterwards.
class CUserSettingsTest : public ::testing::Test {
 protected:
  CUserSettingsTest() : startFolder_(std::filesystem::current_path()) {}
  ~CUserSettingsTest() override { std::filesystem::current_path(startFolder_); }

  std::filesystem::path ProfilePath() const { return folder_.Path() / "Maker" / "Prog.ini"; }
  static std::u16string U16(const std::filesystem::path& path) {
    return platform::FromUtf8(path.string());
  }
  static testing::FakeTexts Language(const char16_t* code) {
    testing::FakeTexts texts;
    texts.texts[kStrLanguageCode] = code;
    return texts;
  }

  testing::TempFolder folder_;
  std::filesystem::path startFolder_;
};

TEST_F(CUserSettingsTest, FirstStartTakesTheUnitsOfTheLanguageAndTheStartFolder) {
  const struct {
    const char16_t* language;
    UnitPreferences units;
  } cases[] = {{u"GER", {1, 4, 5, 8}},
               {u"FRA", {2, 4, 5, 8}},
               {u"ENG", {0, 3, 6, 7}},
               {u"ger", {0, 3, 6, 7}},
               {u"", {0, 3, 6, 7}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(platform::ToUtf8(c.language));
    const app::ProfileStore profile(ProfilePath());
    CUserSettings settings;
    settings.Load(profile, Language(c.language));
    EXPECT_EQ(settings.GetSpeedUnit(), c.units.speed);
    EXPECT_EQ(settings.GetPressureUnit(), c.units.pressure);
    EXPECT_EQ(settings.GetTemperatureUnit(), c.units.temperature);
    EXPECT_EQ(settings.GetFlowUnit(), c.units.flow);
    EXPECT_EQ(settings.GetScaleMode(), 0);
    EXPECT_EQ(settings.GetAxisGrouping(), 0);
    EXPECT_EQ(settings.GetWorkDir(), U16(startFolder_));
    EXPECT_EQ(std::filesystem::current_path(), startFolder_);
  }
}

TEST_F(CUserSettingsTest, StoredValuesWinAndUnitsOfTheWrongQuantityGiveTheDefault) {
  app::ProfileStore profile(ProfilePath());
  ASSERT_TRUE(
      profile.WriteProfileValues("Einstellungen", {{"Einteilung", 1},
                                                   {"Zusammenfassen", 2},
                                                   {"Drehzahl", 2},
                                                   {"Druck", 3},
                                                   {"Temperatur", 8},
                                                   {"Volumenstrom", std::u16string(u"abc")},
                                                   {"Arbeitsverzeichnis", U16(folder_.Path())}}));
  CUserSettings settings;
  settings.Load(profile, Language(u"GER"));
  EXPECT_EQ(settings.GetScaleMode(), 1);
  EXPECT_EQ(settings.GetAxisGrouping(), 2);
  EXPECT_EQ(settings.GetSpeedUnit(), 2);
  EXPECT_EQ(settings.GetPressureUnit(), 3);
  EXPECT_EQ(settings.GetTemperatureUnit(), 5);  // 8 is a flow unit
  EXPECT_EQ(settings.GetFlowUnit(), 8);
  EXPECT_EQ(settings.GetWorkDir(), U16(folder_.Path()));
  EXPECT_TRUE(std::filesystem::equivalent(std::filesystem::current_path(), folder_.Path()));
}

TEST_F(CUserSettingsTest, RecoveryIntervalOutsideItsRangeGivesTheDefault) {
  const struct {
    int stored;
    int expected;
  } cases[] = {{0, 0}, {1, 1}, {1440, 1440}, {1441, 5}, {-1, 5}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    app::ProfileStore profile(ProfilePath());
    ASSERT_TRUE(profile.WriteProfileInt("Einstellungen", "Wiederherstellungsintervall", c.stored));
    CUserSettings settings;
    settings.Load(profile, Language(u"GER"));
    EXPECT_EQ(settings.GetRecoveryInterval(), c.expected);
  }
}

TEST_F(CUserSettingsTest, AnEmptyStoredFolderKeepsTheStartFolder) {
  app::ProfileStore profile(ProfilePath());
  ASSERT_TRUE(profile.WriteProfileString("Einstellungen", "Arbeitsverzeichnis", u""));
  CUserSettings settings;
  settings.Load(profile, Language(u"GER"));
  EXPECT_EQ(settings.GetWorkDir(), U16(startFolder_));
}

TEST_F(CUserSettingsTest, SetWorkDirDropsOneTrailingSeparatorButKeepsTheRoot) {
  const std::u16string base = U16(folder_.Path());
  const struct {
    std::u16string path;
    std::u16string stored;
  } cases[] = {{base, base},
               {base + u"/", base},
               {base + u"\\", base},
               {base + u"//", base + u"/"},
               {u"/", u"/"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(platform::ToUtf8(c.path));
    CUserSettings settings;
    EXPECT_TRUE(settings.SetWorkDir(c.path));
    EXPECT_EQ(settings.GetWorkDir(), c.stored);
    EXPECT_TRUE(
        std::filesystem::equivalent(std::filesystem::current_path(), platform::ToUtf8(c.stored)));
  }
}

TEST_F(CUserSettingsTest, AFolderThatCannotBeMadeCurrentIsStillStored) {
  CUserSettings settings;
  EXPECT_FALSE(settings.SetWorkDir(U16(folder_.Path() / "missing") + u"/"));
  EXPECT_EQ(settings.GetWorkDir(), U16(folder_.Path() / "missing"));
  EXPECT_EQ(std::filesystem::current_path(), startFolder_);
}

TEST_F(CUserSettingsTest, SavedSettingsAreLoadedAgain) {
  app::ProfileStore profile(ProfilePath());
  CUserSettings saved;
  saved.Load(profile, Language(u"GER"));
  ASSERT_TRUE(saved.SetWorkDir(U16(folder_.Path())));
  saved.SetScaleMode(1);
  saved.SetAxisGrouping(1);
  saved.SetPressureUnit(3);
  saved.SetSpeedUnit(0);
  ASSERT_TRUE(saved.SaveGeneral(profile)) << profile.LastError();
  ASSERT_TRUE(saved.SaveUnits(profile)) << profile.LastError();

  std::filesystem::current_path(startFolder_);
  CUserSettings loaded;
  loaded.Load(app::ProfileStore(ProfilePath()), Language(u"FRA"));
  EXPECT_EQ(loaded.GetWorkDir(), U16(folder_.Path()));
  EXPECT_EQ(loaded.GetScaleMode(), 1);
  EXPECT_EQ(loaded.GetAxisGrouping(), 1);
  EXPECT_EQ(loaded.GetSpeedUnit(), 0);
  EXPECT_EQ(loaded.GetPressureUnit(), 3);
  EXPECT_EQ(loaded.GetTemperatureUnit(), 5);
  EXPECT_EQ(loaded.GetFlowUnit(), 8);
}

TEST_F(CUserSettingsTest, SavingIntoAProfileThatCannotBeWrittenIsReported) {
  std::filesystem::create_directories(ProfilePath());  // a folder where the file should be
  app::ProfileStore profile(ProfilePath());
  CUserSettings settings;
  settings.Load(profile, Language(u"GER"));
  EXPECT_FALSE(settings.SaveGeneral(profile));
  EXPECT_FALSE(settings.SaveUnits(profile));
  EXPECT_FALSE(profile.LastError().empty());
}

/// A measurement with one curve per code holding the given sample, and one axis per code
/// running from `min` to `max`.
std::unique_ptr<model::CMessungObj> Measurement(const std::vector<int>& codes, float sample,
                                                float min, float max) {
  auto measurement = std::make_unique<model::CMessungObj>();
  for (int code : codes) {
    model::CKurveObj* curve = measurement->AddCurve();
    curve->SetUnit(code, u"kPa");
    curve->AddSample(sample, sample, sample);
    model::CAchse* axis = measurement->AddYAxis();
    axis->SetUnit(code, u"kPa");
    axis->SetMin(min);
    axis->SetMax(max);
  }
  return measurement;
}

UnitPreferences Preferences(const CUserSettings& s) {
  return {s.GetSpeedUnit(), s.GetPressureUnit(), s.GetTemperatureUnit(), s.GetFlowUnit()};
}

CUserSettings WithUnits(UnitPreferences units) {
  CUserSettings settings;
  settings.SetSpeedUnit(units.speed);
  settings.SetPressureUnit(units.pressure);
  settings.SetTemperatureUnit(units.temperature);
  settings.SetFlowUnit(units.flow);
  return settings;
}

TEST(UnitPreferences, ConvertCurvesAndAxesOncePerQuantityInSinglePrecision) {
  const struct {
    const char* name;
    UnitPreferences units;
    int codeBefore;
    float before;
    int codeAfter;
    float after;
  } cases[] = {
      {"bar to PSI", {1, 3, 5, 8}, 4, 1.0F, 3, 14.513789F},
      {"PSI to bar", {1, 4, 5, 8}, 3, 14.513789F, 4, 1.0F},
      {"Celsius to Fahrenheit", {1, 4, 6, 8}, 5, 100.0F, 6, 212.0F},
      {"Fahrenheit to Celsius", {1, 4, 5, 8}, 6, 212.0F, 5, 180.0F * 0.5555556F},
      {"l/min to GPM", {1, 4, 5, 7}, 8, 10.0F, 7, 10.0F * 0.26417288F},
      {"GPM to l/min", {1, 4, 5, 8}, 7, 10.0F, 8, 10.0F * 3.7854F},
      {"speed relabelled only", {2, 4, 5, 8}, 0, 1500.0F, 2, 1500.0F},
      {"preferred unit unchanged", {1, 3, 6, 7}, 3, 2.5F, 3, 2.5F},
      {"free text never converted", {1, 3, 6, 7}, 9, 2.5F, 9, 2.5F},
      {"speed preference outside the speed codes", {7, 4, 5, 8}, 1, 3.0F, 1, 3.0F},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto measurement = Measurement({c.codeBefore}, c.before, 0.0F, c.before);
    WithUnits(c.units).ApplyUnitPreferences(*measurement);
    const model::CKurveObj& curve = *measurement->GetCurve(0);
    EXPECT_EQ(curve.GetUnitCode(), c.codeAfter);
    EXPECT_EQ(curve.GetSample(0)->value, c.after);
    EXPECT_EQ(curve.GetSample(0)->minimum, c.after);
    EXPECT_EQ(curve.GetSample(0)->maximum, c.after);
    const model::CAchse& axis = *measurement->GetYAxis(0);
    EXPECT_EQ(axis.RawUnitCode(), c.codeAfter);
    EXPECT_EQ(axis.RawMax(), c.after);
  }
}

TEST(UnitPreferences, BarToPsiAndBackGivesTheSameValue) {
  auto measurement = Measurement({4}, 1.0F, 0.0F, 10.0F);
  WithUnits({1, 3, 5, 8}).ApplyUnitPreferences(*measurement);
  EXPECT_EQ(measurement->GetCurve(0)->GetSample(0)->value, 14.513789F);
  WithUnits({1, 4, 5, 8}).ApplyUnitPreferences(*measurement);
  EXPECT_EQ(measurement->GetCurve(0)->GetSample(0)->value, 1.0F);
  EXPECT_EQ(measurement->GetCurve(0)->GetUnitCode(), 4);
}

TEST(UnitPreferences, CelsiusAxisFrom0To100RunsFrom32To212) {
  auto measurement = Measurement({5}, 20.0F, 0.0F, 100.0F);
  WithUnits({0, 3, 6, 7}).ApplyUnitPreferences(*measurement);
  const model::CAchse& axis = *measurement->GetYAxis(0);
  EXPECT_EQ(axis.RawUnitCode(), 6);
  EXPECT_EQ(axis.RawMin(), 32.0F);
  EXPECT_EQ(axis.RawMax(), 212.0F);
  EXPECT_EQ(measurement->GetCurve(0)->GetSample(0)->value, 68.0F);
}

TEST(UnitPreferences, EveryCurveAndAxisOfAMixedMeasurementIsVisited) {
  auto measurement = Measurement({0, 4, 5, 8, 9, 4}, 1.0F, 0.0F, 1.0F);
  const CUserSettings settings = WithUnits({1, 3, 6, 7});
  settings.ApplyUnitPreferences(*measurement);
  const int expected[] = {1, 3, 6, 7, 9, 3};
  for (int i = 0; i < measurement->GetCurveCount(); ++i) {
    EXPECT_EQ(measurement->GetCurve(i)->GetUnitCode(), expected[i]) << i;
    EXPECT_EQ(measurement->GetYAxis(i)->RawUnitCode(), expected[i]) << i;
  }
  EXPECT_EQ(measurement->GetCurve(4)->GetUnitText(), u"kPa");
  // Applying the same preferences again changes nothing.
  settings.ApplyUnitPreferences(*measurement);
  EXPECT_EQ(measurement->GetCurve(1)->GetSample(0)->value, 14.513789F);
  EXPECT_EQ(Preferences(settings).pressure, 3);
}

}  // namespace
}  // namespace vantrel::settings
