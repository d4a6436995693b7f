#include "gui/instrument/DialogTexts.h"

#include "app/Placeholders.h"
#include "app/ProfileStore.h"
#include "gui/platform/QtServices.h"

namespace vantrel::gui {

QString DialogCaption(const BrandedTexts& texts, int dialogId) {
  return ToQString(
      app::ReplaceProductNames(texts.Library().DialogCaption(dialogId), texts.Names()));
}

QString ControlLabel(const BrandedTexts& texts, int dialogId, int controlId) {
  return ToQString(
      app::ReplaceProductNames(texts.Library().ControlText(dialogId, controlId), texts.Names()));
}

QString TextOf(const BrandedTexts& texts, int id) { return ToQString(texts.Text(id)); }

QString FormatNumbers(const BrandedTexts& texts, int id, std::initializer_list<long long> numbers) {
  QString text = TextOf(texts, id);
  for (const long long number : numbers) {
    const qsizetype at = text.indexOf(QStringLiteral("%d"));
    if (at < 0) break;
    text.replace(at, 2, QString::number(number));
  }
  return text;
}

void ReportSettingsNotSaved(platform::MessageService& messages) {
  messages.ShowMessage(app::kMsgSettingsNotSaved, platform::Buttons::Ok,
                       platform::Icon::Exclamation);
}

OkCancelButtons MakeOkCancelButtons(QDialog& dialog, const BrandedTexts& texts, int dialogId) {
  auto* box = new QDialogButtonBox(&dialog);
  QPushButton* ok = box->addButton(ControlLabel(texts, dialogId, 1), QDialogButtonBox::AcceptRole);
  ok->setObjectName(QStringLiteral("1"));
  ok->setDefault(true);
  QPushButton* cancel =
      box->addButton(ControlLabel(texts, dialogId, 2), QDialogButtonBox::RejectRole);
  cancel->setObjectName(QStringLiteral("2"));
  QObject::connect(box, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  return {box, ok, cancel};
}

}  // namespace vantrel::gui
