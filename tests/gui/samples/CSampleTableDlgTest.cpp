#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTableView>

#include "FakeTexts.h"
#include "MeasurementBuilder.h"
#include "app/MessageIds.h"
#include "gui/GuiTestSupport.h"
#include "gui/ModalScript.h"
#include "gui/app/CMainFrame.h"
#include "gui/samples/CSampleEditDlg.h"
#include "gui/samples/CSampleTableDlg.h"
#include "gui/samples/SampleCommands.h"
#include "gui/tables/RowWindowTable.h"
#include "gui/tables/TableModel.h"
#include "tables/CellTexts.h"

namespace vantrel::testing {
namespace {

QString Cell(gui::CSampleTableDlg& table, int viewRow, int column) {
  return table.Model().data(table.Model().index(viewRow, column), Qt::DisplayRole).toString();
}

class SampleTable : public ::testing::Test {
 protected:
  void SetUp() override {
    app_ = StartApp(folder_);
    ASSERT_NE(app_, nullptr);
  }
  const app::BrandedTexts& Texts() { return app_->MainFrame().Context().texts; }

  model::CKurveObj& Curve(int recordingKind, long long samples) {
    model::CKurveObj& curve = AddCurveOfRows(measurement_, {}, 0.5);
    curve.SetRecordingKind(recordingKind);
    FillRamp(curve, samples);
    return curve;
  }

  TempFolder folder_;
  std::unique_ptr<gui::CVantrel40App> app_;
  model::CMessungObj measurement_;
  ScriptedMessages messages_;
};

TEST_F(SampleTable, ShowsThreeColumnsForAMemoryCurveAndFourForAnOnlineCurve) {
  struct Case {
    int recordingKind;
    int columns;
  };
  for (const Case c : {Case{1, 3}, Case{0, 4}}) {
    gui::CSampleTableDlg table(Curve(c.recordingKind, 10), Texts(), messages_, '.', {});
    EXPECT_EQ(table.Model().columnCount(), c.columns);
    EXPECT_EQ(table.Model().headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
              gui::ToQString(Texts().Text(ids::kStrColumnTime)));
  }
}

TEST_F(SampleTable, OpensACurveOfTenMillionSamplesAtOnce) {
  model::CKurveObj& curve = Curve(0, 10'000'000);
  gui::CSampleTableDlg table(curve, Texts(), messages_, ',', {});  // how fast: bench/
  table.show();
  QApplication::processEvents();
  EXPECT_EQ(table.Model().TotalRows(), 10'000'000);
  EXPECT_LT(table.Model().rowCount(), 100);  // only the rows in sight
  EXPECT_EQ(Cell(table, 0, 0), QStringLiteral("00:00:00,000"));
  EXPECT_EQ(Cell(table, 1, 1), QStringLiteral("1,000"));
  SaveShot(table, QStringLiteral("sample_table"));

  // From the end back to the start: every row shows its own sample.
  for (const long long row : {9'999'999LL, 5'000'000LL, 17LL, 0LL}) {
    SCOPED_TRACE(row);
    table.List().SetCurrentRow(row);
    const int viewRow = static_cast<int>(row - table.Model().FirstRow());
    EXPECT_EQ(Cell(table, viewRow, 1),
              gui::ToQString(tables::FormatNumber("%5.3f", float(row), ',')));
    EXPECT_EQ(Cell(table, viewRow, 3),
              gui::ToQString(tables::FormatNumber("%5.3f", float(row) + 0.25F, ',')));
  }
  EXPECT_EQ(Cell(table, 0, 0), QStringLiteral("00:00:00,000"));
  table.List().SetCurrentRow(7200);  // 3600 s
  EXPECT_EQ(Cell(table, static_cast<int>(7200 - table.Model().FirstRow()), 0),
            QStringLiteral("01:00:00,000"));
}

TEST_F(SampleTable, RefusesAMinimumAboveTheMaximumAndKeepsTheSample) {
  model::CKurveObj& curve = Curve(1, 5);
  int changes = 0;
  gui::CSampleTableDlg table(curve, Texts(), messages_, '.', [&] { ++changes; });
  table.List().SetCurrentRow(3);
  ModalScript modals;
  modals.ThenAnswer([](QWidget& modal) {
    auto* editor = qobject_cast<gui::CSampleEditDlg*>(&modal);
    ASSERT_NE(editor, nullptr);
    SaveShot(modal, QStringLiteral("sample_editor"));
    modal.findChild<QLineEdit*>(QStringLiteral("1042"))->setText(QStringLiteral("9"));
    modal.findChild<QLineEdit*>(QStringLiteral("1043"))->setText(QStringLiteral("8"));
    modal.findChild<QAbstractButton*>(QStringLiteral("1"))->click();
    EXPECT_TRUE(modal.isVisible());  // stays open
    modal.findChild<QLineEdit*>(QStringLiteral("1042"))->setText(QStringLiteral("abc"));
    modal.findChild<QAbstractButton*>(QStringLiteral("1"))->click();
    EXPECT_TRUE(modal.isVisible());
    modal.findChild<QAbstractButton*>(QStringLiteral("2"))->click();
  });
  EXPECT_FALSE(table.EditCurrentSample());
  EXPECT_EQ(messages_.asked, (std::vector<int>{ids::kMsgMinimumAboveMaximum, ids::kMsgNotANumber}));
  EXPECT_EQ(curve.GetSample(3)->minimum, 3.0F);
  EXPECT_EQ(curve.GetSample(3)->maximum, 3.5F);
  EXPECT_EQ(changes, 0);
}

TEST_F(SampleTable, TheEditorShowsTheShortestValueInTheUsersDecimalSeparatorAndReadsItBack) {
  model::CKurveObj& curve = Curve(1, 3);
  curve.GetSample(1)->Set(56.92F, 100.1F, 0.3F);
  for (const char separator : {',', '.'}) {
    SCOPED_TRACE(separator);
    gui::CSampleTableDlg table(curve, Texts(), messages_, separator, {});
    table.List().SetCurrentRow(1);
    QStringList shown;
    ModalScript editor;
    editor.ThenAnswer([&shown](QWidget& modal) {
      for (const char* id : {"1042", "1043", "1044"}) {
        shown << modal.findChild<QLineEdit*>(QString::fromLatin1(id))->text();
      }
      modal.findChild<QAbstractButton*>(QStringLiteral("1"))->click();  // unchanged: OK
    });
    EXPECT_FALSE(table.EditCurrentSample());  // the same floats: no change
    const QString point = QString(QLatin1Char(separator));
    EXPECT_EQ(shown, (QStringList{QStringLiteral("56") + point + QStringLiteral("92"),
                                  QStringLiteral("100") + point + QStringLiteral("1"),
                                  QStringLiteral("0") + point + QStringLiteral("3")}));
  }
  EXPECT_EQ(curve.GetSample(1)->minimum, 56.92F);
  EXPECT_EQ(gui::ParseSampleValue(QStringLiteral(" 12,5 "), ','), 12.5F);
  EXPECT_EQ(gui::ParseSampleValue(QStringLiteral("12.5"), ','), 12.5F);
  EXPECT_FALSE(gui::ParseSampleValue(QStringLiteral("12,5x"), ',').has_value());
}

TEST_F(SampleTable, EditingASampleFromTheChartChangesTheMeasurementAndMarksTheDocument) {
  gui::CMainFrame& frame = app_->MainFrame();
  auto owned = std::make_unique<model::CMessungObj>();
  owned->AddYAxis();
  for (int c = 0; c < 2; ++c) {
    model::CKurveObj* curve = owned->AddCurve();
    curve->SetRecordingKind(0);
    curve->SetSampleInterval(1.0);
    for (int i = 0; i < 20; ++i) curve->AddSample(float(i), float(i + 1), float(c * 100 + i));
  }
  gui::OpenDocument* document = frame.Documents().AddMeasurement(std::move(owned));
  ASSERT_NE(document, nullptr);
  document->Doc().SetModifiedFlag(false);

  ModalScript modals;
  gui::CSampleTableDlg* table = nullptr;
  modals.ThenAnswer([](QWidget& selection) {  // the curve selection: the second curve
    auto* list = selection.findChild<QTableView*>();
    ASSERT_NE(list, nullptr);
    list->selectRow(1);
    qobject_cast<QDialog*>(&selection)->accept();
  });
  modals.ThenAnswer([&table](QWidget& tableDialog) {  // the sample table: row 4, edit
    table = qobject_cast<gui::CSampleTableDlg*>(&tableDialog);
    ASSERT_NE(table, nullptr);
    table->List().SetCurrentRow(4);
    tableDialog.findChild<QAbstractButton*>(QStringLiteral("1049"))->click();
  });
  modals.ThenAnswer([&table](QWidget& editor) {  // the sample editor
    EXPECT_EQ(editor.findChild<QLineEdit*>(QStringLiteral("1044"))->text(), QStringLiteral("104"));
    editor.findChild<QLineEdit*>(QStringLiteral("1042"))->setText(QStringLiteral("-2.5"));
    editor.findChild<QLineEdit*>(QStringLiteral("1043"))->setText(QStringLiteral("7"));
    editor.findChild<QLineEdit*>(QStringLiteral("1044"))->setText(QStringLiteral("6.25"));
    editor.findChild<QAbstractButton*>(QStringLiteral("1"))->click();
    // Cancel in the table afterwards: the change stays and is recorded.
    QMetaObject::invokeMethod(
        table, [table] { table->findChild<QAbstractButton*>(QStringLiteral("2"))->click(); },
        Qt::QueuedConnection);
  });
  frame.ExecuteCommand(gui::kCmdChartSamples);
  const model::CValueObj* sample = document->Measurement()->GetCurve(1)->GetSample(4);
  EXPECT_EQ(sample->minimum, -2.5F);
  EXPECT_EQ(sample->maximum, 7.0F);
  EXPECT_EQ(sample->value, 6.25F);
  EXPECT_TRUE(document->Doc().IsModified());
  EXPECT_EQ(document->Measurement()->GetCurve(0)->GetSample(4)->minimum, 4.0F);
}

}  // namespace
}  // namespace vantrel::testing
