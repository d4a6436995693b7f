// The language texts as every window shows them: placeholder words replaced by the product
// names of the product information file.
#pragma once

#include "app/LanguageLibrary.h"
#include "app/Placeholders.h"
#include "app/ProductNames.h"
#include "platform/TextSource.h"

namespace vantrel::gui {

class BrandedTexts final : public platform::TextSource {
 public:
  BrandedTexts(const app::LanguageLibrary& library, app::ProductNames names)
      : library_(library), names_(std::move(names)) {}
  std::u16string Text(int id) const override {
    return app::ReplaceProductNames(library_.Text(id), names_);
  }
  const app::LanguageLibrary& Library() const { return library_; }
  const app::ProductNames& Names() const { return names_; }

 private:
  const app::LanguageLibrary& library_;
  app::ProductNames names_;
};

}  // namespace vantrel::gui
