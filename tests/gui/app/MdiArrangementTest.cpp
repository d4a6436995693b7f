// The window menu's arrangements: the geometry of cascading, tiling one above another and
// side by side, and the rows of minimised windows; applied through the menu commands to the
// windows of the work area.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMdiSubWindow>
#include <QStyle>
#include <cmath>

#include "MeasurementBuilder.h"
#include "document/MeasurementArchive.h"
#include "gui/GuiTestSupport.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/MdiArrangement.h"
#include "gui/tables/ListWindows.h"

namespace vantrel::testing {
namespace {

using gui::MdiArrangement;

TEST(MdiArrangement, GeometriesDivideTheClientAreaWithoutGapsOrOverlaps) {
  const QSize client(1000, 601);
  struct Case {
    const char* name;
    std::vector<QRect> places;
    std::vector<QRect> expected;
  };
  const Case cases[] = {
      {"one above another, three",
       MdiArrangement::OneAboveAnother(client, 3),
       {QRect(0, 0, 1000, 200), QRect(0, 200, 1000, 200), QRect(0, 400, 1000, 201)}},
      {"side by side, three",
       MdiArrangement::SideBySide(client, 3),
       {QRect(0, 0, 333, 601), QRect(333, 0, 333, 601), QRect(666, 0, 334, 601)}},
      {"one window fills the area",
       MdiArrangement::SideBySide(client, 1),
       {QRect(0, 0, 1000, 601)}},
      {"cascade, three",
       MdiArrangement::Cascade(client, 3, 20),
       {QRect(0, 0, 800, 480), QRect(20, 20, 800, 480), QRect(40, 40, 800, 480)}},
      {"cascade starts over before leaving the area",
       MdiArrangement::Cascade(QSize(100, 100), 3, 15),
       {QRect(0, 0, 80, 80), QRect(15, 15, 80, 80), QRect(0, 0, 80, 80)}},
      {"icons in a row at the bottom",
       MdiArrangement::IconRows(client, QSize(300, 30), 4),
       {QRect(0, 571, 300, 30), QRect(300, 571, 300, 30), QRect(600, 571, 300, 30),
        QRect(0, 541, 300, 30)}},
      {"nothing to arrange", MdiArrangement::OneAboveAnother(client, 0), {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.places, c.expected);
  }
  EXPECT_EQ(MdiArrangement::IconRowsHeight(client, QSize(300, 30), 4), 60);
  EXPECT_EQ(MdiArrangement::IconRowsHeight(client, QSize(300, 30), 0), 0);
  // Icons wider than the area still get a place each, one per row.
  EXPECT_EQ(MdiArrangement::IconRows(QSize(100, 100), QSize(300, 30), 2),
            (std::vector<QRect>{QRect(0, 70, 300, 30), QRect(0, 40, 300, 30)}));
}

/// The window menu in each language (the pictures are looked at in both).
class WindowMenuTest : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    app_ = StartApp(folder_, GetParam());
    ASSERT_NE(app_, nullptr);
    Main().resize(1000, 700);
    Main().show();
    model::CMessungObj m;
    m.SetName(u"Pumpe", 5);
    AddAxis(m, 0.0F, 10.0F);
    std::vector<float> pressure;
    for (int i = 0; i < 50; ++i)
      pressure.push_back(5.0F + 4.0F * static_cast<float>(std::sin(i / 5.0)));
    AddCurve(m, 0, 0x000000C0, 0, pressure, 0.1);
    const std::filesystem::path file = folder_.Path() / "Pumpe.vqb";
    document::SaveDocumentFile(file, m, 0);
    Main().OpenFile(QString::fromStdString(file.string()));
    ASSERT_NE(Main().Documents().ActiveDocument(), nullptr);
    Main().ExecuteCommand(gui::kCmdNewWindow);
    gui::ToggleLegend(Main(), *Main().Documents().ActiveDocument());
    Settle();
  }
  gui::CMainFrame& Main() { return app_->MainFrame(); }
  QList<QMdiSubWindow*> Windows() {
    return Main().WorkArea().subWindowList(QMdiArea::CreationOrder);
  }
  QSize Client() { return Main().WorkArea().viewport()->size(); }
  static void Settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
  }
  void Shot(const char* name) {
    SaveShot(Main(),
             QString::fromLatin1(name) + QStringLiteral("_") + QString::fromStdString(GetParam()));
  }
  std::vector<QRect> Geometries() {
    std::vector<QRect> result;
    for (QMdiSubWindow* window : Windows()) result.push_back(window->geometry());
    return result;
  }

  TempFolder folder_;
  std::unique_ptr<gui::CVantrel40App> app_;
};

TEST_P(WindowMenuTest, EachArrangementCommandGivesItsOwnGeometry) {
  ASSERT_EQ(Windows().size(), 3);
  Windows().front()->showMaximized();  // a maximised window takes part restored
  Settle();
  struct Case {
    int command;
    const char* shot;
    std::vector<QRect> expected;
  };
  const int step = Windows().front()->style()->pixelMetric(QStyle::PM_TitleBarHeight);
  const Case cases[] = {
      {gui::kCmdTileHorizontal, "window_tiled_one_above_another",
       MdiArrangement::OneAboveAnother(Client(), 3)},
      {gui::kCmdTileVertical, "window_tiled_side_by_side", MdiArrangement::SideBySide(Client(), 3)},
      {gui::kCmdCascade, "window_cascaded", MdiArrangement::Cascade(Client(), 3, step)},
  };
  std::vector<std::vector<QRect>> seen;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shot);
    Main().ExecuteCommand(c.command);
    Settle();
    for (QMdiSubWindow* window : Windows()) EXPECT_FALSE(window->isMaximized());
    EXPECT_EQ(Geometries(), c.expected);
    Shot(c.shot);
    seen.push_back(Geometries());
  }
  EXPECT_NE(seen[0], seen[1]);
  EXPECT_NE(seen[1], seen[2]);
  EXPECT_NE(seen[0], seen[2]);
}

TEST_P(WindowMenuTest, ArrangeIconsLinesUpTheMinimisedWindowsAndTilingLeavesTheirRowFree) {
  QMdiSubWindow* first = Windows()[0];
  QMdiSubWindow* legend = Windows()[2];
  first->showMinimized();
  legend->showMinimized();
  Settle();
  first->move(200, 50);  // wherever the user left them
  legend->move(10, 10);
  Main().ExecuteCommand(gui::kCmdArrange);
  Settle();
  const QSize icon = first->size();
  EXPECT_EQ(first->geometry(), QRect(QPoint(0, Client().height() - icon.height()), icon));
  EXPECT_EQ(legend->geometry().topLeft(), QPoint(icon.width(), Client().height() - icon.height()));
  EXPECT_TRUE(first->isMinimized());

  Main().ExecuteCommand(gui::kCmdTileHorizontal);
  Settle();
  QMdiSubWindow* second = Windows()[1];
  EXPECT_EQ(second->geometry(), QRect(0, 0, Client().width(), Client().height() - icon.height()));
  Shot("window_icons_arranged");
}

INSTANTIATE_TEST_SUITE_P(Languages, WindowMenuTest, ::testing::Values("GER", "ENG"),
                         [](const ::testing::TestParamInfo<std::string>& language) {
                           return language.param;
                         });

}  // namespace
}  // namespace vantrel::testing
