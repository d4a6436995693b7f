// Building blocks every dialog uses: its caption, control labels and strings from the
// language texts (product names filled in), numbered controls (the object name is the
// control number, so tests and scripts find them), labels with their buddies and
// mnemonics, and the button row of a dialog template.
#pragma once

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <initializer_list>

#include "app/BrandedTexts.h"
#include "app/ProfileStore.h"
#include "platform/MessageService.h"

namespace vantrel::gui {

/// Names `widget` by its control number and returns it.
template <typename W>
W* Numbered(W* widget, int controlId) {
  widget->setObjectName(QString::number(controlId));
  return widget;
}

/// The caption of dialog template `dialogId`.
QString DialogCaption(const app::BrandedTexts& texts, int dialogId);
/// The label of control `controlId` of dialog template `dialogId`.
QString ControlLabel(const app::BrandedTexts& texts, int dialogId, int controlId);
/// String `id`.
QString TextOf(const app::BrandedTexts& texts, int id);
/// String `id` with its "%d" placeholders filled in order by `numbers`.
QString FormatNumbers(const app::BrandedTexts& texts, int id,
                      std::initializer_list<long long> numbers);

/// A label with the text of control `controlId` whose mnemonic leads to `buddy`.
QLabel* BuddyLabel(const app::BrandedTexts& texts, int dialogId, int controlId, QWidget* buddy);

/// Tells the user that settings could not be written to `profile`: the file message of the
/// cause naming the profile's file when it is known (a full disk, a folder in its place,
/// ...), else that the settings could not be saved.
void ReportSettingsNotSaved(platform::MessageService& messages, const app::ProfileStore& profile);

/// The button row of a dialog template: OK (control 1, the default button) and Cancel
/// (control 2), labelled from the language texts, named by their numbers and connected to
/// accept and reject.
struct OkCancelButtons {
  QDialogButtonBox* box;
  QPushButton* ok;
  QPushButton* cancel;
};
OkCancelButtons MakeOkCancelButtons(QDialog& dialog, const app::BrandedTexts& texts, int dialogId);
/// Adds control `controlId` of template `dialogId` to `box` in `role`, named by its number.
QPushButton* AddDialogButton(QDialogButtonBox& box, const app::BrandedTexts& texts, int dialogId,
                             int controlId, QDialogButtonBox::ButtonRole role);

}  // namespace vantrel::gui
