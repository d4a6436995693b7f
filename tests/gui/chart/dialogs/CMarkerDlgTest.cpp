// The marker dialog driven through its scroll bar and radio buttons: start positions and
// marker times, values at A and B and their difference, markers placed in the measurement
// and the document's windows refreshed without marking it, paging below 40 steps, two rows
// of a min/max curve, intervals, spans and step counts of 0, and the markers removed when
// the dialog closes.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QSignalSpy>
#include <QtTest/QTest>

#include "MeasurementBuilder.h"
#include "gui/GuiTestSupport.h"
#include "gui/ModalScript.h"
#include "gui/WidgetInput.h"
#include "gui/chart/dialogs/CMarkerDlg.h"

namespace vantrel::testing {
namespace {

using gui::CMarkerDlg;

class MarkerDialogTest : public AppTest {
 protected:
  gui::OpenDocument& Document(std::unique_ptr<model::CMessungObj> m) {
    gui::OpenDocument* document = Frame().Documents().AddMeasurement(std::move(m));
    EXPECT_NE(document, nullptr);
    return *document;
  }
  static QString Cell(CMarkerDlg& d, int row, int column) {
    return d.ValueList().topLevelItem(row)->text(column);
  }
  static void Press(CMarkerDlg& d, Qt::Key key, int times = 1) {
    for (int i = 0; i < times; ++i) QTest::keyClick(&d.ScrollBar(), key);
  }
};

TEST_F(MarkerDialogTest, StartsAtAThirdAndTwoThirdsWithTheMarkerTimesAndValues) {
  gui::OpenDocument& document = Document(ChartMeasurement(1));
  model::CMessungObj& m = *document.Measurement();
  QSignalSpy refreshed(&document, &gui::OpenDocument::TitleChanged);
  CMarkerDlg dialog(document, Texts(), '.', &Frame());
  dialog.show();
  EXPECT_EQ(dialog.StepCount(), 20);
  EXPECT_EQ(dialog.PositionA(), 6);
  EXPECT_EQ(dialog.PositionB(), 13);
  EXPECT_EQ(dialog.ScrollBar().value(), 6);
  EXPECT_DOUBLE_EQ(m.GetCursorA(), 6.0 / 20.0);
  EXPECT_DOUBLE_EQ(m.GetCursorB(), 13.0 / 20.0);
  EXPECT_GE(refreshed.count(), 1);
  EXPECT_EQ(Cell(dialog, 0, 1), QStringLiteral("Zeit"));
  EXPECT_EQ(Cell(dialog, 0, 3), QStringLiteral("00:00:03.000"));
  EXPECT_EQ(Cell(dialog, 0, 4), QStringLiteral("00:00:06.500"));
  EXPECT_EQ(Cell(dialog, 0, 5), QStringLiteral("00:00:03.500"));
  // Curve row: the mean of sample 6 (6..7) and of sample 13 (13..14).
  EXPECT_EQ(Cell(dialog, 1, 0), QStringLiteral("1"));
  EXPECT_EQ(Cell(dialog, 1, 1), QStringLiteral("Kanal 1"));
  EXPECT_EQ(Cell(dialog, 1, 2), QStringLiteral("Mittelwert"));
  EXPECT_EQ(Cell(dialog, 1, 3), QStringLiteral("6.500"));
  EXPECT_EQ(Cell(dialog, 1, 4), QStringLiteral("13.500"));
  EXPECT_EQ(Cell(dialog, 1, 5), QStringLiteral("-7.000"));
  EXPECT_EQ(dialog.ValueList().iconSize(), QSize(20, 10));
  SaveShot(dialog, QStringLiteral("markers"));
}

TEST_F(MarkerDialogTest, MovingBLeftOfAGivesAPositiveTimeAndTheValueOfAMinusB) {
  gui::OpenDocument& document = Document(ChartMeasurement(1));
  model::CMessungObj& m = *document.Measurement();
  CMarkerDlg dialog(document, Texts(), '.', &Frame());
  dialog.show();
  QTest::mouseClick(Control<QAbstractButton>(dialog, CMarkerDlg::kMarkerB), Qt::LeftButton);
  EXPECT_EQ(dialog.ScrollBar().value(), 13);
  QSignalSpy refreshed(&document, &gui::OpenDocument::TitleChanged);
  for (int step = 1; step <= 11; ++step) {
    const qsizetype before = refreshed.count();
    Press(dialog, Qt::Key_Left);
    EXPECT_GT(refreshed.count(), before);  // the chart follows every step
    EXPECT_EQ(dialog.ScrollBar().value(), 13 - step);
  }
  EXPECT_EQ(dialog.PositionB(), 2);
  EXPECT_EQ(dialog.PositionA(), 6);
  EXPECT_DOUBLE_EQ(m.GetCursorB(), 2.0 / 20.0);
  EXPECT_EQ(Cell(dialog, 0, 4), QStringLiteral("00:00:01.000"));
  EXPECT_EQ(Cell(dialog, 0, 5), QStringLiteral("00:00:02.000"));
  EXPECT_EQ(Cell(dialog, 1, 5), QStringLiteral("4.000"));
  // Steps stop at both ends.
  Press(dialog, Qt::Key_Left, 5);
  EXPECT_EQ(dialog.PositionB(), 0);
  QTest::mouseClick(Control<QAbstractButton>(dialog, CMarkerDlg::kMarkerA), Qt::LeftButton);
  Press(dialog, Qt::Key_Right, 30);
  EXPECT_EQ(dialog.PositionA(), 20);
  EXPECT_FALSE(document.Doc().IsModified());
}

TEST_F(MarkerDialogTest, PagingMovesByAFortiethOfTheSteps) {
  for (const int samples : {21, 401}) {
    SCOPED_TRACE(samples);
    auto m = ChartMeasurement(1);
    model::CKurveObj& curve = *m->GetCurve(0);
    curve.MutableSamples().resize(static_cast<std::size_t>(samples));
    curve.SetDuration(samples);
    m->GetXAxis().SetMax(static_cast<float>(samples - 1) * 0.5F);
    gui::OpenDocument& document = Document(std::move(m));
    CMarkerDlg dialog(document, Texts(), '.', &Frame());
    dialog.show();
    const int start = dialog.PositionA();
    Press(dialog, Qt::Key_PageDown);
    EXPECT_EQ(dialog.PositionA(), start + (samples - 1) / 40);
    Press(dialog, Qt::Key_PageUp, 2);
    EXPECT_EQ(dialog.PositionA(), std::max(0, start - (samples - 1) / 40));
  }
}

TEST_F(MarkerDialogTest, MinMaxCurveTakesTwoRowsAndTheSecondHasNoName) {
  auto m = ChartMeasurement(2);
  m->GetCurve(0)->SetValueMode(model::kModeBar);
  m->GetCurve(1)->SetValueMode(model::kModeValue);
  gui::OpenDocument& document = Document(std::move(m));
  CMarkerDlg dialog(document, Texts(), '.', &Frame());
  ASSERT_EQ(dialog.ValueList().topLevelItemCount(), 4);
  EXPECT_EQ(Cell(dialog, 1, 1), QStringLiteral("Kanal 1"));
  EXPECT_EQ(Cell(dialog, 1, 2), QStringLiteral("Minimum"));
  EXPECT_EQ(Cell(dialog, 1, 3), QStringLiteral("6.000"));
  EXPECT_EQ(Cell(dialog, 2, 0), QString());
  EXPECT_EQ(Cell(dialog, 2, 1), QString());
  EXPECT_EQ(Cell(dialog, 2, 2), QStringLiteral("Maximum"));
  EXPECT_EQ(Cell(dialog, 2, 3), QStringLiteral("7.000"));
  EXPECT_EQ(Cell(dialog, 3, 0), QStringLiteral("2"));
  EXPECT_EQ(Cell(dialog, 3, 2), QStringLiteral("Wert"));
  EXPECT_EQ(Cell(dialog, 3, 3), QStringLiteral("106.500"));
  dialog.show();
  SaveShot(dialog, QStringLiteral("markers_bar"));
}

TEST_F(MarkerDialogTest, StaysUsableWithAnIntervalSpanOrStepCountOfZero) {
  struct Case {
    const char* name;
    double interval;
    float xMax;
    int samples;
    int steps;
  };
  const Case cases[] = {{"interval 0", 0.0, 10.0F, 21, 20},
                        {"span 0", 0.5, 0.0F, 21, 0},
                        {"one sample", 0.5, 0.0F, 1, 0},
                        {"no samples", 0.5, 10.0F, 0, 20}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto m = ChartMeasurement(1);
    model::CKurveObj& curve = *m->GetCurve(0);
    curve.SetSampleInterval(c.interval);
    curve.MutableSamples().resize(static_cast<std::size_t>(c.samples));
    m->GetXAxis().SetMax(c.xMax);
    gui::OpenDocument& document = Document(std::move(m));
    model::CMessungObj& measurement = *document.Measurement();
    CMarkerDlg dialog(document, Texts(), '.', &Frame());
    dialog.show();
    EXPECT_EQ(dialog.StepCount(), c.steps);
    Press(dialog, Qt::Key_Right, 2);
    Press(dialog, Qt::Key_PageDown);
    EXPECT_TRUE(std::isfinite(measurement.GetCursorA()));
    EXPECT_GE(measurement.GetCursorA(), 0.0);
    EXPECT_LE(measurement.GetCursorA(), 1.0);
    for (int column = 3; column <= 5; ++column) {
      const QString time = Cell(dialog, 0, column);
      EXPECT_TRUE(time.startsWith(QStringLiteral("00:00:"))) << time.toStdString();
      const QString value = Cell(dialog, 1, column);
      EXPECT_FALSE(value.contains(QStringLiteral("nan")) || value.contains(QStringLiteral("inf")))
          << value.toStdString();
    }
    if (c.interval == 0.0) {
      EXPECT_EQ(Cell(dialog, 0, 3), QStringLiteral("00:00:00.000"));  // time does not advance
    }
  }
}

TEST_F(MarkerDialogTest, ClosingRemovesTheMarkersWithoutMarkingTheDocument) {
  gui::OpenDocument& document = Document(ChartMeasurement(1));
  model::CMessungObj& m = *document.Measurement();
  for (const bool escape : {true, false}) {
    CMarkerDlg dialog(document, Texts(), '.', &Frame());
    dialog.show();
    EXPECT_GE(m.GetCursorA(), 0.0);
    QSignalSpy refreshed(&document, &gui::OpenDocument::TitleChanged);
    if (escape) {
      QTest::keyClick(&dialog, Qt::Key_Escape);
    } else {
      QTest::mouseClick(Control<QPushButton>(dialog, 2), Qt::LeftButton);
    }
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(m.GetCursorA(), -1.0);
    EXPECT_EQ(m.GetCursorB(), -1.0);
    EXPECT_GE(refreshed.count(), 1);
  }
  EXPECT_FALSE(document.Doc().IsModified());
}

}  // namespace
}  // namespace vantrel::testing
