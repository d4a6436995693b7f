#include "document/DocumentTitle.h"

#include "platform/NumberFormat.h"

namespace vantrel::document {

std::u16string DocumentStringName(std::u16string_view documentString) {
  const std::size_t start = documentString.find(u'\n');
  if (start == std::u16string_view::npos) return {};
  const std::u16string_view rest = documentString.substr(start + 1);
  return std::u16string(rest.substr(0, rest.find(u'\n')));
}

std::u16string UntitledTitle(std::u16string_view documentString, int number,
                             std::u16string_view untitledText) {
  const std::u16string name = DocumentStringName(documentString);
  if (name.empty()) return std::u16string(untitledText);
  return name + platform::FormatC16("%d", number);
}

}  // namespace vantrel::document
