// The chart setup dialog driven through its widgets: the time range converted between
// hours, minutes and seconds, a curve as x source, the refused x unit text (61449) and
// ranges, the own time unit kept, the curve and axis lists with their swatches, the curve
// and axis dialogs opened from them, a new axis, and Cancel leaving the measurement as it
// was.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QHeaderView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest/QTest>

#include "MeasurementBuilder.h"
#include "app/MessageIds.h"
#include "gui/GuiTestSupport.h"
#include "gui/ModalScript.h"
#include "gui/WidgetInput.h"
#include "gui/chart/dialogs/CAxisDlg.h"
#include "gui/chart/dialogs/CChartSetupDlg.h"
#include "gui/chart/dialogs/CCurvePropertiesDlg.h"

namespace vantrel::testing {
namespace {

using gui::CChartSetupDlg;

class ChartSetupDialogTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    m_ = ChartMeasurement(2);
  }
  std::unique_ptr<CChartSetupDlg> Open() {
    auto dialog = std::make_unique<CChartSetupDlg>(*m_, Texts(), Context().messages, '.', &Frame());
    dialog->show();
    return dialog;
  }
  static QLineEdit& Edit(QWidget& d, int id) { return *Control<QLineEdit>(d, id); }
  static QComboBox& Combo(QWidget& d, int id) { return *Control<QComboBox>(d, id); }
  static QString Shown(QWidget& d, int id) { return Edit(d, id).text(); }
  static void Ok(QWidget& d) { Control<QPushButton>(d, 1)->click(); }
  static void SelectRow(QTreeWidget& list, int row) {
    const QRect cell = list.visualItemRect(list.topLevelItem(row));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
  }

  std::unique_ptr<model::CMessungObj> m_;
};

TEST_F(ChartSetupDialogTest, TimeRangeFollowsTheUnitFromHoursToSecondsAndIsStoredInSeconds) {
  m_->GetXAxis().SetMax(7200.0F);
  m_->GetXAxis().SetUnit(model::kTimeHours, {});
  auto dialog = Open();
  EXPECT_EQ(Combo(*dialog, CChartSetupDlg::kSourceList).currentText(), QStringLiteral("Zeit"));
  EXPECT_EQ(Combo(*dialog, CChartSetupDlg::kUnitCombo).currentText(), QStringLiteral("h"));
  EXPECT_EQ(Shown(*dialog, CChartSetupDlg::kMinimumEdit), QStringLiteral("0"));
  EXPECT_EQ(Shown(*dialog, CChartSetupDlg::kMaximumEdit), QStringLiteral("2"));
  SaveShot(*dialog, QStringLiteral("chart_setup"));
  ChooseEntry(Combo(*dialog, CChartSetupDlg::kUnitCombo), model::kTimeMinutes);
  EXPECT_EQ(Shown(*dialog, CChartSetupDlg::kMaximumEdit), QStringLiteral("120"));
  ChooseEntry(Combo(*dialog, CChartSetupDlg::kUnitCombo), model::kTimeSeconds);
  EXPECT_EQ(Shown(*dialog, CChartSetupDlg::kMinimumEdit), QStringLiteral("0"));
  EXPECT_EQ(Shown(*dialog, CChartSetupDlg::kMaximumEdit), QStringLiteral("7200"));
  ChooseEntry(Combo(*dialog, CChartSetupDlg::kUnitCombo), model::kTimeHours);
  Retype(Edit(*dialog, CChartSetupDlg::kMinimumEdit), QStringLiteral("0.5"));
  Ok(*dialog);
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  const model::CXAchse& x = m_->GetXAxis();
  EXPECT_EQ(x.GetXYMode(), 0);
  EXPECT_FLOAT_EQ(x.GetMin(), 1800.0F);
  EXPECT_FLOAT_EQ(x.GetMax(), 7200.0F);
  EXPECT_EQ(x.GetTimeUnit(), model::kTimeHours);
}

TEST_F(ChartSetupDialogTest, CurveAsXSourceShowsItsUnitAndPeakAndPutsTheAxisIntoCurveMode) {
  m_->GetCurve(1)->SetUnit(model::kUnitLPerMin, {});
  auto dialog = Open();
  ASSERT_EQ(Combo(*dialog, CChartSetupDlg::kSourceList).count(), 3);
  EXPECT_EQ(Combo(*dialog, CChartSetupDlg::kSourceList).itemText(2), QStringLiteral("I2"));
  ChooseEntry(Combo(*dialog, CChartSetupDlg::kSourceList), 2);
  QComboBox& unit = Combo(*dialog, CChartSetupDlg::kUnitCombo);
  EXPECT_EQ(unit.count(), 9);
  EXPECT_EQ(unit.currentText(), QStringLiteral("l/min"));
  EXPECT_EQ(Shown(*dialog, CChartSetupDlg::kMinimumEdit), QStringLiteral("0"));
  EXPECT_EQ(Shown(*dialog, CChartSetupDlg::kMaximumEdit), QStringLiteral("121"));
  Ok(*dialog);
  const model::CXAchse& x = m_->GetXAxis();
  EXPECT_EQ(x.GetXYMode(), 1);
  EXPECT_EQ(x.GetXCurveIndex(), 1);
  EXPECT_FLOAT_EQ(x.GetMax(), 121.0F);
  EXPECT_EQ(x.RawUnitCode(), model::kUnitLPerMin);
  EXPECT_FLOAT_EQ(x.RawMax(), 10.0F);  // the time range stays
}

TEST_F(ChartSetupDialogTest, ChoosingTheShownSourceOrUnitAgainOverwritesNothing) {
  auto dialog = Open();
  QComboBox& source = Combo(*dialog, CChartSetupDlg::kSourceList);
  QComboBox& unit = Combo(*dialog, CChartSetupDlg::kUnitCombo);
  QSignalSpy picked(&source, &QComboBox::activated);
  ChooseEntry(source, 2);
  EXPECT_EQ(Shown(*dialog, CChartSetupDlg::kMaximumEdit), QStringLiteral("121"));
  Retype(Edit(*dialog, CChartSetupDlg::kMaximumEdit), QStringLiteral("50"));
  ChooseShownEntryAgain(source);
  EXPECT_EQ(picked.count(), 3);  // two steps with the arrow key, then the same entry again
  EXPECT_EQ(source.currentIndex(), 2);
  EXPECT_EQ(Shown(*dialog, CChartSetupDlg::kMaximumEdit), QStringLiteral("50"));
  // The time axis: the shown unit chosen again keeps the typed range.
  ChooseEntry(source, 0);
  Retype(Edit(*dialog, CChartSetupDlg::kMaximumEdit), QStringLiteral("7"));
  ChooseShownEntryAgain(unit);
  EXPECT_EQ(Shown(*dialog, CChartSetupDlg::kMaximumEdit), QStringLiteral("7"));
  ChooseShownEntryAgain(source);
  EXPECT_EQ(Shown(*dialog, CChartSetupDlg::kMaximumEdit), QStringLiteral("7"));
}

TEST_F(ChartSetupDialogTest, CancelAfterChoosingTimeLeavesTheCurveModeAndTheRange) {
  model::CXAchse& x = m_->GetXAxis();
  x.SetXYMode(1, 0);
  x.SetMax(21.0F);
  auto dialog = Open();
  EXPECT_EQ(Combo(*dialog, CChartSetupDlg::kSourceList).currentIndex(), 1);
  ChooseEntry(Combo(*dialog, CChartSetupDlg::kSourceList), 0);
  EXPECT_EQ(Combo(*dialog, CChartSetupDlg::kUnitCombo).currentText(), QStringLiteral("s"));
  EXPECT_EQ(Shown(*dialog, CChartSetupDlg::kMaximumEdit), QStringLiteral("10"));
  QTest::keyClick(dialog.get(), Qt::Key_Escape);
  EXPECT_EQ(dialog->result(), QDialog::Rejected);
  EXPECT_EQ(x.GetXCurveIndex(), 0);
  EXPECT_FLOAT_EQ(x.GetMax(), 21.0F);
  EXPECT_FALSE(dialog->MeasurementChanged());
}

TEST_F(ChartSetupDialogTest, RefusesLongUnitTextsAndFieldsOutOfRangeWithoutChangingAnything) {
  struct Case {
    int field;  // 0: the unit text
    const char* text;
    QString message;
  };
  const auto range = [](int low, int high) {
    return QStringLiteral("Bitte geben Sie eine ganze Zahl zwischen %1 und %2 ein.")
        .arg(low)
        .arg(high);
  };
  const Case cases[] = {{0, "Millisekund", Text(ids::kMsgUnitTooLong)},
                        {CChartSetupDlg::kDivisionsEdit, "21", range(1, 20)},
                        {CChartSetupDlg::kDivisionsEdit, "0", range(1, 20)},
                        {CChartSetupDlg::kColumnsEdit, "101", range(1, 100)},
                        {CChartSetupDlg::kRowsEdit, "0", range(1, 100)},
                        {CChartSetupDlg::kMaximumEdit, "zehn", Text(ids::kMsgNotANumber)}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    auto dialog = Open();
    Retype(Edit(*dialog, CChartSetupDlg::kMinimumEdit), QStringLiteral("1"));
    if (c.field == 0) {
      Retype(*Combo(*dialog, CChartSetupDlg::kUnitCombo).lineEdit(), QString::fromLatin1(c.text));
    } else {
      Retype(Edit(*dialog, c.field), QString::fromLatin1(c.text));
    }
    QString shown;
    ModalScript script;
    script.ThenMessage(&shown);
    Ok(*dialog);
    EXPECT_EQ(shown, c.message);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FLOAT_EQ(m_->GetXAxis().GetMin(), 0.0F);
    EXPECT_EQ(m_->GetXAxis().GetTimeUnit(), model::kTimeSeconds);
    int columns = 0;
    m_->GetGrid(&columns, nullptr);
    EXPECT_EQ(columns, 4);
  }
}

TEST_F(ChartSetupDialogTest, KeepsTheOwnTextOfTheTimeUnitAndTakesATypedOne) {
  m_->GetXAxis().SetUnit(model::kTimeCustom, u"Takte");
  {
    auto dialog = Open();
    QComboBox& unit = Combo(*dialog, CChartSetupDlg::kUnitCombo);
    ASSERT_EQ(unit.count(), 4);
    EXPECT_EQ(unit.currentText(), QStringLiteral("Takte"));
    Ok(*dialog);
    EXPECT_EQ(m_->GetXAxis().GetTimeUnit(), model::kTimeCustom);
    EXPECT_EQ(m_->GetXAxis().RawUnitText(), u"Takte");
  }
  auto dialog = Open();
  Retype(*Combo(*dialog, CChartSetupDlg::kUnitCombo).lineEdit(), QStringLiteral("Zyklen"));
  Ok(*dialog);
  EXPECT_EQ(m_->GetXAxis().GetTimeUnit(), model::kTimeCustom);
  EXPECT_EQ(m_->GetXAxis().RawUnitText(), u"Zyklen");
}

TEST_F(ChartSetupDialogTest, WritesGridAndConnectedPointsOnOk) {
  auto dialog = Open();
  QTest::mouseClick(Control<QCheckBox>(*dialog, CChartSetupDlg::kGridCheck), Qt::LeftButton);
  QTest::mouseClick(Control<QCheckBox>(*dialog, CChartSetupDlg::kDrawLinesCheck), Qt::LeftButton);
  Retype(Edit(*dialog, CChartSetupDlg::kColumnsEdit), QStringLiteral("10"));
  Retype(Edit(*dialog, CChartSetupDlg::kRowsEdit), QStringLiteral("100"));
  Retype(Edit(*dialog, CChartSetupDlg::kDivisionsEdit), QStringLiteral("20"));
  Ok(*dialog);
  EXPECT_EQ(m_->IsGridVisible(), 0);
  int columns = 0;
  int rows = 0;
  m_->GetGrid(&columns, &rows);
  EXPECT_EQ(columns, 10);
  EXPECT_EQ(rows, 100);
  EXPECT_EQ(m_->GetXAxis().GetDrawLines(), 0);
  EXPECT_EQ(m_->GetXAxis().GetDivisions(), 20);
}

TEST_F(ChartSetupDialogTest, ListsCurvesAndAxesWithTheirSwatches) {
  m_->AddYAxis()->SetUnit(model::kUnitCustom, u"Nm");  // an axis without curves
  m_->GetCurve(1)->SetAxisIndex(0);
  m_->GetCurve(1)->SetVisible(0);
  m_->GetCurve(1)->SetYOffset(1.5F);
  auto dialog = Open();
  QTreeWidget& curves = dialog->CurveList();
  ASSERT_EQ(curves.topLevelItemCount(), 2);
  ASSERT_EQ(curves.columnCount(), 8);
  EXPECT_EQ(curves.headerItem()->text(7), QStringLiteral("Achse"));
  const QStringList row = {QStringLiteral("2"),     QStringLiteral("Kanal 2"),
                           QStringLiteral("nein"),  QStringLiteral("Mittelwert"),
                           QStringLiteral("0.000"), QStringLiteral("1.500"),
                           QStringLiteral("2"),     QStringLiteral("1")};
  for (int c = 0; c < 8; ++c) EXPECT_EQ(curves.topLevelItem(1)->text(c), row[c]) << c;
  QTreeWidget& axes = dialog->AxisList();
  ASSERT_EQ(axes.topLevelItemCount(), 3);
  EXPECT_EQ(axes.topLevelItem(0)->text(1), QStringLiteral("bar"));
  EXPECT_EQ(axes.topLevelItem(0)->text(3), QStringLiteral("100.000"));
  EXPECT_EQ(axes.topLevelItem(2)->text(1), QStringLiteral("Nm"));
  // Axis 1 carries both curves: red on the left half, blue on the right.
  const QImage striped = axes.topLevelItem(0)->icon(0).pixmap(20, 10).toImage();
  EXPECT_EQ(striped.pixelColor(9, 5), QColor(255, 0, 0));
  EXPECT_EQ(striped.pixelColor(10, 5), QColor(0, 0, 255));
  // Axes without curves cannot be edited.
  auto* axisButton = Control<QPushButton>(*dialog, CChartSetupDlg::kAxisButton);
  SelectRow(axes, 0);
  EXPECT_TRUE(axisButton->isEnabled());
  SelectRow(axes, 1);
  EXPECT_FALSE(axisButton->isEnabled());
  // The program's texts are read in full: every column but the curve names is at least as
  // wide as its texts (axis 3's maximum is the largest float).
  for (QTreeWidget* list : {&curves, &axes}) {
    for (int item = 0; item < list->topLevelItemCount(); ++item) {
      for (int column = 0; column < list->columnCount(); ++column) {
        if (list == &curves && column == 1) continue;
        const QString text = list->topLevelItem(item)->text(column);
        SCOPED_TRACE(text.toStdString());
        EXPECT_GT(list->columnWidth(column), list->fontMetrics().horizontalAdvance(text));
      }
    }
  }
  SaveShot(*dialog, QStringLiteral("chart_setup_lists"));
}

TEST_F(ChartSetupDialogTest, CurveAndAxisDialogsChangeTheMeasurementAndRefillTheLists) {
  auto dialog = Open();
  ModalScript script;
  script.Then([](QWidget& widget) {
    if (qobject_cast<gui::CCurvePropertiesDlg*>(&widget) == nullptr) return false;
    SaveShot(widget, QStringLiteral("curve_properties_from_setup"));
    Retype(Edit(widget, gui::CCurvePropertiesDlg::kNameEdit), QStringLiteral("Saugseite"));
    ClickLater(widget, 1);
    return true;
  });
  SelectRow(dialog->CurveList(), 1);
  const QRect cell = dialog->CurveList().visualItemRect(dialog->CurveList().topLevelItem(1));
  QTest::mouseDClick(dialog->CurveList().viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
  EXPECT_EQ(script.Pending(), 0U);
  EXPECT_EQ(m_->GetCurve(1)->GetName(), u"Saugseite");
  EXPECT_EQ(dialog->CurveList().topLevelItem(1)->text(1), QStringLiteral("Saugseite"));
  EXPECT_TRUE(dialog->MeasurementChanged());

  script.Then([](QWidget& widget) {
    if (qobject_cast<gui::CAxisDlg*>(&widget) == nullptr) return false;
    Retype(Edit(widget, gui::CAxisDlg::kMaximumEdit), QStringLiteral("250"));
    ClickLater(widget, 1);
    return true;
  });
  SelectRow(dialog->AxisList(), 1);
  Control<QPushButton>(*dialog, CChartSetupDlg::kAxisButton)->click();
  EXPECT_EQ(script.Pending(), 0U);
  EXPECT_FLOAT_EQ(m_->GetYAxis(1)->GetMax(), 250.0F);
  EXPECT_EQ(dialog->AxisList().topLevelItem(1)->text(3), QStringLiteral("250.000"));
}

TEST_F(ChartSetupDialogTest, NewAxisIsAppendedOnlyWhenItsDialogIsConfirmed) {
  auto dialog = Open();
  auto* newAxis = Control<QPushButton>(*dialog, CChartSetupDlg::kNewAxisButton);
  ModalScript script;
  script.Then([](QWidget& widget) {
    if (qobject_cast<gui::CAxisDlg*>(&widget) == nullptr) return false;
    ClickLater(widget, 2);
    return true;
  });
  newAxis->click();
  EXPECT_EQ(m_->GetYAxisCount(), 2);
  EXPECT_FALSE(dialog->MeasurementChanged());

  script.Then([](QWidget& widget) {
    if (qobject_cast<gui::CAxisDlg*>(&widget) == nullptr) return false;
    EXPECT_EQ(Control<QComboBox>(widget, gui::CAxisDlg::kUnitCombo)->currentText(),
              QStringLiteral("bar"));
    EXPECT_EQ(Edit(widget, gui::CAxisDlg::kDivisionsEdit).text(), QStringLiteral("4"));
    Retype(Edit(widget, gui::CAxisDlg::kMaximumEdit), QStringLiteral("5"));
    ClickLater(widget, 1);
    return true;
  });
  newAxis->click();
  EXPECT_EQ(script.Pending(), 0U);
  ASSERT_EQ(m_->GetYAxisCount(), 3);
  const model::CAchse& added = *m_->GetYAxis(2);
  EXPECT_FLOAT_EQ(added.GetMin(), 0.0F);
  EXPECT_FLOAT_EQ(added.GetMax(), 5.0F);
  EXPECT_EQ(added.GetDivisions(), 4);
  EXPECT_EQ(added.RawUnitCode(), model::kUnitBar);
  EXPECT_EQ(dialog->AxisList().topLevelItemCount(), 3);
  EXPECT_TRUE(dialog->MeasurementChanged());
}

}  // namespace
}  // namespace vantrel::testing
