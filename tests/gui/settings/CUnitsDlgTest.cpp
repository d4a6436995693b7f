// The unit preferences dialog driven through its radio buttons: the stored units shown, the
// conversion of the chart's measurement and the profile on OK, unchanged confirmation,
// Cancel, a profile that cannot be written, and the chart command with the modified flag.
#include <gtest/gtest.h>

#include <QLocale>
#include <QRadioButton>
#include <QtTest/QTest>

#include "MeasurementBuilder.h"
#include "app/ProfileStore.h"
#include "gui/GuiTestSupport.h"
#include "gui/ModalScript.h"
#include "gui/WidgetInput.h"
#include "gui/app/CMainFrame.h"
#include "gui/settings/CUnitsDlg.h"
#include "gui/settings/SettingsCommands.h"
#include "platform/FileErrors.h"

namespace vantrel::testing {
namespace {

namespace fs = std::filesystem;
using gui::CUnitsDlg;

class UnitsDialogTest : public AppTest {
 protected:
  settings::CUserSettings& Settings() { return Frame().Context().settings; }

  /// A measurement with a bar curve (1.0) on a bar axis 0..10, a speed curve in RPM (50) and
  /// a temperature curve in degrees Celsius (100).
  static std::unique_ptr<model::CMessungObj> Mixed() {
    auto m = std::make_unique<model::CMessungObj>();
    m->SetName(u"Mixed", 1);
    AddCurve(*m, {{1.0F, 1.0F, 1.0F}}, 0.01, 4);
    m->GetYAxis(0)->SetMin(0.0F);
    m->GetYAxis(0)->SetMax(10.0F);
    AddCurve(*m, {{50.0F, 50.0F, 50.0F}}, 0.01, 0);
    AddCurve(*m, {{100.0F, 100.0F, 100.0F}}, 0.01, 5);
    return m;
  }
  /// Opens the dialog with the chart command; `drive` answers it.
  gui::OpenDocument* RunCommand(const std::function<void(CUnitsDlg&)>& drive,
                                bool messageFollows = false) {
    gui::OpenDocument* document = Frame().Documents().AddMeasurement(Mixed());
    ModalScript script;
    script.Then([&drive](QWidget& widget) {
      auto* dialog = qobject_cast<CUnitsDlg*>(&widget);
      if (dialog == nullptr) return false;
      drive(*dialog);
      return true;
    });
    if (messageFollows) script.ThenMessage();
    Frame().ExecuteCommand(gui::kCmdUnits);
    EXPECT_EQ(script.Pending(), 0U);
    messages_ = script.Messages();
    return document;
  }
  static void Check(QWidget& dialog, int id) {
    // On the round indicator: a radio button reacts only to clicks on indicator and label.
    QRadioButton* button = Control<QRadioButton>(dialog, id);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
  }

  QStringList messages_;
};

TEST_F(UnitsDialogTest, ShowsTheLanguageDefaultUnitsOfAFirstStart) {
  auto m = Mixed();
  CUnitsDlg dialog(Frame().Context(), *m, &Frame());
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Einheiten"));
  // German defaults: U/min, bar, degrees Celsius, l/min, each the second button.
  for (int id : {1202, 1205, 1207, 1209}) {
    EXPECT_TRUE(Control<QRadioButton>(dialog, id)->isChecked()) << id;
  }
  for (int id : {1002, 1203, 1006, 1003, 1009}) {
    EXPECT_FALSE(Control<QRadioButton>(dialog, id)->isChecked()) << id;
  }
  SaveShot(dialog, QStringLiteral("units_dialog"));
}

TEST_F(UnitsDialogTest, RadioIndicesMapToTheUnitCodesOfTheirQuantity) {
  struct Case {
    int (*code)(int);
    int (*index)(int);
    std::array<int, 3> codes;  // codes of index 0, 1, 2
  };
  for (const Case& c : {Case{CUnitsDlg::SpeedCode, CUnitsDlg::SpeedIndex, {0, 1, 2}},
                        Case{CUnitsDlg::PressureCode, CUnitsDlg::PressureIndex, {3, 4, 4}},
                        Case{CUnitsDlg::TemperatureCode, CUnitsDlg::TemperatureIndex, {6, 5, 5}},
                        Case{CUnitsDlg::FlowCode, CUnitsDlg::FlowIndex, {7, 8, 8}}}) {
    for (int index = 0; index < 3; ++index) EXPECT_EQ(c.code(index), c.codes[index]);
    EXPECT_EQ(c.code(-1), c.codes[2]);  // any other index
    EXPECT_EQ(c.index(c.codes[0]), 0);
    EXPECT_EQ(c.code(c.index(c.codes[1])), c.codes[1]);
  }
}

TEST_F(UnitsDialogTest, SwitchingPressureToPsiConvertsBarCurvesAndAxesAndStoresIt) {
  gui::OpenDocument* document = RunCommand([](CUnitsDlg& dialog) {
    Check(dialog, CUnitsDlg::kPressureGroup);
    ClickLater(dialog, 1);
  });
  const model::CMessungObj& m = *document->Measurement();
  EXPECT_EQ(m.GetCurve(0)->GetUnitCode(), 3);
  EXPECT_FLOAT_EQ(m.GetCurve(0)->GetSample(0)->value, 14.513789F);
  EXPECT_EQ(m.GetYAxis(0)->GetUnit(nullptr), 3);
  EXPECT_FLOAT_EQ(m.GetYAxis(0)->GetMax(), 145.13789F);
  // The other quantities were already preferred or are only relabelled.
  EXPECT_EQ(m.GetCurve(1)->GetUnitCode(), 1);
  EXPECT_FLOAT_EQ(m.GetCurve(1)->GetSample(0)->value, 50.0F);
  EXPECT_FLOAT_EQ(m.GetCurve(2)->GetSample(0)->value, 100.0F);
  EXPECT_EQ(Settings().GetPressureUnit(), 3);
  app::ProfileStore disk(folder_.Path() / "profile.ini");
  EXPECT_EQ(disk.GetProfileInt(settings::kSettingsSection, settings::kPressureUnitKey, -1), 3);
  EXPECT_EQ(disk.GetProfileInt(settings::kSettingsSection, settings::kSpeedUnitKey, -1), 1);
  EXPECT_TRUE(document->Doc().IsModified());
}

TEST_F(UnitsDialogTest, TemperatureInFahrenheitConvertsTheAxisRange) {
  gui::OpenDocument* document = RunCommand([](CUnitsDlg& dialog) {
    Check(dialog, CUnitsDlg::kTemperatureGroup);
    ClickLater(dialog, 1);
  });
  const model::CMessungObj& m = *document->Measurement();
  EXPECT_EQ(m.GetCurve(2)->GetUnitCode(), 6);
  EXPECT_FLOAT_EQ(m.GetCurve(2)->GetSample(0)->value, 212.0F);
  EXPECT_EQ(Settings().GetTemperatureUnit(), 6);
}

TEST_F(UnitsDialogTest, CancelLeavesMeasurementSettingsAndDocumentUntouched) {
  gui::OpenDocument* document = RunCommand([](CUnitsDlg& dialog) {
    Check(dialog, CUnitsDlg::kPressureGroup);
    ClickLater(dialog, 2);
  });
  EXPECT_EQ(document->Measurement()->GetCurve(0)->GetUnitCode(), 4);
  EXPECT_EQ(document->Measurement()->GetCurve(1)->GetUnitCode(), 0);
  EXPECT_EQ(Settings().GetPressureUnit(), 4);
  EXPECT_FALSE(document->Doc().IsModified());
  EXPECT_FALSE(app::ProfileStore(folder_.Path() / "profile.ini")
                   .HasValue(settings::kSettingsSection, settings::kPressureUnitKey));
}

TEST_F(UnitsDialogTest, AProfileThatCannotBeWrittenIsReportedAndTheMeasurementStillConverted) {
  fs::remove(folder_.Path() / "profile.ini");
  fs::create_directories(folder_.Path() / "profile.ini");
  gui::OpenDocument* document = RunCommand(
      [](CUnitsDlg& dialog) {
        Check(dialog, 1203);  // tr/min
        ClickLater(dialog, 1);
      },
      true);
  ASSERT_EQ(messages_.size(), 1);
  // The message names the profile's file and the cause.
  EXPECT_EQ(messages_.front(),
            gui::ToQString(Frame().Context().texts.Text(platform::kMsgFileIsFolder))
                .replace(QStringLiteral("%1"),
                         QString::fromStdString((folder_.Path() / "profile.ini").string())));
  EXPECT_EQ(document->Measurement()->GetCurve(1)->GetUnitCode(), 2);
  EXPECT_EQ(Settings().GetSpeedUnit(), 2);
}

TEST_F(UnitsDialogTest, ChartCommandDoesNothingWhileTheMeasurementIsRecorded) {
  gui::OpenDocument* document = Frame().Documents().AddMeasurement(Mixed());
  document->Measurement()->SetOnlineActive(1);
  ModalScript script;
  script.Then([](QWidget& widget) {
    if (auto* dialog = qobject_cast<QDialog*>(&widget)) dialog->reject();
    return true;
  });
  Frame().ExecuteCommand(gui::kCmdUnits);
  EXPECT_EQ(script.Pending(), 1U);
  EXPECT_FALSE(document->Doc().IsModified());
  document->Measurement()->SetOnlineActive(0);
}

}  // namespace
}  // namespace vantrel::testing
