// Look-ups and the plain text of the notes document.
#include "notes/RtfDocument.h"

namespace vantrel::notes {

const FontEntry* RtfDocument::FindFont(int number) const {
  for (const FontEntry& font : fonts) {
    if (font.number == number) return &font;
  }
  return nullptr;
}

std::optional<platform::Color> RtfDocument::ColorAt(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= colors.size()) return std::nullopt;
  return colors[static_cast<std::size_t>(index)];
}

std::u16string RtfDocument::PlainText() const {
  std::u16string text;
  for (std::size_t p = 0; p < paragraphs.size(); ++p) {
    if (p > 0) text.push_back(u'\n');
    for (const Run& run : paragraphs[p].runs) text += run.text;
  }
  return text;
}

}  // namespace vantrel::notes
