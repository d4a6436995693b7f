// The chart commands through the main frame with an active document: chart setup marks the
// document modified on OK and when a curve dialog changed it before Cancel, never on a plain
// Cancel; markers leave it unmarked; the filter works on the first chosen curve and marks
// the document only when confirmed.
#include <gtest/gtest.h>

#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QtTest/QTest>

#include "MeasurementBuilder.h"
#include "gui/GuiTestSupport.h"
#include "gui/ModalScript.h"
#include "gui/WidgetInput.h"
#include "gui/chart/dialogs/CChartSetupDlg.h"
#include "gui/chart/dialogs/CCurvePropertiesDlg.h"
#include "gui/chart/dialogs/CFilterDlg.h"
#include "gui/chart/dialogs/CMarkerDlg.h"
#include "gui/chart/dialogs/ChartDialogs.h"
#include "gui/tables/CurveSelectionDialog.h"

namespace vantrel::testing {
namespace {

class ChartCommandsTest : public AppTest {
 protected:
  gui::OpenDocument& Open() {
    gui::OpenDocument* document = Frame().Documents().AddMeasurement(ChartMeasurement(2));
    EXPECT_NE(document, nullptr);
    EXPECT_EQ(Frame().Documents().ActiveDocument(), document);
    EXPECT_FALSE(document->Doc().IsModified());
    return *document;
  }
};

TEST_F(ChartCommandsTest, ChartSetupMarksTheDocumentOnOkAndLeavesItOnCancel) {
  struct Case {
    const char* name;
    int button;      // closes the setup dialog
    bool editCurve;  // a curve dialog confirmed before
    bool modified;
  };
  const Case cases[] = {{"ok", 1, false, true},
                        {"cancel", 2, false, false},
                        {"cancel after a curve change", 2, true, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    gui::OpenDocument& document = Open();
    ModalScript script;
    script.Then([&c](QWidget& widget) {
      auto* setup = qobject_cast<gui::CChartSetupDlg*>(&widget);
      if (setup == nullptr) return false;
      if (c.editCurve) {
        setup->CurveList().setCurrentItem(setup->CurveList().topLevelItem(0));
        QTimer::singleShot(0, setup, [setup] { setup->EditSelectedCurve(); });
      }
      ClickLater(widget, c.button);
      return true;
    });
    if (c.editCurve) {
      script.Then([](QWidget& widget) {
        if (qobject_cast<gui::CCurvePropertiesDlg*>(&widget) == nullptr) return false;
        Retype(*Control<QLineEdit>(widget, gui::CCurvePropertiesDlg::kYOffsetEdit),
               QStringLiteral("3"));
        ClickLater(widget, 1);
        return true;
      });
    }
    Frame().ExecuteCommand(gui::kCmdChartSetup);
    EXPECT_EQ(script.Pending(), 0U);
    EXPECT_EQ(document.Doc().IsModified(), c.modified);
    EXPECT_FLOAT_EQ(document.Measurement()->GetCurve(0)->GetYOffset(), c.editCurve ? 3.0F : 0.0F);
  }
}

TEST_F(ChartCommandsTest, MarkersShowWhileTheDialogIsOpenAndLeaveTheDocumentUnmarked) {
  gui::OpenDocument& document = Open();
  double shownA = -1.0;
  ModalScript script;
  script.Then([&](QWidget& widget) {
    if (qobject_cast<gui::CMarkerDlg*>(&widget) == nullptr) return false;
    shownA = document.Measurement()->GetCursorA();
    if (QMdiSubWindow* chart = Frame().WorkArea().activeSubWindow(); chart != nullptr) {
      SaveShot(*chart, QStringLiteral("chart_with_markers"));
    }
    ClickLater(widget, 2);
    return true;
  });
  Frame().ExecuteCommand(gui::kCmdChartMarkers);
  EXPECT_EQ(script.Pending(), 0U);
  EXPECT_DOUBLE_EQ(shownA, 6.0 / 20.0);
  EXPECT_EQ(document.Measurement()->GetCursorA(), -1.0);
  EXPECT_FALSE(document.Doc().IsModified());
}

TEST_F(ChartCommandsTest, FilterWorksOnTheFirstChosenCurveAndMarksTheDocumentOnOk) {
  for (const int button : {1, 2}) {
    SCOPED_TRACE(button);
    gui::OpenDocument& document = Open();
    const float before = document.Measurement()->GetCurve(1)->Samples()[3].maximum;
    ModalScript script;
    script.Then([](QWidget& widget) {
      auto* selection = qobject_cast<gui::CurveSelectionDialog*>(&widget);
      if (selection == nullptr) return false;
      selection->List().selectRow(1);
      QTimer::singleShot(0, selection, &QDialog::accept);
      return true;
    });
    script.Then([this, button](QWidget& widget) {
      auto* filter = qobject_cast<gui::CFilterDlg*>(&widget);
      if (filter == nullptr) return false;
      filter->Lower();
      if (QMdiSubWindow* chart = Frame().WorkArea().activeSubWindow(); chart != nullptr) {
        SaveShot(*chart, QStringLiteral("chart_with_filter_preview"));
      }
      ClickLater(widget, button);
      return true;
    });
    Frame().ExecuteCommand(gui::kCmdChartFilterCurve);
    EXPECT_EQ(script.Pending(), 0U);
    const model::CKurveObj& curve = *document.Measurement()->GetCurve(1);
    EXPECT_EQ(document.Doc().IsModified(), button == 1);
    EXPECT_FLOAT_EQ(curve.GetFilterCutoff(), button == 1 ? 1.0F : 0.0F);
    EXPECT_EQ(curve.Samples()[3].maximum != before, button == 1);
    EXPECT_FLOAT_EQ(document.Measurement()->GetCurve(0)->GetFilterCutoff(), 0.0F);
  }
}

TEST_F(ChartCommandsTest, CommandsWithoutADocumentDoNothing) {
  ModalScript script;
  script.Then([](QWidget& widget) {
    if (auto* dialog = qobject_cast<QDialog*>(&widget))
      QTimer::singleShot(0, dialog, &QDialog::reject);
    return true;
  });
  for (const int command : {gui::kCmdChartSetup, gui::kCmdChartMarkers, gui::kCmdChartFilterCurve,
                            gui::kCmdImportCurve}) {
    Frame().ExecuteCommand(command);
  }
  EXPECT_EQ(script.Pending(), 1U);
}

TEST_F(ChartCommandsTest, CurveImportDoesNothingWhileTheMeasurementIsRecorded) {
  gui::OpenDocument& document = Open();
  document.Measurement()->SetOnlineActive(1);
  const int curves = document.Measurement()->GetCurveCount();
  ModalScript script;
  script.Then([](QWidget& widget) {
    if (auto* dialog = qobject_cast<QDialog*>(&widget))
      QTimer::singleShot(0, dialog, &QDialog::reject);
    return true;
  });
  Frame().ExecuteCommand(gui::kCmdImportCurve);
  EXPECT_EQ(script.Pending(), 1U);  // no dialog opened
  EXPECT_EQ(document.Measurement()->GetCurveCount(), curves);
  EXPECT_FALSE(document.Doc().IsModified());
  document.Measurement()->SetOnlineActive(0);
}

}  // namespace
}  // namespace vantrel::testing
