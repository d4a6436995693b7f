#include "gui/dialogs_b/DialogParts.h"

#include <QPushButton>

#include "app/Placeholders.h"
#include "gui/platform/QtServices.h"

namespace vantrel::gui {

QString CaptionOf(const BrandedTexts& texts, int dialogId) {
  return ToQString(
      app::ReplaceProductNames(texts.Library().DialogCaption(dialogId), texts.Names()));
}

QString LabelOf(const BrandedTexts& texts, int dialogId, int controlId) {
  return ToQString(
      app::ReplaceProductNames(texts.Library().ControlText(dialogId, controlId), texts.Names()));
}

QLabel* BuddyLabel(const BrandedTexts& texts, int dialogId, int controlId, QWidget* buddy) {
  auto* label = new QLabel(LabelOf(texts, dialogId, controlId), buddy->parentWidget());
  label->setBuddy(buddy);
  return label;
}

QDialogButtonBox* OkCancelButtons(QDialog& dialog, const BrandedTexts& texts, int dialogId) {
  auto* buttons = new QDialogButtonBox(&dialog);
  QPushButton* ok =
      Numbered(buttons->addButton(LabelOf(texts, dialogId, 1), QDialogButtonBox::AcceptRole), 1);
  Numbered(buttons->addButton(LabelOf(texts, dialogId, 2), QDialogButtonBox::RejectRole), 2);
  ok->setDefault(true);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  return buttons;
}

}  // namespace vantrel::gui
