#include <QMenu>

#include "ChartWindowFixture.h"
#include "gui/ModalScript.h"
#include "gui/app/UndoCommands.h"
#include "gui/chart/CTextDlg.h"
#include "gui/chart/ChartCommands.h"

namespace vantrel::testing {
namespace {

namespace cmd = gui::chart_commands;

class UndoCommandsTest : public ChartWindowTest {
 protected:
  QAction& Action(int commandId) {
    const auto& actions = Main().Menus().ActionsOf(commandId);
    EXPECT_EQ(actions.size(), 1U);
    return *actions.front();
  }
  /// The entries of the menu that holds `commandId`, separators as "-".
  QStringList MenuOf(int commandId) {
    QStringList entries;
    for (QObject* owner : Action(commandId).associatedObjects()) {
      auto* menu = qobject_cast<QMenu*>(owner);
      if (menu == nullptr) continue;
      for (QAction* entry : menu->actions()) {
        entries << (entry->isSeparator() ? QStringLiteral("-") : entry->text());
      }
    }
    return entries;
  }
};

TEST_F(UndoCommandsTest, EditMenuOffersUndoAndRedoBeforeCopyChartDisabledWithoutSteps) {
  Main().RefreshMenus();
  EXPECT_EQ(MenuOf(gui::kCmdUndo),
            (QStringList{QStringLiteral("&Rückgängig"), QStringLiteral("&Wiederherstellen"),
                         QStringLiteral("-"), QStringLiteral("Diagramm &kopieren")}));
  EXPECT_FALSE(Action(gui::kCmdUndo).isEnabled());
  EXPECT_FALSE(Action(gui::kCmdRedo).isEnabled());
  EXPECT_EQ(Action(gui::kCmdUndo).shortcuts(),
            QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Z"))});
  EXPECT_EQ(Action(gui::kCmdRedo).shortcuts(),
            (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Y")),
                                 QKeySequence(QStringLiteral("Ctrl+Shift+Z"))}));
  EXPECT_EQ(Action(gui::kCmdUndo).statusTip(),
            QStringLiteral("Macht die letzte Änderung rückgängig"));
}

TEST_F(UndoCommandsTest, CtrlZTakesBackTheTitleToggleAndRedoDoesItAgain) {
  Main().WorkArea().setActiveSubWindow(&Window());
  ASSERT_EQ(M().GetTitleVisible(), 1);
  Main().ExecuteCommand(cmd::kCmdTitleToggle);
  EXPECT_EQ(M().GetTitleVisible(), 0);
  EXPECT_FALSE(Modified());  // showing or hiding the title is no change to save
  EXPECT_TRUE(Action(gui::kCmdUndo).isEnabled());
  EXPECT_EQ(Action(gui::kCmdUndo).text(), QStringLiteral("&Rückgängig: Titel"));

  Main().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
  View().setFocus();
  QTest::keyClick(&View(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(M().GetTitleVisible(), 1);
  EXPECT_FALSE(Modified());
  EXPECT_FALSE(Action(gui::kCmdUndo).isEnabled());
  EXPECT_EQ(Action(gui::kCmdRedo).text(), QStringLiteral("&Wiederherstellen: Titel"));

  Action(gui::kCmdRedo).trigger();
  EXPECT_EQ(M().GetTitleVisible(), 0);
  EXPECT_FALSE(Modified());
  EXPECT_EQ(Action(gui::kCmdRedo).text(), QStringLiteral("&Wiederherstellen"));
}

TEST_F(UndoCommandsTest, APlacedTextIsOneStepAndAClickWithoutAMoveIsNone) {
  const int texts = M().GetTextCount();
  ModalScript textDialog;
  textDialog.ThenAnswer([](QWidget& widget) {
    auto* dialog = qobject_cast<gui::CTextDlg*>(&widget);
    ASSERT_NE(dialog, nullptr);
    dialog->TextField().setText(QStringLiteral("Ventil auf"));
    dialog->accept();
  });
  View().HandleCommand(cmd::kCmdTextPlace);
  const QPoint p = At(0.6, 0.4);
  Move(p);
  Press(p);
  Release(p);
  ASSERT_EQ(M().GetTextCount(), texts + 1);
  EXPECT_EQ(Action(gui::kCmdUndo).text(), QStringLiteral("&Rückgängig: Text einfügen"));

  // Moving mode: pressing and releasing on the text without moving changes nothing.
  View().HandleCommand(cmd::kCmdTextMove);
  const QPoint onText = p + QPoint(3, 3);
  Move(onText);
  Press(onText);
  Release(onText);
  EXPECT_EQ(Action(gui::kCmdUndo).text(), QStringLiteral("&Rückgängig: Text einfügen"));

  Main().ExecuteCommand(gui::kCmdUndo);
  EXPECT_EQ(M().GetTextCount(), texts);
  EXPECT_EQ(Action(gui::kCmdRedo).text(), QStringLiteral("&Wiederherstellen: Text einfügen"));
}

}  // namespace
}  // namespace vantrel::testing
