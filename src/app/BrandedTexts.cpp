#include "app/BrandedTexts.h"

#include <utility>

#include "app/Placeholders.h"

namespace vantrel::app {

BrandedTexts::BrandedTexts(const LanguageLibrary& library, ProductNames names)
    : library_(library), names_(std::move(names)) {}

std::u16string BrandedTexts::Text(int id) const {
  return ReplaceProductNames(library_.Text(id), names_);
}

std::u16string BrandedTexts::DialogCaption(int dialogId) const {
  return ReplaceProductNames(library_.DialogCaption(dialogId), names_);
}

std::u16string BrandedTexts::ControlText(int dialogId, int controlId) const {
  return ReplaceProductNames(library_.ControlText(dialogId, controlId), names_);
}

}  // namespace vantrel::app
