// Reading, editing and atomic writing of INI files; see IniFile.h.
#include "app/IniFile.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <system_error>

#include "platform/AtomicFile.h"
#include "platform/FileErrors.h"
#include "platform/NumberFormat.h"
#include "platform/OrdinaryFile.h"
#include "platform/Strings.h"

namespace vantrel::app {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualNames(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

bool HasLineBreakOrNul(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

/// Removes one pair of matching quotes around a value.
std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

/// The value as it must be written so that reading gives back exactly `value`.
std::string QuoteForWriting(const std::string& value) {
  if (value.empty()) return value;
  const bool blankAtEdge = IsBlank(value.front()) || IsBlank(value.back());
  const bool looksQuoted = Unquote(value).size() != value.size();
  if (blankAtEdge || looksQuoted) return "\"" + value + "\"";
  return value;
}

bool IsValidSectionName(std::string_view name) {
  return !Trim(name).empty() && Trim(name).size() == name.size() &&
         name.find(']') == std::string_view::npos && !HasLineBreakOrNul(name);
}

bool IsValidKey(std::string_view key) {
  if (Trim(key).empty() || Trim(key).size() != key.size()) return false;
  if (key.front() == '[' || key.front() == ';' || key.front() == '#') return false;
  return key.find('=') == std::string_view::npos && !HasLineBreakOrNul(key);
}

}  // namespace

IniLoadResult IniFile::Load(const std::filesystem::path& path) {
  // Tells a file over the limit apart from the other causes the reading reports.
  constexpr int kOverTheLimit = -1;
  IniLoadResult result;
  std::vector<std::uint8_t> bytes;
  try {
    bytes = platform::ReadOrdinaryFile(path, kMaxBytes, kOverTheLimit);
  } catch (const platform::FileError& error) {
    if (error.MessageId() == kOverTheLimit) {
      result.status = IniLoadStatus::kTooLarge;
      result.detail = path.string() + " is larger than the profile limit";
    } else if (error.MessageId() == platform::kMsgFileNotFound) {
      result.status = IniLoadStatus::kMissing;
      result.detail = "no file " + path.string();
    } else {
      result.status = IniLoadStatus::kUnreadable;
      result.detail = error.what();
      result.messageId = error.MessageId();
    }
    return result;
  }
  result.status = IniLoadStatus::kOk;
  result.file = Parse(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  return result;
}

IniFile IniFile::Parse(std::string_view bytes) {
  IniFile file;
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  file.sections_.push_back(Section{{}, {}, false, {}});
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = bytes.size();
    const std::string_view raw = bytes.substr(pos, end - pos);
    pos = end;
    if (pos < bytes.size()) {
      const bool crlf = bytes[pos] == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n';
      pos += crlf ? 2 : 1;
    }

    const std::string_view text = Trim(raw);
    if (!text.empty() && text.front() == '[') {
      std::string_view name = text.substr(1);
      const std::size_t close = name.find(']');
      if (close != std::string_view::npos) name = name.substr(0, close);
      file.sections_.push_back(Section{std::string(Trim(name)), std::string(raw), true, {}});
      continue;
    }
    Line line{std::string(raw), {}, {}};
    const std::size_t equals = text.find('=');
    const bool comment = !text.empty() && (text.front() == ';' || text.front() == '#');
    if (!comment && equals != std::string_view::npos && !Trim(text.substr(0, equals)).empty()) {
      line.key = std::string(Trim(text.substr(0, equals)));
      std::string_view value = Unquote(Trim(text.substr(equals + 1)));
      value = value.substr(0, value.find('\0'));
      line.value = std::string(value);
    }
    file.sections_.back().lines.push_back(std::move(line));
  }
  return file;
}

const IniFile::Section* IniFile::FindSection(std::string_view name) const {
  for (const Section& section : sections_) {
    if (section.hasHeader && EqualNames(section.name, name)) return &section;
  }
  return nullptr;
}

IniFile::Section* IniFile::FindSection(std::string_view name) {
  for (Section& section : sections_) {
    if (section.hasHeader && EqualNames(section.name, name)) return &section;
  }
  return nullptr;
}

const IniFile::Line* IniFile::FindKey(const Section& section, std::string_view key) {
  for (const Line& line : section.lines) {
    if (!line.key.empty() && EqualNames(line.key, key)) return &line;
  }
  return nullptr;
}

std::optional<std::u16string> IniFile::Get(std::string_view section, std::string_view key) const {
  const Section* found = FindSection(section);
  if (found == nullptr) return std::nullopt;
  const Line* line = FindKey(*found, key);
  if (line == nullptr) return std::nullopt;
  return platform::FromUtf8(line->value);
}

std::u16string IniFile::GetString(std::string_view section, std::string_view key,
                                  std::u16string_view defaultValue) const {
  auto value = Get(section, key);
  return value ? std::move(*value) : std::u16string(defaultValue);
}

int IniFile::GetInt(std::string_view section, std::string_view key, int defaultValue) const {
  const auto value = Get(section, key);
  if (!value) return defaultValue;
  return ParseInt(*value).value_or(defaultValue);
}

bool IniFile::SetString(std::string_view section, std::string_view key, std::u16string_view value) {
  const std::string utf8 = platform::ToUtf8(value);
  if (!IsValidSectionName(section) || !IsValidKey(key) || HasLineBreakOrNul(utf8)) return false;
  Section* target = FindSection(section);
  if (target == nullptr) {
    if (sections_.empty()) sections_.push_back(Section{{}, {}, false, {}});
    // Separate the new section from the previous content by one blank line.
    Section& last = sections_.back();
    if (!last.lines.empty() && !Trim(last.lines.back().raw).empty()) last.lines.push_back({});
    if (last.lines.empty() && last.hasHeader) last.lines.push_back({});
    sections_.push_back(Section{std::string(section), "[" + std::string(section) + "]", true, {}});
    target = &sections_.back();
  }
  for (Line& line : target->lines) {
    if (!line.key.empty() && EqualNames(line.key, key)) {
      line.raw = line.key + "=" + QuoteForWriting(utf8);
      line.value = utf8;
      return true;
    }
  }
  // A new key goes right after the last key of the section, else before its trailing blank
  // lines.
  std::size_t insertAt = target->lines.size();
  bool afterKey = false;
  for (std::size_t i = target->lines.size(); i > 0; --i) {
    if (!target->lines[i - 1].key.empty()) {
      insertAt = i;
      afterKey = true;
      break;
    }
  }
  if (!afterKey) {
    while (insertAt > 0 && Trim(target->lines[insertAt - 1].raw).empty()) --insertAt;
  }
  Line line{std::string(key) + "=" + QuoteForWriting(utf8), std::string(key), utf8};
  target->lines.insert(target->lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
                       std::move(line));
  return true;
}

bool IniFile::SetInt(std::string_view section, std::string_view key, int value) {
  return SetString(section, key, platform::Widen(std::to_string(value)));
}

bool IniFile::Remove(std::string_view section, std::string_view key) {
  Section* target = FindSection(section);
  if (target == nullptr) return false;
  for (auto it = target->lines.begin(); it != target->lines.end(); ++it) {
    if (!it->key.empty() && EqualNames(it->key, key)) {
      target->lines.erase(it);
      return true;
    }
  }
  return false;
}

std::vector<std::string> IniFile::SectionNames() const {
  std::vector<std::string> names;
  for (const Section& section : sections_) {
    if (section.hasHeader) names.push_back(section.name);
  }
  return names;
}

std::string IniFile::Serialize() const {
  std::string out;
  for (const Section& section : sections_) {
    if (section.hasHeader) out += section.header + "\n";
    for (const Line& line : section.lines) {
      out += line.raw;
      out += '\n';
    }
  }
  return out;
}

void IniFile::Save(const std::filesystem::path& path) const {
  // The safe save keeps a link a link (its target is replaced) and the file's access rights.
  platform::SaveFileAtomically(path, Serialize());
}

std::optional<int> IniFile::ParseInt(std::u16string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
    negative = text[i] == u'-';
    ++i;
  }
  int base = 10;
  if (i + 1 < text.size() && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
    base = 16;
    i += 2;
  }
  std::string digits;
  while (i < text.size() && text[i] < 128) {
    const char c = static_cast<char>(text[i]);
    const bool isDigit = (c >= '0' && c <= '9') ||
                         (base == 16 && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')));
    if (!isDigit) break;
    digits += c;
    ++i;
  }
  if (digits.empty()) return std::nullopt;
  std::int64_t magnitude = 0;
  const auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) {
    return std::nullopt;
  }
  return static_cast<int>(value);
}

}  // namespace vantrel::app
