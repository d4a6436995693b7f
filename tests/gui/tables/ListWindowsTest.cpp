// The list windows as the chart opens them: legend, extremes table, value tables grouped by
// interval and the information sheet, with their cells, colours, titles, first placement,
// close behaviour and rebuild on document updates.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLocale>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableView>
#include <QtTest/QTest>
#include <functional>

#include "TablesTestData.h"
#include "gui/GuiTestSupport.h"
#include "gui/ModalScript.h"
#include "gui/app/CMainFrame.h"
#include "gui/tables/CLegende.h"
#include "gui/tables/CMyListFrame.h"
#include "gui/tables/CurveSelectionDialog.h"
#include "gui/tables/InformationSheetView.h"
#include "gui/tables/ListWindows.h"
#include "gui/tables/RowWindowTable.h"
#include "gui/tables/TableModel.h"

namespace vantrel::testing {
namespace {

class ListWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QLocale::setDefault(QLocale::c());
    app_ = StartApp(folder_);
    ASSERT_NE(app_, nullptr);
    document_ = Main().Documents().AddMeasurement(SmallMeasurement());
    ASSERT_NE(document_, nullptr);
    Settle();
  }
  void TearDown() override { QLocale::setDefault(QLocale::c()); }

  gui::CMainFrame& Main() { return app_->MainFrame(); }
  gui::OpenDocument& Document() { return *document_; }
  static QMdiSubWindow& WindowOf(gui::CMyListFrame& frame) {
    return *qobject_cast<QMdiSubWindow*>(frame.parentWidget());
  }
  static const QAbstractItemModel& ModelOf(gui::CMyListFrame& frame) {
    return frame.View().Model();
  }
  /// A cell of the whole table of a window (the list model holds only the rows in sight).
  static QString CellOf(gui::CMyListFrame& frame, int row, int column) {
    return frame.View().CellText(row, column);
  }
  static long long RowsOf(gui::CMyListFrame& frame) { return frame.View().Model().TotalRows(); }
  /// Chooses `rows` in the next curve selection dialog (real clicks) and confirms.
  void ChooseRows(std::vector<int> rows) {
    modals_.ThenAnswer([rows](QWidget& widget) {
      auto* dialog = qobject_cast<gui::CurveSelectionDialog*>(&widget);
      ASSERT_NE(dialog, nullptr);
      QTableView& list = dialog->List();
      for (int row : rows) {
        const QRect cell = list.visualRect(list.model()->index(row, 1));
        QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::ControlModifier, cell.center());
      }
      dialog->accept();
    });
  }
  /// Lets the work area lay out and paint (shown windows get their first placement).
  static void Settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
  }

  TempFolder folder_;
  std::unique_ptr<gui::CVantrel40App> app_;
  gui::OpenDocument* document_ = nullptr;
  ModalScript modals_;
};

TEST_F(ListWindowsTest, LegendShowsNumberSwatchNameAndPlottedValueOfEveryCurve) {
  EXPECT_FALSE(gui::IsLegendShown(Document()));
  EXPECT_TRUE(gui::ToggleLegend(Main(), Document()));
  Settle();
  gui::CMyListFrame* legend = gui::FindLegend(Document());
  ASSERT_NE(legend, nullptr);
  WindowOf(*legend).resize(250, 220);  // every row in sight
  Settle();
  const QAbstractItemModel& model = ModelOf(*legend);
  ASSERT_EQ(model.columnCount(), 3);
  EXPECT_EQ(Title(model, 0), QStringLiteral("Nr."));
  EXPECT_EQ(Title(model, 1), QStringLiteral("Name"));
  EXPECT_EQ(Title(model, 2), QStringLiteral("Darstellung"));
  ASSERT_EQ(model.rowCount(), 3);
  const QStringList expected[] = {
      {"1", "Druck", "Wert"}, {"2", "Durchfluss", "Minimum/Maximum"}, {"3", "Summe", "Mittelwert"}};
  const QColor swatches[] = {Qt::red, Qt::blue, Qt::black};
  for (int row = 0; row < 3; ++row) {
    SCOPED_TRACE(row);
    for (int column = 0; column < 3; ++column) {
      EXPECT_EQ(Cell(model, row, column), expected[row][column]);
    }
    const auto swatch =
        model.data(model.index(row, 0), Qt::DecorationRole).value<QIcon>().pixmap(20, 10);
    ASSERT_EQ(swatch.size(), QSize(20, 10));
    const QImage image = swatch.toImage();
    EXPECT_EQ(image.pixelColor(0, 0), swatches[row]);
    EXPECT_EQ(image.pixelColor(19, 9), swatches[row]);
  }
  // The display column reads its longest text in full; the name column keeps its width
  // (four title widths), a longer name is cut there.
  QTableView& table = legend->View().Table();
  const QFontMetrics header = table.horizontalHeader()->fontMetrics();
  EXPECT_GT(table.columnWidth(2), table.fontMetrics().horizontalAdvance(expected[1][2]));
  EXPECT_GE(table.columnWidth(2), header.horizontalAdvance(QStringLiteral("Darstellung")) + 12);
  EXPECT_EQ(table.columnWidth(1), 4 * header.horizontalAdvance(QStringLiteral("Name")));
  EXPECT_EQ(table.textElideMode(), Qt::ElideRight);
  SaveShot(WindowOf(*legend), QStringLiteral("tables_legend_enlarged"));
  WindowOf(*legend).resize(250, 136);
  Settle();
  EXPECT_EQ(WindowOf(*legend).windowTitle(), QStringLiteral("Pumpe:2 Legende"));
  SaveShot(WindowOf(*legend), QStringLiteral("tables_legend"));
  SaveShot(Main(), QStringLiteral("tables_legend_in_main"));

  EXPECT_FALSE(gui::ToggleLegend(Main(), Document()));
  EXPECT_FALSE(gui::IsLegendShown(Document()));
  EXPECT_EQ(Document().Windows().size(), 1U);
}

TEST_F(ListWindowsTest, LegendAndExtremesOpenAtTheBottomOfTheWorkArea) {
  gui::ToggleLegend(Main(), Document());
  gui::CMyListFrame* extremes = gui::OpenExtremesTable(Main(), Document());
  Settle();
  ASSERT_NE(extremes, nullptr);
  QMdiSubWindow& legendWindow = WindowOf(*gui::FindLegend(Document()));
  QMdiSubWindow& extremesWindow = WindowOf(*extremes);
  const int areaBottom = Main().WorkArea().viewport()->height();
  const int nonClient = legendWindow.height() - gui::FindLegend(Document())->height();
  EXPECT_EQ(legendWindow.geometry(), QRect(0, areaBottom - nonClient - 136, 250, 136));
  EXPECT_EQ(extremesWindow.geometry(), QRect(250, areaBottom - nonClient - 136, 508, 136));
  EXPECT_TRUE(extremes->Placed());
  SaveShot(Main(), QStringLiteral("tables_legend_and_extremes"));

  // A window the user moved stays where it is when it is hidden and shown again.
  extremesWindow.move(40, 30);
  extremesWindow.hide();
  extremesWindow.show();
  Settle();
  EXPECT_EQ(extremesWindow.pos(), QPoint(40, 30));
}

TEST_F(ListWindowsTest, TablesOpenedNextToAMaximisedChartGetTheirFirstPlaceWithATitleBar) {
  // A new window opens in its own first place: the maximised chart is restored first.
  QMdiSubWindow* chart = Document().Windows().front();
  struct Case {
    const char* name;
    std::function<gui::CMyListFrame*()> open;
    QSize size;
    bool atBottomLeft;
  };
  const Case cases[] = {
      {"legend",
       [this] {
         gui::ToggleLegend(Main(), Document());
         return gui::FindLegend(Document());
       },
       QSize(250, 136), true},
      {"value list of two curves",
       [this] {
         ChooseRows({0, 2});
         gui::OpenValueTables(Main(), Document());
         return qobject_cast<gui::CMyListFrame*>(Document().FrameOf(Document().Windows().back()));
       },
       QSize(70 * 2 + 100, 200), false},
      {"extremes", [this] { return gui::OpenExtremesTable(Main(), Document()); }, QSize(508, 136),
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Main().WorkArea().setActiveSubWindow(chart);
    chart->showMaximized();
    Settle();
    ASSERT_TRUE(chart->isMaximized());
    gui::CMyListFrame* table = c.open();
    Settle();
    ASSERT_NE(table, nullptr);
    QMdiSubWindow& window = WindowOf(*table);
    EXPECT_FALSE(chart->isMaximized());
    EXPECT_FALSE(window.isMaximized());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(Main().WorkArea().activeSubWindow(), &window);
    EXPECT_EQ(window.size(), c.size);
    // The title bar and borders are there: the window is larger than its table.
    EXPECT_GT(window.height(), table->height());
    if (c.atBottomLeft) {
      const int nonClient = window.height() - table->height();
      EXPECT_EQ(window.pos(), QPoint(0, Main().WorkArea().viewport()->height() - nonClient - 136));
    }
    SaveShot(Main(), QStringLiteral("tables_next_to_maximised_chart_%1")
                         .arg(QString::fromLatin1(c.name).left(6)));
  }
}

TEST_F(ListWindowsTest, ExtremesTableListsLowAndHighWithTheTimesOfTheirFirstSample) {
  gui::CMyListFrame* extremes = gui::OpenExtremesTable(Main(), Document());
  Settle();
  const QAbstractItemModel& model = ModelOf(*extremes);
  const QStringList titles = {"Nr.", "Name", "Minimum", "Zeit", "Maximum", "Zeit", "Einheit"};
  ASSERT_EQ(model.columnCount(), titles.size());
  for (int c = 0; c < titles.size(); ++c) EXPECT_EQ(Title(model, c), titles[c]);
  ASSERT_EQ(RowsOf(*extremes), 3);
  const QStringList pressure = {"1",     "Druck",        "-4.000", "00:00:00.200",
                                "8.125", "00:00:00.300", "bar"};
  const QStringList flow = {"2",      "Durchfluss",   "9.500", "00:00:00.000",
                            "20.500", "00:00:01.000", "l/min"};
  for (int c = 0; c < titles.size(); ++c) {
    EXPECT_EQ(CellOf(*extremes, 0, c), pressure[c]) << c;
    EXPECT_EQ(CellOf(*extremes, 1, c), flow[c]) << c;
  }
  EXPECT_EQ(WindowOf(*extremes).windowTitle(), QStringLiteral("Pumpe:2 Extremwerte"));
  SaveShot(WindowOf(*extremes), QStringLiteral("tables_extremes"));
}

TEST_F(ListWindowsTest, ValueTablesOpenOnePerSampleIntervalLongestFirst) {
  ChooseRows({0, 1, 2});
  EXPECT_EQ(gui::OpenValueTables(Main(), Document()), 2);
  Settle();
  const auto windows = Document().Windows();
  ASSERT_EQ(windows.size(), 3U);
  auto* slow = qobject_cast<gui::CMyListFrame*>(Document().FrameOf(windows[1]));
  auto* fast = qobject_cast<gui::CMyListFrame*>(Document().FrameOf(windows[2]));
  ASSERT_NE(slow, nullptr);
  ASSERT_NE(fast, nullptr);
  EXPECT_EQ(slow->Selection(), std::vector<int>({1}));
  EXPECT_EQ(fast->Selection(), std::vector<int>({0, 2}));

  // The 1 s curve plots a bar: time, minimum and maximum.
  const QAbstractItemModel& one = ModelOf(*slow);
  ASSERT_EQ(one.columnCount(), 3);
  EXPECT_EQ(Title(one, 1), QStringLiteral("Minimum 2"));
  EXPECT_EQ(Title(one, 2), QStringLiteral("Maximum 2"));
  EXPECT_EQ(RowsOf(*slow), 3);
  EXPECT_EQ(CellOf(*slow, 2, 0), QStringLiteral("00:00:02.000"));
  EXPECT_EQ(CellOf(*slow, 2, 2), QStringLiteral("15.500"));
  EXPECT_EQ(
      one.data(one.index(0, 1), Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight,
      Qt::AlignRight);

  // The shorter curve reads 0.000 below its last sample.
  const QAbstractItemModel& two = ModelOf(*fast);
  ASSERT_EQ(two.columnCount(), 3);
  EXPECT_EQ(Title(two, 0), QStringLiteral("Zeit"));
  EXPECT_EQ(Title(two, 1), QStringLiteral("Wert 1"));
  EXPECT_EQ(Title(two, 2), QStringLiteral("Mittelwert 3"));
  ASSERT_EQ(RowsOf(*fast), 5);
  EXPECT_EQ(CellOf(*fast, 3, 0), QStringLiteral("00:00:00.300"));
  EXPECT_EQ(CellOf(*fast, 3, 1), QStringLiteral("7.125"));
  EXPECT_EQ(CellOf(*fast, 3, 2), QStringLiteral("7.500"));
  EXPECT_EQ(CellOf(*fast, 4, 2), QStringLiteral("0.000"));
  EXPECT_EQ(WindowOf(*fast).size(), QSize(70 * 2 + 100, 200));
  EXPECT_EQ(WindowOf(*fast).windowTitle(), QStringLiteral("Pumpe:3 Werteliste"));
  SaveShot(WindowOf(*fast), QStringLiteral("tables_values"));
  SaveShot(WindowOf(*slow), QStringLiteral("tables_values_bar"));
}

TEST_F(ListWindowsTest, CancelledOrEmptySelectionOpensNoWindow) {
  modals_.ThenAnswer([](QWidget& dialog) { qobject_cast<QDialog*>(&dialog)->reject(); });
  EXPECT_EQ(gui::OpenValueTables(Main(), Document()), 0);
  ChooseRows({});
  EXPECT_EQ(gui::OpenInformationSheet(Main(), Document()), nullptr);
  EXPECT_EQ(Document().Windows().size(), 1U);
}

TEST_F(ListWindowsTest, InformationSheetPaintsLabelsInBlackAndCurveTextsInTheirColours) {
  ChooseRows({0, 2});
  gui::CMyListFrame* sheet = gui::OpenInformationSheet(Main(), Document());
  ASSERT_NE(sheet, nullptr);
  Settle();
  ASSERT_TRUE(sheet->View().ShowsSheet());
  const QAbstractItemModel& model = ModelOf(*sheet);
  ASSERT_EQ(model.columnCount(), 3);
  EXPECT_EQ(Title(model, 0), QStringLiteral("Kurve"));
  EXPECT_EQ(Title(model, 1), QStringLiteral("Druck"));
  EXPECT_EQ(Title(model, 2), QStringLiteral("Summe"));
  ASSERT_EQ(RowsOf(*sheet), 21);

  const gui::SheetLayout& layout = sheet->View().Sheet().Layout();
  ASSERT_EQ(layout.cells.size(), 21U * 3U);
  auto cell = [&](int row, int column) -> const gui::SheetCell& {
    return layout.cells[static_cast<std::size_t>(row * 3 + column)];
  };
  EXPECT_EQ(cell(0, 0).text, QStringLiteral("Kurven-Nr."));
  EXPECT_EQ(cell(0, 1).text, QStringLiteral("1"));
  EXPECT_EQ(cell(0, 2).text, QStringLiteral("2"));
  EXPECT_EQ(cell(2, 1).text, QStringLiteral("bar"));
  EXPECT_EQ(cell(3, 1).text, QStringLiteral("400"));
  EXPECT_EQ(cell(3, 2).text, QString());  // a formula curve has no sensor range
  EXPECT_EQ(cell(6, 2).text, QStringLiteral("I1+I2"));
  EXPECT_EQ(cell(16, 2).text, QString());
  EXPECT_EQ(cell(14, 1).text, QStringLiteral("0.100 s"));
  for (int row = 0; row < 21; ++row) {
    EXPECT_EQ(cell(row, 0).color, QColor(Qt::black));
    EXPECT_EQ(cell(row, 1).color, QColor(Qt::red));
    EXPECT_EQ(cell(row, 2).color, QColor(Qt::black));
  }
  // Columns follow each other; the curve columns are 120 pixels wide, wider when a text of
  // the program needs it (the start time with its seconds, the recording kind).
  EXPECT_EQ(cell(5, 1).rect.left(), cell(5, 0).rect.right() + 1);
  const QFontMetrics metrics = sheet->View().Sheet().fontMetrics();
  for (int column : {1, 2}) {
    SCOPED_TRACE(column);
    EXPECT_GE(cell(5, column).rect.width(), 120);
    for (int row : {4, 10, 12}) {
      EXPECT_GE(cell(row, column).rect.width(), metrics.horizontalAdvance(cell(row, column).text) +
                                                    gui::InformationSheetView::kTextPadding);
    }
  }
  EXPECT_EQ(cell(5, 2).rect.top(), 5 * sheet->View().Sheet().RowHeight());

  EXPECT_EQ(WindowOf(*sheet).size(), QSize(125 * 2 + 140, 360));
  EXPECT_EQ(WindowOf(*sheet).windowTitle(), QStringLiteral("Pumpe:2 Kurveninformation"));
  SaveShot(WindowOf(*sheet), QStringLiteral("tables_information_sheet"));
}

TEST_F(ListWindowsTest, EveryUpdateOfTheDocumentRebuildsTheOpenTables) {
  gui::ToggleLegend(Main(), Document());
  gui::CMyListFrame* extremes = gui::OpenExtremesTable(Main(), Document());
  model::CMessungObj& m = *Document().Measurement();
  m.GetCurve(0)->SetName(u"Systemdruck");
  m.GetCurve(1)->AddSample(-50.0F, 99.0F, 0.0F);
  model::CKurveObj* added = m.AddCurve();
  added->SetName(u"Neu");
  Document().UpdateAllViews();
  gui::CMyListFrame& legend = *gui::FindLegend(Document());
  ASSERT_EQ(RowsOf(legend), 4);
  EXPECT_EQ(CellOf(legend, 0, 1), QStringLiteral("Systemdruck"));
  EXPECT_EQ(CellOf(legend, 3, 1), QStringLiteral("Neu"));
  EXPECT_EQ(CellOf(*extremes, 1, 2), QStringLiteral("-50.000"));
  EXPECT_EQ(CellOf(*extremes, 1, 3), QStringLiteral("00:00:03.000"));
  // The modified mark reaches the list window titles too.
  EXPECT_EQ(WindowOf(*extremes).windowTitle(), QStringLiteral("Pumpe*:3 Extremwerte"));
}

TEST_F(ListWindowsTest, ClosingAListWindowAmongNumberedWindowsDoesNotAsk) {
  gui::CMyListFrame* extremes = gui::OpenExtremesTable(Main(), Document());
  gui::ToggleLegend(Main(), Document());
  Document().UpdateAllViews();  // modified: closing the last window would ask to save
  ASSERT_EQ(Document().Windows().size(), 3U);

  QuestionWatch watch;
  WindowOf(*extremes).close();
  QApplication::processEvents();
  EXPECT_FALSE(watch.Asked());
  EXPECT_EQ(Document().Windows().size(), 2U);

  // Closing the legend by hand: the legend command then opens a new one.
  QuestionWatch legendWatch;
  WindowOf(*gui::FindLegend(Document())).close();
  QApplication::processEvents();
  EXPECT_FALSE(legendWatch.Asked());
  EXPECT_FALSE(gui::IsLegendShown(Document()));
  EXPECT_TRUE(gui::ToggleLegend(Main(), Document()));
  EXPECT_TRUE(gui::IsLegendShown(Document()));
}

TEST_F(ListWindowsTest, NumbersUseTheDecimalSeparatorOfTheUsersLocale) {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  gui::CMyListFrame* extremes = gui::OpenExtremesTable(Main(), Document());
  EXPECT_EQ(CellOf(*extremes, 0, 2), QStringLiteral("-4,000"));
  EXPECT_EQ(CellOf(*extremes, 0, 3), QStringLiteral("00:00:00,200"));
}

TEST_F(ListWindowsTest, StaleSelectionPositionsAreSkippedAfterCurvesWereRemoved) {
  ChooseRows({0, 2});
  ASSERT_EQ(gui::OpenValueTables(Main(), Document()), 1);
  auto* values = qobject_cast<gui::CMyListFrame*>(Document().FrameOf(Document().Windows()[1]));
  ASSERT_NE(values, nullptr);
  Document().Measurement()->RemoveCurve(2);
  Document().UpdateAllViews();
  const QAbstractItemModel& model = ModelOf(*values);
  ASSERT_EQ(model.columnCount(), 2);
  EXPECT_EQ(Title(model, 1), QStringLiteral("Wert 1"));
  EXPECT_EQ(RowsOf(*values), 5);
}

TEST_F(ListWindowsTest, AMeasurementWithoutCurvesGivesEmptyTablesWithTheirTitles) {
  auto empty = std::make_unique<model::CMessungObj>();
  empty->SetName(u"Leer", 1);
  gui::OpenDocument* document = Main().Documents().AddMeasurement(std::move(empty));
  ASSERT_TRUE(gui::ToggleLegend(Main(), *document));
  gui::CMyListFrame* extremes = gui::OpenExtremesTable(Main(), *document);
  const QAbstractItemModel& legend = ModelOf(*gui::FindLegend(*document));
  EXPECT_EQ(legend.rowCount(), 0);
  EXPECT_EQ(legend.columnCount(), 3);
  EXPECT_EQ(RowsOf(*extremes), 0);
  EXPECT_EQ(ModelOf(*extremes).columnCount(), 7);
  // The legend of the other document is untouched.
  EXPECT_FALSE(gui::IsLegendShown(Document()));
}

}  // namespace
}  // namespace vantrel::testing
