// Texts of the instrument dialogs as they are shown: captions, control labels and strings of
// the language library with the product names filled in, and the "%d" arguments of the
// search status strings.
#pragma once

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QString>
#include <initializer_list>

#include "gui/app/BrandedTexts.h"
#include "platform/MessageService.h"

namespace vantrel::gui {

/// The caption of dialog template `dialogId`.
QString DialogCaption(const BrandedTexts& texts, int dialogId);
/// The label of control `controlId` of dialog template `dialogId`.
QString ControlLabel(const BrandedTexts& texts, int dialogId, int controlId);
/// String `id`.
QString TextOf(const BrandedTexts& texts, int id);
/// String `id` with its "%d" placeholders filled in order by `numbers`.
QString FormatNumbers(const BrandedTexts& texts, int id, std::initializer_list<long long> numbers);

/// Tells the user that settings could not be written to the profile.
void ReportSettingsNotSaved(platform::MessageService& messages);

/// The OK (control 1, default) and Cancel (control 2) buttons of a dialog template, labelled
/// from the language library and connected to accept and reject.
struct OkCancelButtons {
  QDialogButtonBox* box;
  QPushButton* ok;
  QPushButton* cancel;
};
OkCancelButtons MakeOkCancelButtons(QDialog& dialog, const BrandedTexts& texts, int dialogId);

}  // namespace vantrel::gui
