// The language texts as the programs show them: the placeholder words replaced by the
// product names of the product information file. The window front end and the
// command-line tool read every text through it.
#pragma once

#include <string>

#include "app/LanguageLibrary.h"
#include "app/Placeholders.h"
#include "app/ProductNames.h"
#include "platform/TextSource.h"

namespace vantrel::app {

class BrandedTexts final : public platform::TextSource {
 public:
  /// `library` must outlive the object.
  BrandedTexts(const LanguageLibrary& library, ProductNames names);

  /// String `id` with the product names filled in; empty when the library has none.
  std::u16string Text(int id) const override;
  /// The caption of dialog template `dialogId` with the product names filled in.
  std::u16string DialogCaption(int dialogId) const;
  /// The label of control `controlId` of dialog template `dialogId`, names filled in.
  std::u16string ControlText(int dialogId, int controlId) const;

  const LanguageLibrary& Library() const { return library_; }
  const ProductNames& Names() const { return names_; }

 private:
  const LanguageLibrary& library_;
  ProductNames names_;
};

}  // namespace vantrel::app
