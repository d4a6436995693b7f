// Line breaking of the notes: runs are cut into words, blanks, tabs and line breaks, and
// the words are placed greedily. A word wider than the whole line is split where it fills
// the line, so every line takes at least one character and the layout always ends.
#include "notes/NotesLayout.h"

#include <algorithm>

namespace vantrel::notes {
namespace {

struct Token {
  enum Kind { Word, Blank, Tab, Break } kind = Word;
  std::u16string_view text;
  const CharFormat* format = nullptr;
};

bool IsBlank(char16_t c) { return c == u' ' || c == u'\u00A0'; }

std::vector<Token> Tokens(const Paragraph& paragraph) {
  std::vector<Token> tokens;
  for (const Run& run : paragraph.runs) {
    const std::u16string_view text = run.text;
    std::size_t i = 0;
    while (i < text.size()) {
      const char16_t c = text[i];
      if (c == u'\t' || c == kLineBreak) {
        tokens.push_back({c == u'\t' ? Token::Tab : Token::Break, text.substr(i, 1), &run.format});
        ++i;
      } else if (IsBlank(c)) {
        tokens.push_back({Token::Blank, text.substr(i, 1), &run.format});
        ++i;
      } else {
        std::size_t end = i;
        while (end < text.size() && !IsBlank(text[end]) && text[end] != u'\t' &&
               text[end] != kLineBreak) {
          ++end;
        }
        tokens.push_back({Token::Word, text.substr(i, end - i), &run.format});
        i = end;
      }
    }
  }
  return tokens;
}

class LineBuilder {
 public:
  LineBuilder(platform::Canvas& canvas, const RtfDocument& doc, int width,
              std::vector<LaidOutLine>& lines)
      : canvas_(canvas), doc_(doc), width_(std::max(width, 1)), lines_(lines) {}

  void Paragraph(const notes::Paragraph& paragraph) {
    alignment_ = paragraph.alignment;
    for (const Token& token : Tokens(paragraph)) {
      switch (token.kind) {
        case Token::Word:
          Word(token);
          break;
        case Token::Blank:
          Append(token.text, *token.format);
          break;
        case Token::Tab: {
          const int tab = std::max(canvas_.DpiX() * kTabTwips / 1440, 1);
          const int next = (x_ / tab + 1) * tab;
          if (next > width_ && x_ > 0) {
            EndLine(*token.format);
          } else {
            x_ = next;
          }
          break;
        }
        case Token::Break:
          EndLine(*token.format);
          break;
      }
    }
    EndLine(paragraph.endFormat);
  }

 private:
  void Word(const Token& token) {
    std::u16string_view rest = token.text;
    while (!rest.empty()) {
      const int w = Measure(rest, *token.format).cx;
      if (x_ + w <= width_) {
        Append(rest, *token.format);
        return;
      }
      if (x_ > 0) {
        EndLine(*token.format);
        continue;
      }
      // Wider than a whole line: the longest part that fits, at least one character.
      std::size_t low = 1;
      std::size_t high = std::min<std::size_t>(rest.size(), static_cast<std::size_t>(width_));
      while (low < high) {
        const std::size_t mid = (low + high + 1) / 2;
        if (Measure(rest.substr(0, mid), *token.format).cx <= width_) {
          low = mid;
        } else {
          high = mid - 1;
        }
      }
      Append(rest.substr(0, low), *token.format);
      rest.remove_prefix(low);
      if (!rest.empty()) EndLine(*token.format);
    }
  }

  platform::Size Measure(std::u16string_view text, const CharFormat& format) {
    const platform::Font old = canvas_.SelectFont(CanvasFontOf(doc_, format));
    const platform::Size size = canvas_.TextExtent(std::u16string(text));
    canvas_.SelectFont(old);
    return size;
  }

  void Append(std::u16string_view text, const CharFormat& format) {
    const platform::Font font = CanvasFontOf(doc_, format);
    const platform::Color color = doc_.ColorAt(format.color).value_or(platform::kBlack);
    if (!line_.pieces.empty()) {
      LaidOutPiece& last = line_.pieces.back();
      if (last.font == font && last.color == color && last.underline == format.underline &&
          last.x + last.width == x_) {
        last.text += text;
        last.width = Measure(last.text, format).cx;
        x_ = last.x + last.width;
        return;
      }
    }
    const platform::Size size = Measure(text, format);
    line_.pieces.push_back(
        LaidOutPiece{x_, size.cx, size.cy, std::u16string(text), font, color, format.underline});
    line_.height = std::max(line_.height, size.cy);
    x_ += size.cx;
  }

  void EndLine(const CharFormat& format) {
    // Blanks at the end of a line take no room.
    while (!line_.pieces.empty()) {
      LaidOutPiece& last = line_.pieces.back();
      const std::size_t keep = last.text.find_last_not_of(u" \u00A0");
      if (keep == std::u16string::npos) {
        line_.pieces.pop_back();
        continue;
      }
      if (keep + 1 < last.text.size()) {
        last.text.resize(keep + 1);
        const platform::Font old = canvas_.SelectFont(last.font);
        last.width = canvas_.TextExtent(last.text).cx;
        canvas_.SelectFont(old);
      }
      break;
    }
    if (line_.height == 0) line_.height = Measure(u"X", format).cy;
    const int used = line_.pieces.empty() ? 0 : line_.pieces.back().x + line_.pieces.back().width;
    int shift = 0;
    if (alignment_ == Alignment::Center) shift = std::max(width_ - used, 0) / 2;
    if (alignment_ == Alignment::Right) shift = std::max(width_ - used, 0);
    for (LaidOutPiece& piece : line_.pieces) piece.x += shift;
    lines_.push_back(std::move(line_));
    line_ = LaidOutLine{};
    x_ = 0;
  }

  platform::Canvas& canvas_;
  const RtfDocument& doc_;
  int width_;
  std::vector<LaidOutLine>& lines_;
  LaidOutLine line_;
  int x_ = 0;
  Alignment alignment_ = Alignment::Left;
};

}  // namespace

platform::Font CanvasFontOf(const RtfDocument& doc, const CharFormat& format) {
  platform::Font font;
  const FontEntry* entry = doc.FindFont(format.font);
  if (entry != nullptr && !entry->name.empty()) font.family = entry->name;
  font.points = std::max((format.halfPoints + 1) / 2, 1);
  font.bold = format.bold;
  font.italic = format.italic;
  return font;
}

std::vector<LaidOutLine> LayOutNotes(platform::Canvas& canvas, const RtfDocument& doc, int width) {
  std::vector<LaidOutLine> lines;
  LineBuilder builder(canvas, doc, width, lines);
  for (const Paragraph& paragraph : doc.paragraphs) builder.Paragraph(paragraph);
  return lines;
}

}  // namespace vantrel::notes
