// The help commands in the running program: help topics open the contents, F1 the page of
// the active window or dialog, Shift+F1 and a click the page of the clicked control's
// window; without a handbook the about box.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QWhatsThis>
#include <filesystem>
#include <fstream>
#include <functional>

#include "app/CommandIds.h"
#include "document/MeasurementArchive.h"
#include "gui/GuiTestSupport.h"
#include "gui/ModalScript.h"
#include "gui/app/CMainFrame.h"
#include "gui/help/HelpCommands.h"
#include "gui/help/HelpWindow.h"

namespace vantrel::testing {
namespace {

namespace fs = std::filesystem;
using gui::help::HelpCommands;

HelpCommands& HelpOf(gui::CMainFrame& frame) {
  auto* help = frame.findChild<HelpCommands*>();
  EXPECT_NE(help, nullptr);
  return *help;
}

void PressKey(QWidget& widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QWidget* target = widget.focusWidget() != nullptr ? widget.focusWidget() : &widget;
  QKeyEvent press(QEvent::KeyPress, key, modifiers);
  QApplication::sendEvent(target, &press);
}

/// Where the help window stands: "page#anchor", or "" when it is not shown.
QString ShownPlace(HelpCommands& help) {
  gui::help::HelpWindow* window = help.Window();
  if (window == nullptr || !window->isVisible()) return {};
  return window->CurrentPage() + QLatin1Char('#') + window->CurrentAnchor();
}

fs::path WriteArchive(const fs::path& path) {
  model::CMessungObj m;
  m.SetName(u"Test", 4);
  m.AddYAxis();
  model::CKurveObj* curve = m.AddCurve();
  for (int i = 0; i < 50; ++i) curve->AddSample(float(i), float(i + 1), 0.0F);
  document::SaveDocumentFile(path, m, 0);
  return path;
}

/// The program started with the handbook beside it.
class HelpCommandsTest : public AppTest {};

TEST_F(HelpCommandsTest, HelpTopicsOpenTheContents) {
  HelpCommands& help = HelpOf(Frame());
  ASSERT_TRUE(help.HasHandbook());
  for (int command : {ids::kCmdHelpTopics, ids::kCmdHelpTopicsAlternative}) {
    SCOPED_TRACE(command);
    Frame().ExecuteCommand(command);
    EXPECT_EQ(ShownPlace(help), QStringLiteral("index.md#"));
    help.Window()->close();
  }
}

TEST_F(HelpCommandsTest, F1OnADialogOpensItsPageOverTheDialog) {
  gui::CMainFrame& frame = Frame();
  HelpCommands& help = HelpOf(frame);
  const std::vector<std::pair<int, const char*>> cases = {
      {ids::kCmdBasicSettings, "settings.md#basic-settings"},
      {ids::kCmdCommSettings, "connecting.md#comm-settings"},
      {ids::kCmdComCheck, "connecting.md#com-check"}};
  for (const auto& [command, place] : cases) {
    SCOPED_TRACE(place);
    QString shown;
    bool overDialog = false;
    ModalScript modals;
    modals.ThenAnswer([&](QWidget& dialog) {
      PressKey(dialog, Qt::Key_F1);
      shown = ShownPlace(help);
      // A modal dialog blocks other windows: the help window is the dialog's own.
      overDialog = help.Window() != nullptr && help.Window()->parentWidget() == &dialog;
      SaveShot(*help.Window(), QStringLiteral("help_over_dialog"));
      qobject_cast<QDialog*>(&dialog)->reject();
    });
    frame.ExecuteCommand(command);
    EXPECT_EQ(shown, QLatin1String(place));
    EXPECT_TRUE(overDialog);
    // After the dialog the help window stays open, back with the main window.
    ASSERT_NE(help.Window(), nullptr);
    EXPECT_EQ(help.Window()->parentWidget(), &frame);
    EXPECT_TRUE(help.Window()->isVisible());
    help.Window()->close();
  }
}

TEST_F(HelpCommandsTest, AfterANestedDialogTheHelpWindowStaysWithTheDialogBelow) {
  gui::CMainFrame& frame = Frame();
  HelpCommands& help = HelpOf(frame);
  frame.OpenFile(QString::fromStdString(WriteArchive(folder_.Path() / "Test.vqb").string()));
  QString inner;
  bool innerParent = false;
  bool outerParent = false;
  ModalScript modals;
  modals.ThenAnswer([&](QWidget& setup) {
    auto* curves = setup.findChild<QTreeWidget*>(QStringLiteral("1030"));
    auto* edit = setup.findChild<QAbstractButton*>(QStringLiteral("1031"));
    ASSERT_TRUE(curves != nullptr && edit != nullptr);
    curves->setCurrentItem(curves->topLevelItem(0));
    edit->click();  // the curve properties open over the chart setup
    outerParent = help.Window() != nullptr && help.Window()->parentWidget() == &setup &&
                  help.Window()->isVisible();
    qobject_cast<QDialog*>(&setup)->reject();
  });
  modals.ThenAnswer([&](QWidget& properties) {
    PressKey(properties, Qt::Key_F1);
    inner = ShownPlace(help);
    innerParent = help.Window()->parentWidget() == &properties;
    qobject_cast<QDialog*>(&properties)->reject();
  });
  frame.ExecuteCommand(ids::kCmdChartSetup);
  EXPECT_EQ(inner, QStringLiteral("chart-setup.md#curve-properties"));
  EXPECT_TRUE(innerParent);
  EXPECT_TRUE(outerParent);
  EXPECT_EQ(help.Window()->parentWidget(), &frame);
}

TEST_F(HelpCommandsTest, F1InTheMainWindowOpensThePageOfTheActiveWindow) {
  gui::CMainFrame& frame = Frame();
  HelpCommands& help = HelpOf(frame);
  EXPECT_EQ(help.TopicOfWindow(&frame).Link(), "main-window.md");
  frame.OpenFile(QString::fromStdString(WriteArchive(folder_.Path() / "Test.vqb").string()));
  ASSERT_EQ(frame.WorkArea().subWindowList().size(), 1);
  frame.ExecuteCommand(ids::kCmdHelp);
  EXPECT_EQ(ShownPlace(help), QStringLiteral("chart.md#"));
  frame.ExecuteCommand(ids::kCmdExtremes);  // the extremes table becomes the active window
  EXPECT_EQ(help.TopicOfWindow(&frame).Link(), "tables.md#extremes");
}

TEST_F(HelpCommandsTest, ContextHelpClickShowsThePageOfTheClickedControlsWindow) {
  gui::CMainFrame& frame = Frame();
  HelpCommands& help = HelpOf(frame);
  bool inMode = false;
  QString shown;
  ModalScript modals;
  modals.ThenAnswer([&](QWidget& dialog) {
    PressKey(dialog, Qt::Key_F1, Qt::ShiftModifier);
    inMode = QWhatsThis::inWhatsThisMode();
    auto* field = dialog.findChild<QLineEdit*>();
    ASSERT_NE(field, nullptr);
    QHelpEvent click(QEvent::WhatsThis, QPoint(2, 2), field->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(field, &click);
    QApplication::processEvents();
    shown = ShownPlace(help);
    qobject_cast<QDialog*>(&dialog)->reject();
  });
  frame.ExecuteCommand(ids::kCmdBasicSettings);
  EXPECT_TRUE(inMode);
  EXPECT_EQ(shown, QStringLiteral("settings.md#basic-settings"));
  EXPECT_FALSE(QWhatsThis::inWhatsThisMode());
}

TEST(HelpCommands, WithoutAHandbookTheHelpCommandsShowTheAboutBox) {
  TempFolder folder;
  // A program folder with language texts and product information but no handbook.
  fs::create_directories(folder.Path() / "bin" / "lang_res");
  fs::copy_file(ProgramDirectory() / "lang_res" / "GER.txt",
                folder.Path() / "bin" / "lang_res" / "GER.txt");
  fs::copy_file(ProgramDirectory() / "mvdl4.ini", folder.Path() / "bin" / "mvdl4.ini");
  gui::StartupOptions options;
  options.programDirectory = folder.Path() / "bin";
  options.startPicture = false;
  options.profilePath = folder.Path() / "profile.ini";
  gui::CVantrel40App app;
  ASSERT_TRUE(app.InitInstance(options, true));
  EXPECT_FALSE(HelpOf(app.MainFrame()).HasHandbook());
  QString shownClass;
  ModalScript modals;
  modals.ThenAnswer([&](QWidget& dialog) {
    shownClass = QString::fromLatin1(dialog.metaObject()->className());
    qobject_cast<QDialog*>(&dialog)->reject();
  });
  app.MainFrame().ExecuteCommand(ids::kCmdHelpTopics);
  EXPECT_TRUE(shownClass.endsWith(QStringLiteral("AboutBox")));
}

}  // namespace
}  // namespace vantrel::testing
