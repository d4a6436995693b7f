// The comm settings window: stored values shown, texts read as numbers and stored on OK
// only, the automatic configuration's result shown again, and the ports of this computer.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "InstrumentTestSupport.h"
#include "app/ProductInfo.h"
#include "app/ProfileStore.h"
#include "gui/app/CMainFrame.h"
#include "gui/instrument/CAutoConfigDlg.h"
#include "gui/instrument/CCommSettingsDlg.h"
#include "platform/FileErrors.h"

namespace vantrel::testing {
namespace {

QLineEdit* Edit(QWidget& dialog, int id) {
  return dialog.findChild<QLineEdit*>(QStringLiteral("control%1").arg(id));
}

TEST(CCommSettingsDlg, ReadsTheLeadingNumberOfASettingsText) {
  struct Case {
    const char* text;
    int number;
  };
  const Case cases[] = {{"4", 4},
                        {"4x", 4},
                        {"x4", 0},
                        {"", 0},
                        {"  9600", 9600},
                        {"-3", -3},
                        {"+7", 7},
                        {"19200 Bd", 19200},
                        {"99999999999999999999", 2147483647},
                        {"-99999999999999999999", -2147483647 - 1},
                        {"00000000000000000000123", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(gui::CCommSettingsDlg::ReadNumber(QString::fromLatin1(c.text)), c.number);
  }
}

TEST(CCommSettingsDlg, ShowsTheStoredValuesAndStoresTheEditedOnesOnOkOnly) {
  TempFolder folder;
  auto app = StartApp(folder);
  ASSERT_NE(app, nullptr);
  ModalScript script([](QWidget& modal) {
    auto* dialog = qobject_cast<gui::CCommSettingsDlg*>(&modal);
    if (dialog == nullptr) return false;
    EXPECT_EQ(Edit(*dialog, gui::CCommSettingsDlg::kPortEdit)->text(), QStringLiteral("1"));
    EXPECT_EQ(Edit(*dialog, gui::CCommSettingsDlg::kBaudEdit)->text(), QStringLiteral("1200"));
    auto* present = dialog->findChild<QLabel*>(QStringLiteral("presentPorts"));
    EXPECT_NE(present, nullptr);
    if (present != nullptr) {
      EXPECT_TRUE(present->text().startsWith(QStringLiteral("Serielle Schnittstellen")));
    }
    Edit(*dialog, gui::CCommSettingsDlg::kPortEdit)->setText(QStringLiteral("4x"));
    Edit(*dialog, gui::CCommSettingsDlg::kBaudEdit)->setText(QStringLiteral("9600"));
    SaveShot(*dialog, QStringLiteral("comm_settings_dialog"));
    dialog->accept();
    return true;
  });
  app->MainFrame().ExecuteCommand(gui::kCmdCommSettings);
  EXPECT_EQ(app::GetPortNumber(app->Profile()), 4);
  EXPECT_EQ(app::GetBaudRate(app->Profile()), 9600);

  gui::CCommSettingsDlg cancelled(app->MainFrame().Context(), app->Instrument(), &app->MainFrame());
  Edit(cancelled, gui::CCommSettingsDlg::kPortEdit)->setText(QStringLiteral("7"));
  cancelled.reject();
  EXPECT_EQ(app::GetPortNumber(app->Profile()), 4);
}

TEST(CCommSettingsDlg, ListsThePortsOfThisComputerWithTheirNumbers) {
  TempFolder folder;
  auto app = StartApp(folder);
  ASSERT_NE(app, nullptr);
  const platform::TextSource& texts = app->MainFrame().Context().texts;
  const QString title = QStringLiteral("Serielle Schnittstellen an diesem Computer:\n");
  EXPECT_EQ(gui::CCommSettingsDlg::PresentPortsText(
                texts, {{1, "/dev/ttyS0"}, {33, "/dev/ttyUSB0"}, {0, "/dev/ttyUSB5"}}),
            title + QStringLiteral("COM1  /dev/ttyS0\nCOM33  /dev/ttyUSB0\n/dev/ttyUSB5"));
  EXPECT_EQ(gui::CCommSettingsDlg::PresentPortsText(texts, {}),
            title + QStringLiteral("Keine gefunden. Bitte Kabel bzw. USB-Adapter anschließen."));
}

TEST(CCommSettingsDlg, SettingsThatCannotBeStoredAreReported) {
  TempFolder folder;
  auto app = StartApp(folder);
  ASSERT_NE(app, nullptr);
  // The profile's place is taken by a folder: it can be neither read nor replaced.
  std::filesystem::remove(folder.Path() / "profile.ini");
  std::filesystem::create_directories(folder.Path() / "profile.ini");
  QString message;
  ModalScript script([&message](QWidget& modal) {
    if (auto* dialog = qobject_cast<gui::CCommSettingsDlg*>(&modal); dialog != nullptr) {
      Edit(*dialog, gui::CCommSettingsDlg::kPortEdit)->setText(QStringLiteral("3"));
      // Later: the message box comes up inside accept and needs the script's next turn.
      QMetaObject::invokeMethod(
          dialog, [dialog] { dialog->accept(); }, Qt::QueuedConnection);
      return true;
    }
    if (auto* box = qobject_cast<QMessageBox*>(&modal); box != nullptr) message = box->text();
    return PressMessageButton(modal, QMessageBox::Ok);
  });
  app->MainFrame().ExecuteCommand(gui::kCmdCommSettings);
  // The message names the profile's file and the cause.
  EXPECT_EQ(message,
            gui::ToQString(app->MainFrame().Context().texts.Text(platform::kMsgFileIsFolder))
                .replace(QStringLiteral("%1"),
                         QString::fromStdString((folder.Path() / "profile.ini").string())));
}

TEST(CCommSettingsDlg, ShowsWhatTheAutomaticConfigurationStored) {
  sim::SimOptions options;
  options.hello = 'B';
  InstrumentApp setup(options, 2);
  ASSERT_TRUE(setup.Ready());
  app::SetPortNumber(setup.App().Profile(), 5);
  gui::CCommSettingsDlg dialog(setup.Frame().Context(), setup.App().Instrument(), &setup.Frame());
  ModalScript script([](QWidget& modal) {
    auto* search = qobject_cast<gui::CAutoConfigDlg*>(&modal);
    if (search == nullptr) return false;
    if (search->FoundPort() == 0) {
      QMetaObject::invokeMethod(
          search, [search] { search->accept(); }, Qt::QueuedConnection);
      return false;
    }
    search->findChild<QPushButton*>(QStringLiteral("control1045"))->click();
    return true;
  });
  dialog.findChild<QPushButton*>(QStringLiteral("control1086"))->click();
  EXPECT_EQ(Edit(dialog, gui::CCommSettingsDlg::kPortEdit)->text(), QStringLiteral("2"));
  EXPECT_EQ(Edit(dialog, gui::CCommSettingsDlg::kBaudEdit)->text(), QStringLiteral("1200"));
}

}  // namespace
}  // namespace vantrel::testing
