// The value table window of a long curve: it opens without building rows, answers the last
// rows and reads correctly while walking backwards from the end (how fast it does so is
// measured in bench/).
#include <gtest/gtest.h>

#include <QLocale>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTableView>
#include <QtTest/QTest>

#include "TablesTestData.h"
#include "gui/GuiTestSupport.h"
#include "gui/app/CMainFrame.h"
#include "gui/tables/CLegende.h"
#include "gui/tables/CMyListFrame.h"
#include "gui/tables/ListWindows.h"
#include "gui/tables/RowWindowTable.h"
#include "gui/tables/TableModel.h"
#include "tables/ValueTable.h"

namespace vantrel::testing {
namespace {

constexpr long long kSamples = 10'000'000;

QString Number(float value) { return QString::asprintf("%5.3f", static_cast<double>(value)); }

TEST(ValueTableWindow, TenMillionSamplesOpenAtOnceAndReadBackwardsFromTheEnd) {
  QLocale::setDefault(QLocale::c());
  TempFolder folder;
  auto app = StartApp(folder);
  ASSERT_NE(app, nullptr);
  gui::CMainFrame& main = app->MainFrame();
  gui::OpenDocument* document = main.Documents().AddMeasurement(LongMeasurement(kSamples));
  ASSERT_NE(document, nullptr);

  QApplication::processEvents();  // the chart window of the document draws first

  gui::CMyListFrame* frame = gui::OpenListWindow(main, *document, tables::kTableValues, {0});
  QApplication::processEvents();

  gui::TableModel& model = frame->View().Model();
  ASSERT_EQ(model.TotalRows(), kSamples);
  ASSERT_EQ(model.columnCount(), 2);
  // The cells come from the value table itself, and the list holds only the rows in sight.
  EXPECT_NE(dynamic_cast<const tables::ValueTable*>(model.Contents()), nullptr);
  EXPECT_LT(model.rowCount(), 50);

  gui::RowWindowTable& table = frame->View().Table();
  table.setFocus();
  QTest::keyClick(&table, Qt::Key_End);
  QApplication::processEvents();
  QScrollBar& rows = frame->View().RowScrollBar();
  EXPECT_EQ(rows.value(), rows.maximum());
  ASSERT_EQ(table.CurrentRow(), kSamples - 1);
  EXPECT_EQ(table.currentIndex().data().toString(), QStringLiteral("02:46:39.999"));

  // Walking backwards row by row with the arrow key reads the right samples.
  const auto& samples = document->Measurement()->GetCurve(0)->Samples();
  for (long long row = kSamples - 1; row > kSamples - 500; --row) {
    ASSERT_EQ(table.CurrentRow(), row);
    const QModelIndex current = table.currentIndex();
    ASSERT_EQ(model.index(current.row(), 1).data().toString(),
              Number(samples[static_cast<std::size_t>(row)].value))
        << row;
    QTest::keyClick(&table, Qt::Key_Up);
  }
  // Jumps anywhere read the sample of their row.
  for (int row : {5'000'000, 17, 0}) {
    EXPECT_EQ(frame->View().CellText(row, 1), Number(samples[static_cast<std::size_t>(row)].value))
        << row;
  }
  EXPECT_EQ(frame->View().CellText(0, 0), QStringLiteral("00:00:00.000"));

  // Paging up repaints; the window follows.
  for (int page = 0; page < 50; ++page) {
    QTest::keyClick(&table, Qt::Key_PageUp);
    table.viewport()->repaint();
  }
  EXPECT_LT(table.CurrentRow(), kSamples - 500);
  EXPECT_EQ(model.FirstRow() + table.currentIndex().row(), table.CurrentRow());

  document->UpdateAllViews();
  QApplication::processEvents();
  EXPECT_EQ(rows.value(), rows.maximum() > 0 ? rows.value() : 0);
  SaveShot(*frame->parentWidget(), QStringLiteral("tables_values_ten_million"));
}

}  // namespace
}  // namespace vantrel::testing
