// The RTF reader: a single pass over the bytes with a bounded stack of group states.
#include "notes/RtfReader.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string_view>
#include <vector>

#include "platform/Strings.h"

namespace vantrel::notes {
namespace {

/// Letters of a control word kept (RTF allows 32); longer words are ignored.
constexpr std::size_t kMaxWordLength = 32;
/// Characters kept of a font name.
constexpr std::size_t kMaxFontName = 256;
/// Largest \ucN honoured (fallback texts are one or two characters in practice).
constexpr long long kMaxUnicodeSkip = 16;
/// Largest \fsN in half-points.
constexpr long long kMaxHalfPoints = 3276;

enum class Destination { Text, FontTable, ColorTable, Skip };

struct GroupState {
  CharFormat format;
  Alignment alignment = Alignment::Left;
  Destination destination = Destination::Text;
  int unicodeSkip = 1;
};

/// Destinations whose contents are never text, whether or not they are marked with \*.
bool IsSkippedDestination(std::string_view word) {
  static constexpr std::array<std::string_view, 34> kSkipped = {
      "stylesheet", "info",      "pict",         "header",     "footer",
      "headerl",    "headerr",   "headerf",      "footerl",    "footerr",
      "footerf",    "object",    "themedata",    "listtable",  "listoverridetable",
      "rsidtbl",    "generator", "latentstyles", "xmlnstbl",   "datastore",
      "filetbl",    "revtbl",    "operator",     "author",     "title",
      "company",    "fldinst",   "footnote",     "nonshppict", "colorschememapping",
      "mmathPr",    "pgdsctbl",  "comment",      "annotation"};
  return std::find(kSkipped.begin(), kSkipped.end(), word) != kSkipped.end();
}

/// Characters of the control words that stand for one character.
char16_t SymbolOf(std::string_view word) {
  if (word == "emdash") return u'\u2014';
  if (word == "endash") return u'\u2013';
  if (word == "bullet") return u'\u2022';
  if (word == "lquote") return u'\u2018';
  if (word == "rquote") return u'\u2019';
  if (word == "ldblquote") return u'\u201C';
  if (word == "rdblquote") return u'\u201D';
  if (word == "emspace" || word == "enspace" || word == "qmspace") return u' ';
  if (word == "tab" || word == "cell") return u'\t';
  if (word == "line") return kLineBreak;
  return 0;
}

int HexValue(std::uint8_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsLetter(std::uint8_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(std::uint8_t c) { return c >= '0' && c <= '9'; }

class Parser {
 public:
  explicit Parser(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  RtfDocument Read() {
    stack_.push_back(GroupState{});
    stack_.back().format.font = doc_.defaultFont;
    // The outermost group is the document; text after it is not part of it.
    while (at_ < bytes_.size() && !finished_) {
      const std::uint8_t c = bytes_[at_++];
      switch (c) {
        case '{':
          OpenGroup();
          break;
        case '}':
          CloseGroup();
          break;
        case '\\':
          Control();
          break;
        case '\r':
        case '\n':
          break;  // line ends of the RTF source are not text
        default:
          Byte(c);
          break;
      }
    }
    Finish();
    return std::move(doc_);
  }

 private:
  GroupState& State() { return stack_.back(); }

  void OpenGroup() {
    pendingSkip_ = 0;
    ++depth_;
    if (stack_.size() < static_cast<std::size_t>(kMaxRtfDepth)) {
      stack_.push_back(stack_.back());
    } else {
      ++overflow_;
    }
  }

  void CloseGroup() {
    pendingSkip_ = 0;
    if (depth_ > 0) --depth_;
    if (overflow_ > 0) {
      --overflow_;
      return;
    }
    if (State().destination == Destination::FontTable) EndFont();
    if (stack_.size() > 2) {
      stack_.pop_back();
    } else if (stack_.size() == 2) {
      // The document group itself closes: keep its state for the last paragraph.
      finished_ = depth_ == 0;
      if (!finished_) stack_.pop_back();
    }
  }

  /// A literal byte of the current destination.
  void Byte(std::uint8_t c) {
    if (pendingSkip_ > 0) {
      --pendingSkip_;
      return;
    }
    switch (State().destination) {
      case Destination::Text: {
        if (c < 0x20 && c != '\t') break;  // control bytes are not text
        const char byte = static_cast<char>(c);
        Text(platform::FromCp1252(std::string_view(&byte, 1)));
        break;
      }
      case Destination::FontTable:
        if (c == ';') {
          EndFont();
        } else if (fontOpen_ && font_.name.size() < kMaxFontName && c >= 0x20) {
          const char byte = static_cast<char>(c);
          font_.name += platform::FromCp1252(std::string_view(&byte, 1));
        }
        break;
      case Destination::ColorTable:
        if (c == ';') EndColor();
        break;
      case Destination::Skip:
        break;
    }
  }

  /// Text of the current destination (after escapes are resolved).
  void Text(std::u16string_view text) {
    if (State().destination != Destination::Text || text.empty()) return;
    Paragraph& paragraph = doc_.paragraphs.back();
    paragraph.alignment = State().alignment;
    if (paragraph.runs.empty() || paragraph.runs.back().format != State().format) {
      paragraph.runs.push_back(Run{State().format, {}});
    }
    paragraph.runs.back().text += text;
  }

  /// A character from an escape: honours the fallback count of a preceding \uN.
  void EscapedChar(char16_t c) {
    if (pendingSkip_ > 0) {
      --pendingSkip_;
      return;
    }
    if (c < 0x20 && c != u'\t') return;  // control characters are not text
    if (State().destination == Destination::FontTable) {
      if (fontOpen_ && font_.name.size() < kMaxFontName && c >= 0x20) font_.name.push_back(c);
      return;
    }
    Text(std::u16string_view(&c, 1));
  }

  void EndParagraph() {
    if (State().destination != Destination::Text) return;
    if (pendingSkip_ > 0) {
      --pendingSkip_;
      return;
    }
    Paragraph& paragraph = doc_.paragraphs.back();
    paragraph.alignment = State().alignment;
    paragraph.endFormat = State().format;
    if (doc_.paragraphs.size() >= kMaxParagraphs) {
      Text(std::u16string_view(&kLineBreak, 1));
      return;
    }
    doc_.paragraphs.push_back(Paragraph{State().alignment, {}, State().format});
    endedByPar_ = true;
  }

  void Finish() {
    if (fontOpen_) EndFont();
    Paragraph& last = doc_.paragraphs.back();
    if (last.runs.empty() && doc_.paragraphs.size() > 1 && endedByPar_) {
      // The last paragraph mark closes the text; an editor does not show a line after it.
      doc_.paragraphs.pop_back();
      return;
    }
    last.alignment = State().alignment;
    last.endFormat = State().format;
  }

  void EndFont() {
    if (!fontOpen_) return;
    fontOpen_ = false;
    while (!font_.name.empty() && font_.name.back() == u' ') font_.name.pop_back();
    for (FontEntry& existing : doc_.fonts) {
      if (existing.number == font_.number) {
        existing = font_;
        return;
      }
    }
    if (doc_.fonts.size() < kMaxTableEntries) doc_.fonts.push_back(font_);
  }

  void EndColor() {
    if (doc_.colors.size() < kMaxTableEntries) {
      doc_.colors.push_back(
          colorSeen_ ? std::optional<platform::Color>(platform::MakeColor(red_, green_, blue_))
                     : std::nullopt);
    }
    colorSeen_ = false;
    red_ = green_ = blue_ = 0;
  }

  /// After a backslash: a control symbol or a control word with its parameter.
  void Control() {
    if (at_ >= bytes_.size()) return;  // a truncated escape ends the text
    const std::uint8_t first = bytes_[at_];
    if (!IsLetter(first)) {
      ++at_;
      Symbol(first);
      return;
    }
    std::string word;
    while (at_ < bytes_.size() && IsLetter(bytes_[at_])) {
      if (word.size() <= kMaxWordLength) word.push_back(static_cast<char>(bytes_[at_]));
      ++at_;
    }
    bool negative = false;
    if (at_ + 1 < bytes_.size() && bytes_[at_] == '-' && IsDigit(bytes_[at_ + 1])) {
      negative = true;
      ++at_;
    }
    bool hasParameter = false;
    long long parameter = 0;
    while (at_ < bytes_.size() && IsDigit(bytes_[at_])) {
      hasParameter = true;
      // Numbers beyond the 32-bit range saturate; the digits are consumed all the same.
      if (parameter <= std::numeric_limits<std::int32_t>::max()) {
        parameter = parameter * 10 + (bytes_[at_] - '0');
      }
      ++at_;
    }
    parameter = std::min<long long>(parameter, std::numeric_limits<std::int32_t>::max());
    if (negative) parameter = -parameter;
    if (at_ < bytes_.size() && bytes_[at_] == ' ') ++at_;  // the delimiter belongs to the word
    if (word.size() > kMaxWordLength) return;
    Word(word, hasParameter, parameter);
  }

  void Symbol(std::uint8_t symbol) {
    switch (symbol) {
      case '\\':
      case '{':
      case '}':
        EscapedChar(static_cast<char16_t>(symbol));
        break;
      case '~':
        EscapedChar(u'\u00A0');
        break;
      case '_':
        EscapedChar(u'\u2011');
        break;
      case '-':  // optional hyphen: nothing to show
        if (pendingSkip_ > 0) --pendingSkip_;
        break;
      case '*':
        State().destination = Destination::Skip;
        break;
      case '\r':
      case '\n':
        EndParagraph();
        break;
      case '\'': {
        if (at_ + 2 > bytes_.size()) {
          at_ = bytes_.size();  // truncated
          return;
        }
        const int high = HexValue(bytes_[at_]);
        const int low = HexValue(bytes_[at_ + 1]);
        if (high < 0 || low < 0) return;  // not an escape; the bytes are read as they are
        at_ += 2;
        const char byte = static_cast<char>(high * 16 + low);
        if (State().destination == Destination::Text ||
            State().destination == Destination::FontTable) {
          const std::u16string c = platform::FromCp1252(std::string_view(&byte, 1));
          EscapedChar(c.empty() ? u'?' : c.front());
        } else if (pendingSkip_ > 0) {
          --pendingSkip_;
        }
        break;
      }
      default:
        if (pendingSkip_ > 0) --pendingSkip_;
        break;
    }
  }

  void Word(std::string_view word, bool hasParameter, long long parameter) {
    GroupState& state = State();
    const int value = static_cast<int>(parameter);
    // Destinations.
    if (word == "fonttbl") {
      state.destination = Destination::FontTable;
      return;
    }
    if (word == "colortbl") {
      state.destination = Destination::ColorTable;
      return;
    }
    if (IsSkippedDestination(word)) {
      state.destination = Destination::Skip;
      return;
    }
    if (state.destination == Destination::Skip) return;
    if (state.destination == Destination::FontTable && word != "u" && word != "uc") {
      FontTableWord(word, hasParameter, value);
      return;
    }
    if (state.destination == Destination::ColorTable) {
      const int component = std::clamp(value, 0, 255);
      if (word == "red") red_ = component;
      if (word == "green") green_ = component;
      if (word == "blue") blue_ = component;
      if (word == "red" || word == "green" || word == "blue") colorSeen_ = true;
      return;
    }
    // A control word inside a \uN fallback counts as one skipped character.
    if (pendingSkip_ > 0 && word != "u") {
      --pendingSkip_;
      return;
    }
    const bool on = !hasParameter || parameter != 0;
    if (word == "par" || word == "sect" || word == "page" || word == "row") {
      EndParagraph();
    } else if (const char16_t symbol = SymbolOf(word); symbol != 0) {
      Text(std::u16string_view(&symbol, 1));
    } else if (word == "u" && hasParameter) {
      if (pendingSkip_ > 0) pendingSkip_ = 0;
      // Signed 16-bit values stand for the code units above 32767.
      const auto unit = static_cast<char16_t>(static_cast<std::uint16_t>(parameter & 0xFFFF));
      EscapedChar(unit);
      pendingSkip_ = state.unicodeSkip;
    } else if (word == "uc" && hasParameter) {
      state.unicodeSkip = static_cast<int>(std::clamp<long long>(parameter, 0, kMaxUnicodeSkip));
    } else if (word == "pard") {
      state.alignment = Alignment::Left;
    } else if (word == "ql") {
      state.alignment = Alignment::Left;
    } else if (word == "qc") {
      state.alignment = Alignment::Center;
    } else if (word == "qr") {
      state.alignment = Alignment::Right;
    } else if (word == "qj") {
      state.alignment = Alignment::Justify;
    } else if (word == "plain") {
      state.format = CharFormat{};
      state.format.font = doc_.defaultFont;
    } else if (word == "b") {
      state.format.bold = on;
    } else if (word == "i") {
      state.format.italic = on;
    } else if (word == "ul") {
      state.format.underline = on;
    } else if (word == "ulnone") {
      state.format.underline = false;
    } else if (word == "f" && hasParameter) {
      state.format.font = value;
    } else if (word == "fs" && hasParameter) {
      state.format.halfPoints =
          static_cast<int>(std::clamp<long long>(parameter, 1, kMaxHalfPoints));
    } else if (word == "cf" && hasParameter) {
      state.format.color = std::max(value, 0);
    } else if (word == "deff" && hasParameter) {
      doc_.defaultFont = value;
      state.format.font = value;
    } else if (word == "deflang" && hasParameter) {
      doc_.defaultLanguage = value;
    }
  }

  void FontTableWord(std::string_view word, bool hasParameter, int value) {
    if (word == "f" && hasParameter) {
      EndFont();
      font_ = FontEntry{};
      font_.number = value;
      fontOpen_ = true;
    } else if (word == "fcharset" && hasParameter) {
      font_.charset = std::clamp(value, 0, 255);
    } else if (word.size() > 1 && word.front() == 'f' && !hasParameter &&
               (word == "fnil" || word == "froman" || word == "fswiss" || word == "fmodern" ||
                word == "fscript" || word == "fdecor" || word == "ftech" || word == "fbidi")) {
      font_.family = std::string(word);
    }
  }

  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
  RtfDocument doc_;
  std::vector<GroupState> stack_;
  int depth_ = 0;
  int overflow_ = 0;
  int pendingSkip_ = 0;
  bool finished_ = false;
  bool endedByPar_ = false;
  FontEntry font_;
  bool fontOpen_ = false;
  bool colorSeen_ = false;
  int red_ = 0;
  int green_ = 0;
  int blue_ = 0;
};

RtfDocument ReadPlainText(std::span<const std::uint8_t> bytes) {
  RtfDocument doc;
  doc.paragraphs.clear();
  Paragraph paragraph;
  std::string line;
  auto endLine = [&] {
    if (!line.empty()) paragraph.runs.push_back(Run{CharFormat{}, platform::FromCp1252(line)});
    doc.paragraphs.push_back(std::move(paragraph));
    paragraph = Paragraph{};
    line.clear();
  };
  for (const std::uint8_t c : bytes) {
    if (c == '\n') {
      if (doc.paragraphs.size() + 1 >= kMaxParagraphs) {
        line.push_back(' ');
      } else {
        endLine();
      }
    } else if (c != '\r') {
      line.push_back(static_cast<char>(c));
    }
  }
  endLine();
  return doc;
}

}  // namespace

RtfDocument ReadRtf(std::span<const std::uint8_t> bytes) {
  std::size_t start = 0;
  while (start < bytes.size() && (bytes[start] == ' ' || bytes[start] == '\r' ||
                                  bytes[start] == '\n' || bytes[start] == '\t')) {
    ++start;
  }
  constexpr std::string_view kStart = "{\\rtf";
  const std::span<const std::uint8_t> rest = bytes.subspan(start);
  if (rest.size() < kStart.size() || !std::equal(kStart.begin(), kStart.end(), rest.begin())) {
    return ReadPlainText(bytes);
  }
  return Parser(rest).Read();
}

}  // namespace vantrel::notes
