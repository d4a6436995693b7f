// The basic settings dialog driven through its widgets: the stored values shown, OK for this
// session only, the save button writing the profile, a profile that cannot be written, and
// Cancel.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QtTest/QTest>
#include <fstream>

#include "MeasurementBuilder.h"
#include "app/MessageIds.h"
#include "app/ProfileStore.h"
#include "gui/GuiTestSupport.h"
#include "gui/ModalScript.h"
#include "gui/WidgetInput.h"
#include "gui/app/CMainFrame.h"
#include "gui/settings/CBasicSettingsDlg.h"
#include "platform/FileErrors.h"

namespace vantrel::testing {
namespace {

namespace fs = std::filesystem;
using gui::CBasicSettingsDlg;

class BasicSettingsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QLocale::setDefault(QLocale::c());
    start_ = fs::current_path();
    app_ = StartApp(folder_);
    ASSERT_NE(app_, nullptr);
    fs::create_directories(folder_.Path() / "work");
  }
  void TearDown() override { fs::current_path(start_); }
  gui::AppContext& Context() { return app_->MainFrame().Context(); }
  settings::CUserSettings& Settings() { return Context().settings; }
  /// The profile as a restarted program reads it.
  app::ProfileStore ProfileOnDisk() { return app::ProfileStore(folder_.Path() / "profile.ini"); }
  QString Text(int id) { return gui::ToQString(Context().texts.Text(id)); }

  static void Check(QWidget& dialog, int id) {
    // On the round indicator: a radio button reacts only to clicks on indicator and label.
    QRadioButton* button = Control<QRadioButton>(dialog, id);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
  }
  static void TypeFolder(QWidget& dialog, const QString& path) {
    auto* edit = Control<QLineEdit>(dialog, CBasicSettingsDlg::kWorkDirEdit);
    edit->selectAll();
    QTest::keyClicks(edit, path);
  }
  /// Runs the dialog through the main frame's command and lets `drive` answer it.
  /// With `messageFollows` the message box the dialog then shows is answered too.
  void RunCommand(const std::function<void(CBasicSettingsDlg&)>& drive, ModalScript& script,
                  bool messageFollows = false) {
    script.Then([&drive](QWidget& widget) {
      auto* dialog = qobject_cast<CBasicSettingsDlg*>(&widget);
      if (dialog == nullptr) return false;
      drive(*dialog);
      return true;
    });
    if (messageFollows) script.ThenMessage();
    app_->MainFrame().ExecuteCommand(gui::kCmdBasicSettings);
  }

  TempFolder folder_;
  fs::path start_;
  std::unique_ptr<gui::CVantrel40App> app_;
};

TEST_F(BasicSettingsDialogTest, ShowsTheStoredFolderAndAxisOptions) {
  Settings().SetScaleMode(1);
  Settings().SetAxisGrouping(2);
  Settings().SetWorkDir(
      gui::FromQString(QString::fromStdString((folder_.Path() / "work").string())));
  CBasicSettingsDlg dialog(Context(), &app_->MainFrame());
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Grundeinstellungen"));
  EXPECT_EQ(Control<QLineEdit>(dialog, CBasicSettingsDlg::kWorkDirEdit)->text(),
            QString::fromStdString((folder_.Path() / "work").string()));
  EXPECT_FALSE(Control<QRadioButton>(dialog, 1078)->isChecked());
  EXPECT_TRUE(Control<QRadioButton>(dialog, 1202)->isChecked());
  EXPECT_TRUE(Control<QRadioButton>(dialog, 1205)->isChecked());
  SaveShot(dialog, QStringLiteral("basic_settings_dialog"));
}

TEST_F(BasicSettingsDialogTest, OkChangesTheSettingsForThisSessionOnly) {
  const QString folder = QString::fromStdString((folder_.Path() / "work").string());
  ModalScript script;
  RunCommand(
      [&folder](CBasicSettingsDlg& dialog) {
        TypeFolder(dialog, folder + QStringLiteral("/"));
        Check(dialog, 1202);
        Check(dialog, 1204);
        ClickLater(dialog, 1);
      },
      script);
  EXPECT_EQ(script.Pending(), 0U);
  EXPECT_EQ(gui::ToQString(Settings().GetWorkDir()), folder);
  EXPECT_EQ(fs::current_path(), folder_.Path() / "work");
  EXPECT_EQ(Settings().GetScaleMode(), 1);
  EXPECT_EQ(Settings().GetAxisGrouping(), 1);
  // A restart reads the values from before.
  EXPECT_FALSE(ProfileOnDisk().HasValue(settings::kSettingsSection, settings::kWorkDirKey));
  EXPECT_FALSE(ProfileOnDisk().HasValue(settings::kSettingsSection, settings::kScaleModeKey));
}

TEST_F(BasicSettingsDialogTest, SaveButtonAlsoWritesTheProfile) {
  const QString folder = QString::fromStdString((folder_.Path() / "work").string());
  ModalScript script;
  RunCommand(
      [&folder](CBasicSettingsDlg& dialog) {
        TypeFolder(dialog, folder);
        Check(dialog, 1202);
        Check(dialog, 1205);
        ClickLater(dialog, CBasicSettingsDlg::kSaveButton);
      },
      script);
  EXPECT_EQ(script.Pending(), 0U);
  app::ProfileStore disk = ProfileOnDisk();
  EXPECT_EQ(disk.GetProfileInt(settings::kSettingsSection, settings::kScaleModeKey, -1), 1);
  EXPECT_EQ(disk.GetProfileInt(settings::kSettingsSection, settings::kAxisGroupingKey, -1), 2);
  EXPECT_EQ(
      gui::ToQString(disk.GetProfileString(settings::kSettingsSection, settings::kWorkDirKey, u"")),
      folder);
}

TEST_F(BasicSettingsDialogTest, RecoveryIntervalIsShownTakenOverAndSaved) {
  EXPECT_EQ(Settings().GetRecoveryInterval(), settings::kDefaultRecoveryInterval);
  ModalScript script;
  RunCommand(
      [](CBasicSettingsDlg& dialog) {
        auto* interval = dialog.findChild<QSpinBox*>(QStringLiteral("recoveryInterval"));
        ASSERT_NE(interval, nullptr);
        EXPECT_EQ(interval->value(), 5);
        EXPECT_EQ(interval->minimum(), 0);  // 0 switches the copies off
        interval->setValue(0);
        ClickLater(dialog, CBasicSettingsDlg::kSaveButton);
      },
      script);
  EXPECT_EQ(script.Pending(), 0U);
  EXPECT_EQ(Settings().GetRecoveryInterval(), 0);
  EXPECT_EQ(
      ProfileOnDisk().GetProfileInt(settings::kSettingsSection, settings::kRecoveryIntervalKey, -1),
      0);
}

TEST_F(BasicSettingsDialogTest, AProfileThatCannotBeWrittenIsReported) {
  // The profile's place is taken by a folder: it can be neither read nor replaced.
  fs::remove(folder_.Path() / "profile.ini");
  fs::create_directories(folder_.Path() / "profile.ini");
  ModalScript script;
  RunCommand(
      [](CBasicSettingsDlg& dialog) {
        Check(dialog, 1202);
        ClickLater(dialog, CBasicSettingsDlg::kSaveButton);
      },
      script, true);
  ASSERT_EQ(script.Messages().size(), 1);
  // The message names the profile's file and the cause.
  EXPECT_EQ(script.Messages().front(),
            Text(platform::kMsgFileIsFolder)
                .replace(QStringLiteral("%1"),
                         QString::fromStdString((folder_.Path() / "profile.ini").string())));
  EXPECT_EQ(Settings().GetScaleMode(), 1);  // still changed for this session
}

TEST_F(BasicSettingsDialogTest, AFolderThatDoesNotExistIsCreatedOrTheOldOneKept) {
  const QString work = QString::fromStdString((folder_.Path() / "work").string());
  Settings().SetWorkDir(gui::FromQString(work));
  const fs::path missing = folder_.Path() / "neu" / "daten";
  const QString typed = QString::fromStdString(missing.string());
  struct Case {
    const char* name;
    int answer;  // the button pressed in the question
    bool created;
    QString kept;
  };
  const Case cases[] = {
      {"No keeps the previous folder", QMessageBox::No, false, work},
      {"Cancel returns to the dialog", QMessageBox::Cancel, false, work},
      {"Yes creates it", QMessageBox::Yes, true, typed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QString question;
    bool stayedOpen = false;
    ModalScript script;
    script.Then([&](QWidget& widget) {
      auto* dialog = qobject_cast<CBasicSettingsDlg*>(&widget);
      if (dialog == nullptr) return false;
      TypeFolder(*dialog, typed);
      ClickLater(*dialog, 1);
      return true;
    });
    script.Then([&](QWidget& widget) {
      auto* box = qobject_cast<QMessageBox*>(&widget);
      if (box == nullptr) return false;
      question = box->text();
      QTimer::singleShot(0, box, [box, &c] { PressMessageButton(*box, c.answer); });
      return true;
    });
    if (c.answer == QMessageBox::Cancel) {
      // Back in the dialog, with the name to correct; then closed with Cancel.
      script.Then([&](QWidget& widget) {
        auto* dialog = qobject_cast<CBasicSettingsDlg*>(&widget);
        if (dialog == nullptr) return false;
        auto* edit = Control<QLineEdit>(*dialog, CBasicSettingsDlg::kWorkDirEdit);
        stayedOpen = dialog->isVisible() && edit->text() == typed && edit->hasSelectedText();
        ClickLater(*dialog, 2);
        return true;
      });
    }
    app_->MainFrame().ExecuteCommand(gui::kCmdBasicSettings);
    EXPECT_EQ(script.Pending(), 0U);
    EXPECT_EQ(stayedOpen, c.answer == QMessageBox::Cancel);
    EXPECT_EQ(question, Text(ids::kMsgWorkingFolderMissing).replace(QStringLiteral("%1"), typed));
    EXPECT_EQ(fs::is_directory(missing), c.created);
    EXPECT_EQ(gui::ToQString(Settings().GetWorkDir()), c.kept);
  }
  EXPECT_EQ(fs::current_path(), missing);
}

TEST_F(BasicSettingsDialogTest, AWorkingFolderNameThatIsAFileIsRefused) {
  const fs::path file = folder_.Path() / "datei";
  std::ofstream(file) << "x";
  const std::u16string before = Settings().GetWorkDir();
  bool stayedOpen = false;
  ModalScript script;
  script.Then([&file](QWidget& widget) {
    auto* dialog = qobject_cast<CBasicSettingsDlg*>(&widget);
    if (dialog == nullptr) return false;
    TypeFolder(*dialog, QString::fromStdString(file.string()));
    ClickLater(*dialog, CBasicSettingsDlg::kSaveButton);
    return true;
  });
  script.ThenMessage();
  script.Then([&stayedOpen](QWidget& widget) {  // back in the dialog; closed with Cancel
    auto* dialog = qobject_cast<CBasicSettingsDlg*>(&widget);
    if (dialog == nullptr) return false;
    stayedOpen = true;
    ClickLater(*dialog, 2);
    return true;
  });
  app_->MainFrame().ExecuteCommand(gui::kCmdBasicSettings);
  EXPECT_EQ(script.Pending(), 0U);
  EXPECT_TRUE(stayedOpen);
  ASSERT_EQ(script.Messages().size(), 1);
  EXPECT_EQ(script.Messages().front(),
            Text(ids::kMsgWorkingFolderNotAFolder)
                .replace(QStringLiteral("%1"), QString::fromStdString(file.string())));
  EXPECT_EQ(Settings().GetWorkDir(), before);
  EXPECT_FALSE(ProfileOnDisk().HasValue(settings::kSettingsSection, settings::kWorkDirKey));
}

TEST_F(BasicSettingsDialogTest, CancelAndUncheckedGroupsChangeNothing) {
  Settings().SetScaleMode(0);
  Settings().SetAxisGrouping(7);  // not one of the choices: no button checked
  const std::u16string before = Settings().GetWorkDir();
  ModalScript script;
  RunCommand(
      [](CBasicSettingsDlg& dialog) {
        TypeFolder(dialog, QStringLiteral("/nowhere"));
        Check(dialog, 1202);
        ClickLater(dialog, 2);
      },
      script);
  EXPECT_EQ(Settings().GetScaleMode(), 0);
  EXPECT_EQ(Settings().GetWorkDir(), before);
  ModalScript again;
  RunCommand([](CBasicSettingsDlg& dialog) { ClickLater(dialog, 1); }, again);
  EXPECT_EQ(Settings().GetAxisGrouping(), 7);
  EXPECT_EQ(Settings().GetScaleMode(), 0);
}

}  // namespace
}  // namespace vantrel::testing
