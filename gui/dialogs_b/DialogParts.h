// Building blocks shared by the chart dialogs: numbered controls (the object name is the
// control number, so tests and scripts find them), labels with their buddies and mnemonics
// from the language texts, and the OK/Cancel button row of a template.
#pragma once

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QString>

#include "gui/app/BrandedTexts.h"

namespace vantrel::gui {

/// Names `widget` by its control number and returns it.
template <typename W>
W* Numbered(W* widget, int controlId) {
  widget->setObjectName(QString::number(controlId));
  return widget;
}

/// The caption of template `dialogId` and the label text of one of its controls.
QString CaptionOf(const BrandedTexts& texts, int dialogId);
QString LabelOf(const BrandedTexts& texts, int dialogId, int controlId);

/// A label with the text of control `controlId` whose mnemonic leads to `buddy`.
QLabel* BuddyLabel(const BrandedTexts& texts, int dialogId, int controlId, QWidget* buddy);

/// The OK (default) and Cancel buttons of template `dialogId` (texts of controls 1 and 2),
/// wired to the dialog's accept and reject.
QDialogButtonBox* OkCancelButtons(QDialog& dialog, const BrandedTexts& texts, int dialogId);

}  // namespace vantrel::gui
