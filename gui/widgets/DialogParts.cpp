#include "gui/widgets/DialogParts.h"

#include "app/ProfileStore.h"
#include "gui/platform/QtServices.h"
#include "platform/FileErrors.h"

namespace vantrel::gui {

QString DialogCaption(const app::BrandedTexts& texts, int dialogId) {
  return ToQString(texts.DialogCaption(dialogId));
}

QString ControlLabel(const app::BrandedTexts& texts, int dialogId, int controlId) {
  return ToQString(texts.ControlText(dialogId, controlId));
}

QString TextOf(const app::BrandedTexts& texts, int id) { return ToQString(texts.Text(id)); }

QString FormatNumbers(const app::BrandedTexts& texts, int id,
                      std::initializer_list<long long> numbers) {
  QString text = TextOf(texts, id);
  for (const long long number : numbers) {
    const qsizetype at = text.indexOf(QStringLiteral("%d"));
    if (at < 0) break;
    text.replace(at, 2, QString::number(number));
  }
  return text;
}

QLabel* BuddyLabel(const app::BrandedTexts& texts, int dialogId, int controlId, QWidget* buddy) {
  auto* label = new QLabel(ControlLabel(texts, dialogId, controlId), buddy->parentWidget());
  label->setBuddy(buddy);
  return label;
}

void ReportSettingsNotSaved(platform::MessageService& messages, const app::ProfileStore& profile) {
  if (const int cause = profile.LastFileMessage(); cause != 0) {
    messages.ShowMessage(cause, platform::Buttons::Ok, platform::Icon::Exclamation,
                         platform::DisplayName(profile.Path()));
    return;
  }
  messages.ShowMessage(app::kMsgSettingsNotSaved, platform::Buttons::Ok,
                       platform::Icon::Exclamation);
}

QPushButton* AddDialogButton(QDialogButtonBox& box, const app::BrandedTexts& texts, int dialogId,
                             int controlId, QDialogButtonBox::ButtonRole role) {
  return Numbered(box.addButton(ControlLabel(texts, dialogId, controlId), role), controlId);
}

OkCancelButtons MakeOkCancelButtons(QDialog& dialog, const app::BrandedTexts& texts, int dialogId) {
  auto* box = new QDialogButtonBox(&dialog);
  QPushButton* ok = AddDialogButton(*box, texts, dialogId, 1, QDialogButtonBox::AcceptRole);
  ok->setDefault(true);
  QPushButton* cancel = AddDialogButton(*box, texts, dialogId, 2, QDialogButtonBox::RejectRole);
  QObject::connect(box, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  return {box, ok, cancel};
}

}  // namespace vantrel::gui
