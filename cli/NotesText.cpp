// A small RTF text reader: groups, control words with their numeric parameter, control
// symbols, \'hh bytes (Windows-1252), \uN characters with their \ucN fallback, and the
// destinations whose contents are not text. Nesting is bounded, so no input can recurse.
#include "NotesText.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string_view>

#include "platform/Strings.h"

namespace vantrel::cli {
namespace {

constexpr std::size_t kMaxDepth = 256;

bool IsSkippedDestination(std::string_view word) {
  static constexpr std::string_view kSkipped[] = {
      "fonttbl",   "colortbl",  "stylesheet",        "info",    "pict",      "header",
      "footer",    "headerl",   "headerr",           "footerl", "footerr",   "object",
      "themedata", "listtable", "listoverridetable", "rsidtbl", "generator", "latentstyles",
      "xmlnstbl",  "datastore", "filetbl",           "revtbl",  "operator",  "author",
      "title",     "company"};
  return std::find(std::begin(kSkipped), std::end(kSkipped), word) != std::end(kSkipped);
}

struct GroupState {
  bool skip = false;
  int unicodeSkip = 1;
};

class RtfReader {
 public:
  explicit RtfReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::u16string Read() {
    std::vector<GroupState> stack{GroupState{}};
    int pendingSkip = 0;  // fallback characters still to drop after a \uN
    while (at_ < bytes_.size()) {
      const auto c = static_cast<char>(bytes_[at_++]);
      if (c == '{') {
        if (stack.size() < kMaxDepth) stack.push_back(stack.back());
        pendingSkip = 0;
      } else if (c == '}') {
        if (stack.size() > 1) stack.pop_back();
        pendingSkip = 0;
      } else if (c == '\\') {
        ControlWord(stack, pendingSkip);
      } else if (c == '\r' || c == '\n') {
        // Line breaks of the RTF source are not text.
      } else if (pendingSkip > 0) {
        --pendingSkip;
      } else if (!stack.back().skip) {
        text_ += platform::FromCp1252(std::string_view(&c, 1));
      }
    }
    return text_;
  }

 private:
  void Emit(std::u16string_view text, const std::vector<GroupState>& stack, int& pendingSkip) {
    if (pendingSkip > 0) {
      --pendingSkip;
      return;
    }
    if (!stack.back().skip) text_ += text;
  }

  void ControlWord(std::vector<GroupState>& stack, int& pendingSkip) {
    if (at_ >= bytes_.size()) return;
    const auto first = static_cast<char>(bytes_[at_]);
    if (!std::isalpha(static_cast<unsigned char>(first))) {
      ++at_;
      switch (first) {
        case '\\':
        case '{':
        case '}':
          Emit(std::u16string(1, static_cast<char16_t>(first)), stack, pendingSkip);
          break;
        case '~':
          Emit(u"\u00A0", stack, pendingSkip);
          break;
        case '_':
          Emit(u"-", stack, pendingSkip);
          break;
        case '*':
          stack.back().skip = true;  // an optional destination this reader does not know
          break;
        case '\'': {
          const std::string hex(reinterpret_cast<const char*>(bytes_.data()) + at_,
                                std::min<std::size_t>(2, bytes_.size() - at_));
          at_ += hex.size();
          char* end = nullptr;
          const long value = std::strtol(hex.c_str(), &end, 16);
          if (hex.size() == 2 && end == hex.c_str() + 2) {
            const char byte = static_cast<char>(value);
            Emit(platform::FromCp1252(std::string_view(&byte, 1)), stack, pendingSkip);
          }
          break;
        }
        default:
          break;
      }
      return;
    }
    std::string word;
    while (at_ < bytes_.size() && std::isalpha(bytes_[at_]) && word.size() < 32) {
      word.push_back(static_cast<char>(bytes_[at_++]));
    }
    bool hasParameter = false;
    bool negative = false;
    long parameter = 0;
    if (at_ < bytes_.size() && bytes_[at_] == '-') {
      negative = true;
      ++at_;
    }
    int digits = 0;
    while (at_ < bytes_.size() && std::isdigit(bytes_[at_])) {
      if (digits++ < 9) parameter = parameter * 10 + (bytes_[at_] - '0');
      hasParameter = true;
      ++at_;
    }
    if (negative) parameter = -parameter;
    if (at_ < bytes_.size() && bytes_[at_] == ' ') ++at_;  // the delimiter belongs to the word

    if (word == "par" || word == "line" || word == "sect" || word == "page") {
      Emit(u"\n", stack, pendingSkip);
    } else if (word == "tab") {
      Emit(u"\t", stack, pendingSkip);
    } else if (word == "uc" && hasParameter) {
      stack.back().unicodeSkip = static_cast<int>(std::clamp(parameter, 0L, 16L));
    } else if (word == "u" && hasParameter) {
      if (parameter < 0) parameter += 65536;
      if (!stack.back().skip) text_.push_back(static_cast<char16_t>(parameter & 0xFFFF));
      pendingSkip = stack.back().unicodeSkip;
    } else if (IsSkippedDestination(word)) {
      stack.back().skip = true;
    }
  }

  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
  std::u16string text_;
};

}  // namespace

std::u16string NotesPlainText(std::span<const std::uint8_t> notes) {
  constexpr std::string_view kRtfStart = "{\\rtf";
  std::u16string text;
  if (notes.size() >= kRtfStart.size() &&
      std::equal(kRtfStart.begin(), kRtfStart.end(), notes.begin())) {
    text = RtfReader(notes).Read();
  } else {
    text = platform::FromCp1252(
        std::string_view(reinterpret_cast<const char*>(notes.data()), notes.size()));
    text = platform::ReplaceAll(platform::ReplaceAll(text, u"\r\n", u"\n"), u"\r", u"\n");
  }
  while (!text.empty() && (text.back() == u'\n' || text.back() == u' ')) text.pop_back();
  return text;
}

std::vector<std::u16string> WrapLines(const std::u16string& text,
                                      const std::function<bool(const std::u16string&)>& fits) {
  std::vector<std::u16string> lines;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(u'\n', start);
    if (end == std::u16string::npos) end = text.size();
    std::u16string paragraph = text.substr(start, end - start);
    for (char16_t& c : paragraph) {
      if (c == u'\t') c = u' ';
    }
    std::u16string line;
    std::size_t at = 0;
    while (at < paragraph.size()) {
      std::size_t wordEnd = paragraph.find(u' ', at);
      if (wordEnd == std::u16string::npos) wordEnd = paragraph.size();
      const std::u16string word = paragraph.substr(at, wordEnd - at);
      const std::u16string candidate = line.empty() ? word : line + u" " + word;
      if (fits(candidate)) {
        line = candidate;
      } else if (!line.empty()) {
        lines.push_back(line);
        line.clear();
        continue;  // the word starts the next line
      } else {
        // A word wider than a line: cut it where it stops fitting (at least one character).
        std::size_t take = 1;
        while (take < word.size() && fits(word.substr(0, take + 1))) ++take;
        lines.push_back(word.substr(0, take));
        at += take;
        continue;
      }
      at = wordEnd + 1;
    }
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

}  // namespace vantrel::cli
