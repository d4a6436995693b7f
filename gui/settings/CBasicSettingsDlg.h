// The basic settings dialog (template 148): the working folder, the two axis options and
// the recovery interval of the user settings. OK changes them for this session; the save
// button (1045) also writes them to the profile and reports a profile that cannot be written.
// A working folder that does not exist is not taken silently: the user creates it, keeps
// the previous one, or corrects the name.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QSpinBox>
#include <memory>

#include "gui/app/AppContext.h"
#include "gui/widgets/RadioGroup.h"

namespace vantrel::gui {

class CBasicSettingsDlg final : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kTemplate = 148;
  static constexpr int kWorkDirEdit = 1087;
  static constexpr int kScaleModeGroup = 1078;
  static constexpr int kAxisGroupingGroup = 1079;
  static constexpr int kSaveButton = 1045;

  CBasicSettingsDlg(AppContext& context, QWidget* parent);

 public slots:
  /// Takes the choices over into the settings (not into the profile) and closes.
  void accept() override;

 private:
  /// Takes the choices over into the settings.
  void Apply();
  /// Apply, write the profile, close.
  void SaveAndClose();
  /// True when the working folder field names an existing folder (or nothing), or the
  /// user had it created or chose to keep the previous folder; false to stay in the dialog.
  bool ConfirmWorkDir();
  /// Puts the keyboard focus on the working folder field with its text selected.
  void FocusWorkDir();

  AppContext& context_;
  QLineEdit* workDir_ = nullptr;
  QSpinBox* recoveryInterval_ = nullptr;
  std::unique_ptr<RadioGroup> scaleMode_;
  std::unique_ptr<RadioGroup> axisGrouping_;
};

}  // namespace vantrel::gui
