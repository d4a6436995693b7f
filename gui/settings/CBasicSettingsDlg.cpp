#include "gui/settings/CBasicSettingsDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/MessageIds.h"
#include "gui/platform/QtServices.h"
#include "gui/widgets/DialogParts.h"
#include "platform/FileErrors.h"
#include "recovery/RecoveryMessages.h"

namespace vantrel::gui {

CBasicSettingsDlg::CBasicSettingsDlg(AppContext& context, QWidget* parent)
    : QDialog(parent), context_(context) {
  const app::BrandedTexts& texts = context.texts;
  setWindowTitle(DialogCaption(texts, kTemplate));

  workDir_ = new QLineEdit(this);
  workDir_->setObjectName(QString::number(kWorkDirEdit));
  workDir_->setMinimumWidth(workDir_->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 26);
  auto* workDirLabel = new QLabel(ControlLabel(texts, kTemplate, kWorkDirEdit), this);
  workDirLabel->setBuddy(workDir_);
  auto* form = new QFormLayout;
  form->addRow(workDirLabel, workDir_);
  recoveryInterval_ = new QSpinBox(this);
  recoveryInterval_->setObjectName(QStringLiteral("recoveryInterval"));
  recoveryInterval_->setRange(0, settings::kMaxRecoveryInterval);
  auto* intervalLabel = new QLabel(TextOf(texts, recovery::kStrRecoveryInterval), this);
  intervalLabel->setBuddy(recoveryInterval_);
  form->addRow(intervalLabel, recoveryInterval_);

  scaleMode_ = std::make_unique<RadioGroup>(
      texts, kTemplate, 1201, std::initializer_list<int>{kScaleModeGroup, 1202}, this);
  axisGrouping_ = std::make_unique<RadioGroup>(
      texts, kTemplate, 1203, std::initializer_list<int>{kAxisGroupingGroup, 1204, 1205}, this);
  auto* groups = new QHBoxLayout;
  groups->addWidget(scaleMode_->Box(), 0, Qt::AlignTop);
  groups->addWidget(axisGrouping_->Box(), 1, Qt::AlignTop);

  QDialogButtonBox* buttons = MakeOkCancelButtons(*this, texts, kTemplate).box;
  QPushButton* save =
      AddDialogButton(*buttons, texts, kTemplate, kSaveButton, QDialogButtonBox::ActionRole);
  save->setAutoDefault(false);
  connect(save, &QPushButton::clicked, this, [this] { SaveAndClose(); });

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(groups);
  layout->addSpacing(6);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  // Shown as stored; a value outside the choices checks no button.
  const settings::CUserSettings& stored = context.settings;
  workDir_->setText(ToQString(stored.GetWorkDir()));
  scaleMode_->SetIndex(stored.GetScaleMode());
  axisGrouping_->SetIndex(stored.GetAxisGrouping());
  recoveryInterval_->setValue(stored.GetRecoveryInterval());
  workDir_->setFocus();
}

void CBasicSettingsDlg::Apply() {
  settings::CUserSettings& stored = context_.settings;
  // A group without a checked button keeps its value.
  if (const int index = scaleMode_->Index(); index >= 0) stored.SetScaleMode(index);
  if (const int index = axisGrouping_->Index(); index >= 0) stored.SetAxisGrouping(index);
  stored.SetRecoveryInterval(recoveryInterval_->value());
  // A folder that cannot be made current is kept as text without a message.
  stored.SetWorkDir(FromQString(workDir_->text()));
}

bool CBasicSettingsDlg::ConfirmWorkDir() {
  const QString text = workDir_->text();
  if (text.isEmpty()) return true;
  const std::filesystem::path folder = PathFromQString(text);
  const std::u16string shown = platform::DisplayName(folder);
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(folder, error);
  if (std::filesystem::is_directory(status)) return true;
  // A name that is missing (also below a missing folder) reports "not found" as an error.
  if (status.type() != std::filesystem::file_type::not_found) {
    const int id =
        error ? platform::FileReadErrorMessageFor(error.value()) : ids::kMsgWorkingFolderNotAFolder;
    context_.messages.ShowMessage(id, platform::Buttons::Ok, platform::Icon::Exclamation, shown);
    FocusWorkDir();
    return false;
  }
  switch (context_.messages.ShowMessage(ids::kMsgWorkingFolderMissing,
                                        platform::Buttons::YesNoCancel, platform::Icon::Question,
                                        shown)) {
    case platform::Answer::Yes:
      std::filesystem::create_directories(folder, error);
      if (error) {
        context_.messages.ShowMessage(platform::FileErrorMessageFor(error.value()),
                                      platform::Buttons::Ok, platform::Icon::Exclamation, shown);
        FocusWorkDir();
        return false;
      }
      return true;
    case platform::Answer::No:
      workDir_->setText(ToQString(context_.settings.GetWorkDir()));
      return true;
    default:
      FocusWorkDir();
      return false;
  }
}

void CBasicSettingsDlg::FocusWorkDir() {
  workDir_->setFocus(Qt::OtherFocusReason);
  workDir_->selectAll();
}

void CBasicSettingsDlg::accept() {
  if (!ConfirmWorkDir()) return;
  Apply();
  QDialog::accept();
}

void CBasicSettingsDlg::SaveAndClose() {
  if (!ConfirmWorkDir()) return;
  Apply();
  if (!context_.settings.SaveGeneral(context_.profile)) {
    ReportSettingsNotSaved(context_.messages, context_.profile);
  }
  QDialog::accept();
}

}  // namespace vantrel::gui
