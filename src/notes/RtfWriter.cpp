// The RTF writer.
#include "notes/RtfWriter.h"

#include <string>
#include <string_view>

#include "platform/Strings.h"

namespace vantrel::notes {
namespace {

class Writer {
 public:
  explicit Writer(const RtfDocument& doc) : doc_(doc) {}

  std::vector<std::uint8_t> Write() {
    Word("\\rtf1\\ansi\\ansicpg1252\\deff", doc_.defaultFont);
    Word("\\deftab", 720);
    FontTable();
    ColorTable();
    if (doc_.defaultLanguage != 0) Word("\\deflang", doc_.defaultLanguage);
    Word("\\pard\\plain");
    current_ = CharFormat{};
    current_.font = doc_.defaultFont;
    Alignment alignment = Alignment::Left;
    for (const Paragraph& paragraph : doc_.paragraphs) {
      if (paragraph.alignment != alignment) {
        Word("\\pard");
        AlignmentWord(paragraph.alignment);
        alignment = paragraph.alignment;
      }
      for (const Run& run : paragraph.runs) {
        Format(run.format);
        Text(run.text);
      }
      Format(paragraph.endFormat);
      Word("\\par");
      Raw("\r\n");
    }
    Raw("}");
    return std::vector<std::uint8_t>(out_.begin(), out_.end());
  }

 private:
  void Raw(std::string_view bytes) {
    out_ += bytes;
    delimit_ = false;
  }
  void Word(std::string_view word) {
    out_ += word;
    delimit_ = true;
  }
  void Word(std::string_view word, long long parameter) {
    out_ += word;
    out_ += std::to_string(parameter);
    delimit_ = true;
  }
  /// Literal bytes after control words get their delimiting blank.
  void Literal(std::string_view bytes) {
    if (delimit_) out_ += ' ';
    out_ += bytes;
    delimit_ = false;
  }

  void FontTable() {
    Raw("{\\fonttbl");
    for (const FontEntry& font : doc_.fonts) {
      Raw("{");
      Word("\\f", font.number);
      if (!font.family.empty()) Word("\\" + font.family);
      if (font.charset >= 0) Word("\\fcharset", font.charset);
      FontName(font.name);
      Raw(";}");
    }
    Raw("}");
  }

  void ColorTable() {
    if (doc_.colors.empty()) return;
    Raw("{\\colortbl");
    for (const std::optional<platform::Color>& color : doc_.colors) {
      if (color.has_value()) {
        Word("\\red", platform::RedOf(*color));
        Word("\\green", platform::GreenOf(*color));
        Word("\\blue", platform::BlueOf(*color));
      } else if (delimit_) {
        Raw(" ");
      }
      Raw(";");
    }
    Raw("}");
  }

  /// A font name: printable characters only, ';' escaped (it ends the entry), no blanks
  /// at the end (readers drop them).
  void FontName(std::u16string_view name) {
    const std::size_t end = name.find_last_not_of(u' ');
    if (end == std::u16string_view::npos) return;
    for (const char16_t c : name.substr(0, end + 1)) {
      if (c == u';') {
        Raw("\\'3b");
      } else if (c == u'\\' || c == u'{' || c == u'}') {
        const char escaped[2] = {'\\', static_cast<char>(c)};
        Raw(std::string_view(escaped, 2));
      } else if (c >= 0x20 && c < 0x80) {
        const char byte = static_cast<char>(c);
        Literal(std::string_view(&byte, 1));
      } else if (c >= 0x80) {
        NonAscii(c);
      }
    }
  }

  void AlignmentWord(Alignment alignment) {
    switch (alignment) {
      case Alignment::Left:
        break;
      case Alignment::Center:
        Word("\\qc");
        break;
      case Alignment::Right:
        Word("\\qr");
        break;
      case Alignment::Justify:
        Word("\\qj");
        break;
    }
  }

  /// The control words that turn the current format into `format`.
  void Format(const CharFormat& format) {
    if (format.font != current_.font) Word("\\f", format.font);
    if (format.halfPoints != current_.halfPoints) Word("\\fs", format.halfPoints);
    if (format.color != current_.color) Word("\\cf", format.color);
    if (format.bold != current_.bold) Word(format.bold ? "\\b" : "\\b0");
    if (format.italic != current_.italic) Word(format.italic ? "\\i" : "\\i0");
    if (format.underline != current_.underline) Word(format.underline ? "\\ul" : "\\ulnone");
    current_ = format;
  }

  void Text(std::u16string_view text) {
    for (const char16_t c : text) {
      if (c == u'\\' || c == u'{' || c == u'}') {
        const char escaped[2] = {'\\', static_cast<char>(c)};
        Raw(std::string_view(escaped, 2));
      } else if (c == u'\t') {
        Word("\\tab");
      } else if (c == kLineBreak) {
        Word("\\line");
      } else if (c < 0x20) {
        // Control characters are not text.
      } else if (c < 0x80) {
        const char byte = static_cast<char>(c);
        Literal(std::string_view(&byte, 1));
      } else {
        NonAscii(c);
      }
    }
  }

  void NonAscii(char16_t c) {
    const std::string byte = platform::ToCp1252(std::u16string_view(&c, 1));
    if (byte.size() == 1 && byte[0] != '?') {
      static constexpr char kHex[] = "0123456789abcdef";
      const auto value = static_cast<unsigned char>(byte[0]);
      const char escaped[4] = {'\\', '\'', kHex[value >> 4], kHex[value & 0xF]};
      Raw(std::string_view(escaped, 4));
      return;
    }
    // \uN takes a signed 16-bit number; the '?' is what readers without Unicode show.
    const int signedUnit = c > 0x7FFF ? static_cast<int>(c) - 0x10000 : static_cast<int>(c);
    Word("\\u", signedUnit);
    Raw("?");
  }

  const RtfDocument& doc_;
  std::string out_ = "{";
  bool delimit_ = false;
  CharFormat current_;
};

}  // namespace

std::vector<std::uint8_t> WriteRtf(const RtfDocument& doc) { return Writer(doc).Write(); }

}  // namespace vantrel::notes
