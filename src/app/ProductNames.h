// The names that brand the program, read from the product information file: they replace
// the placeholder words of the language texts.
#pragma once

#include <string>

namespace vantrel::app {

struct ProductNames {
  std::u16string applicationName = u"Vantrel";   // replaces "Vantrel"
  std::u16string version = u"4.0";               // replaces "4.0" in titles and document strings
  std::u16string oldVersion = u"2.0";            // replaces "2.0" in document strings
  std::u16string deviceName = u"Trevanometrix";  // replaces "Trevanometrix"
  std::u16string maker;                          // the company key of the profile
};

}  // namespace vantrel::app
