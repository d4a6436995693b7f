// The lock keys in the status bar: the panes show the state the window system reports, and
// follow the presses of the keys where it reports none.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>
#include <QWindow>

#include "gui/GuiTestSupport.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/KeyboardIndicators.h"

namespace vantrel::testing {
namespace {

QStringList Panes(gui::CMainFrame& frame) {
  QStringList texts;
  for (int i = 0; i < 3; ++i) texts << frame.IndicatorPane(i)->text();
  return texts;
}

void PressAtWindow(QWindow& window, int key) {
  for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
    QKeyEvent event(type, key, Qt::NoModifier);
    QApplication::sendEvent(&window, &event);
  }
}

TEST(KeyboardIndicators, PanesShowTheStateTheWindowSystemReports) {
  TempFolder folder;
  auto app = StartApp(folder, "ENG");
  ASSERT_NE(app, nullptr);
  gui::CMainFrame& frame = app->MainFrame();
  gui::LockKeys reported;
  frame.Indicators().SetStateSource([&reported] { return std::optional<gui::LockKeys>(reported); });
  EXPECT_EQ(Panes(frame), QStringList({"", "", ""}));
  struct Case {
    gui::LockKeys keys;
    QStringList panes;
  };
  const Case cases[] = {
      {{true, false, false}, {"CAP", "", ""}},
      {{true, true, false}, {"CAP", "NUM", ""}},
      {{false, true, true}, {"", "NUM", "SCRL"}},
      {{false, false, false}, {"", "", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.panes.join(QLatin1Char(',')).toStdString());
    reported = c.keys;
    // The state is read again when the program becomes active or a lock key is used.
    QEvent activate(QEvent::ApplicationActivate);
    QApplication::sendEvent(QApplication::instance(), &activate);
    EXPECT_EQ(Panes(frame), c.panes);
    EXPECT_EQ(frame.Indicators().State(), c.keys);
  }
  frame.show();
  reported = {true, true, true};
  PressAtWindow(*frame.windowHandle(), Qt::Key_CapsLock);  // the reported state wins
  EXPECT_EQ(Panes(frame), QStringList({"CAP", "NUM", "SCRL"}));
  SaveShot(*frame.statusBar(), QStringLiteral("status_bar_locks_on"));
}

TEST(KeyboardIndicators, WithoutAWindowSystemStateThePressesOfTheLockKeysAreFollowed) {
  TempFolder folder;
  auto app = StartApp(folder);
  ASSERT_NE(app, nullptr);
  gui::CMainFrame& frame = app->MainFrame();
  frame.Indicators().SetStateSource({});
  frame.show();
  QWindow& window = *frame.windowHandle();
  PressAtWindow(window, Qt::Key_CapsLock);
  EXPECT_EQ(Panes(frame), QStringList({"UF", "", ""}));
  PressAtWindow(window, Qt::Key_NumLock);
  PressAtWindow(window, Qt::Key_ScrollLock);
  EXPECT_EQ(Panes(frame), QStringList({"UF", "NUM", "RF"}));
  SaveShot(*frame.statusBar(), QStringLiteral("status_bar_locks_on_german"));
  PressAtWindow(window, Qt::Key_CapsLock);
  PressAtWindow(window, Qt::Key_A);  // other keys change nothing
  EXPECT_EQ(Panes(frame), QStringList({"", "NUM", "RF"}));
  // A key event that only passes through a widget (after its window had it) counts once.
  QKeyEvent atWidget(QEvent::KeyPress, Qt::Key_NumLock, Qt::NoModifier);
  QApplication::sendEvent(&frame, &atWidget);
  EXPECT_EQ(Panes(frame), QStringList({"", "NUM", "RF"}));
}

TEST(KeyboardIndicators, OnX11TheStateIsReadFromTheKeyboardIndicators) {
  if (QGuiApplication::platformName() != QStringLiteral("xcb")) GTEST_SKIP() << "not on X11";
  const gui::KeyboardIndicators::StateSource source = gui::KeyboardIndicators::PlatformSource();
  ASSERT_TRUE(source);
  EXPECT_TRUE(source().has_value());
}

}  // namespace
}  // namespace vantrel::testing
