// The curve filter dialog driven through its buttons: the first cut-off by sampling rate or
// earlier filter, the steps down and up the series, the preview shown in the chart at every
// step without marking the document, OK taking the preview over, Cancel and OK without a
// step leaving the curve as it was, and a sample interval of 0.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QSignalSpy>
#include <QtTest/QTest>

#include "MeasurementBuilder.h"
#include "gui/GuiTestSupport.h"
#include "gui/ModalScript.h"
#include "gui/WidgetInput.h"
#include "gui/chart/dialogs/CFilterDlg.h"

namespace vantrel::testing {
namespace {

using gui::CFilterDlg;

class FilterDialogTest : public AppTest {
 protected:
  gui::OpenDocument& Document(double interval, float filterCutoff = 0.0F) {
    auto m = ChartMeasurement(1);
    m->GetCurve(0)->SetSampleInterval(interval);
    m->GetCurve(0)->SetFilterCutoff(filterCutoff);
    gui::OpenDocument* document = Frame().Documents().AddMeasurement(std::move(m));
    EXPECT_NE(document, nullptr);
    return *document;
  }
  static model::CKurveObj& Curve(gui::OpenDocument& d) { return *d.Measurement()->GetCurve(0); }
  static QString Shown(CFilterDlg& d) {
    return Control<QLineEdit>(d, CFilterDlg::kCutoffEdit)->text();
  }
  static void Click(CFilterDlg& d, int id) {
    QTest::mouseClick(Control<QPushButton>(d, id), Qt::LeftButton);
  }
};

TEST_F(FilterDialogTest, StartsAboveHalfTheSamplingRateAndStepsThroughTheSeries) {
  struct Case {
    double interval;
    float filtered;
    QString start;
    bool higher;
    QStringList down;
  };
  const Case cases[] = {
      {0.01,
       0.0F,
       QStringLiteral("100"),
       false,
       {QStringLiteral("50"), QStringLiteral("25"), QStringLiteral("10"), QStringLiteral("5")}},
      {0.001, 0.0F, QStringLiteral("500"), false, {QStringLiteral("250")}},
      {0.01, 25.0F, QStringLiteral("25"), false, {QStringLiteral("10")}},
      {0.0, 0.0F, QStringLiteral("500"), false, {QStringLiteral("250"), QStringLiteral("100")}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.start.toStdString());
    gui::OpenDocument& document = Document(c.interval, c.filtered);
    CFilterDlg dialog(document, Curve(document), Texts(), '.', &Frame());
    dialog.show();
    EXPECT_EQ(Shown(dialog), c.start);
    auto* higher = Control<QPushButton>(dialog, CFilterDlg::kHigherButton);
    EXPECT_EQ(higher->isEnabled(), c.higher);
    Click(dialog, CFilterDlg::kHigherButton);  // the top: nothing happens
    EXPECT_EQ(Shown(dialog), c.start);
    for (const QString& next : c.down) {
      Click(dialog, CFilterDlg::kLowerButton);
      EXPECT_EQ(Shown(dialog), next);
    }
    EXPECT_TRUE(higher->isEnabled());
    Click(dialog, CFilterDlg::kHigherButton);
    EXPECT_EQ(Shown(dialog), c.down.size() > 1 ? c.down[c.down.size() - 2] : c.start);
    dialog.reject();
  }
}

TEST_F(FilterDialogTest, EveryStepPreviewsInTheChartWithoutMarkingTheDocument) {
  gui::OpenDocument& document = Document(0.01);
  model::CKurveObj& curve = Curve(document);
  const std::vector<model::CValueObj> original = curve.Samples();
  CFilterDlg dialog(document, curve, Texts(), '.', &Frame());
  dialog.show();
  SaveShot(dialog, QStringLiteral("filter"));
  QSignalSpy refreshed(&document, &gui::OpenDocument::TitleChanged);
  Click(dialog, CFilterDlg::kLowerButton);
  EXPECT_EQ(refreshed.count(), 1);
  EXPECT_FLOAT_EQ(curve.GetPreviewCutoff(), 50.0F);
  EXPECT_EQ(curve.FilteredSamples().size(), original.size());
  EXPECT_EQ(&curve.DisplayedSamples(), &curve.FilteredSamples());
  Click(dialog, CFilterDlg::kLowerButton);
  EXPECT_EQ(refreshed.count(), 2);
  EXPECT_FLOAT_EQ(curve.GetPreviewCutoff(), 25.0F);
  EXPECT_EQ(curve.Samples()[5].maximum, original[5].maximum);
  EXPECT_FALSE(document.Doc().IsModified());
  SaveShot(dialog, QStringLiteral("filter_stepped"));
  dialog.reject();
}

TEST_F(FilterDialogTest, OkTakesThePreviewOverAndRecordsTheCutoff) {
  gui::OpenDocument& document = Document(0.01);
  model::CKurveObj& curve = Curve(document);
  model::CKurveObj expected = curve;
  expected.PreviewFilter(25.0F);
  CFilterDlg dialog(document, curve, Texts(), '.', &Frame());
  dialog.show();
  Click(dialog, CFilterDlg::kLowerButton);
  Click(dialog, CFilterDlg::kLowerButton);
  Click(dialog, 1);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(dialog.Committed());
  EXPECT_FLOAT_EQ(curve.GetFilterCutoff(), 25.0F);
  EXPECT_FLOAT_EQ(curve.GetPreviewCutoff(), 0.0F);
  EXPECT_TRUE(curve.FilteredSamples().empty());
  ASSERT_EQ(curve.GetSampleCount(), 21);
  for (std::size_t i = 0; i < 21; ++i) {
    EXPECT_EQ(curve.Samples()[i].minimum, expected.FilteredSamples()[i].minimum) << i;
    EXPECT_EQ(curve.Samples()[i].value, expected.FilteredSamples()[i].value) << i;
  }
}

TEST_F(FilterDialogTest, CancelAndOkWithoutAStepLeaveSamplesAndEarlierCutoff) {
  for (const bool cancel : {true, false}) {
    SCOPED_TRACE(cancel ? "cancel" : "ok without step");
    gui::OpenDocument& document = Document(0.01, 25.0F);
    model::CKurveObj& curve = Curve(document);
    const std::vector<model::CValueObj> original = curve.Samples();
    CFilterDlg dialog(document, curve, Texts(), '.', &Frame());
    dialog.show();
    if (cancel) {
      Click(dialog, CFilterDlg::kLowerButton);
      Click(dialog, CFilterDlg::kLowerButton);
      QTest::keyClick(&dialog, Qt::Key_Escape);
      EXPECT_EQ(dialog.result(), QDialog::Rejected);
    } else {
      Click(dialog, 1);
      EXPECT_FALSE(dialog.Committed());
    }
    EXPECT_FLOAT_EQ(curve.GetFilterCutoff(), 25.0F);
    EXPECT_FLOAT_EQ(curve.GetPreviewCutoff(), 0.0F);
    EXPECT_TRUE(curve.FilteredSamples().empty());
    for (std::size_t i = 0; i < original.size(); ++i) {
      EXPECT_EQ(curve.Samples()[i].maximum, original[i].maximum) << i;
    }
  }
}

}  // namespace
}  // namespace vantrel::testing
