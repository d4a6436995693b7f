// Texts of the instrument dialogs as they are shown: captions, control labels and strings of
// the language library with the product names filled in, and the "%d" arguments of the
// search status strings.
#pragma once

#include <QString>
#include <initializer_list>

#include "gui/app/BrandedTexts.h"

namespace vantrel::gui {

/// The caption of dialog template `dialogId`.
QString DialogCaption(const BrandedTexts& texts, int dialogId);
/// The label of control `controlId` of dialog template `dialogId`.
QString ControlLabel(const BrandedTexts& texts, int dialogId, int controlId);
/// String `id`.
QString TextOf(const BrandedTexts& texts, int id);
/// String `id` with its "%d" placeholders filled in order by `numbers`.
QString FormatNumbers(const BrandedTexts& texts, int id, std::initializer_list<long long> numbers);

}  // namespace vantrel::gui
