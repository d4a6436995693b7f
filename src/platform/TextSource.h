// Read access to the language texts by number. The language library implements it; the
// model and the drawing code take it as an argument, so they hold no texts of their own.
#pragma once

#include <string>

namespace vantrel::platform {

class TextSource {
 public:
  virtual ~TextSource() = default;
  /// The text of string `id`; empty when the library has none.
  virtual std::u16string Text(int id) const = 0;
};

}  // namespace vantrel::platform
