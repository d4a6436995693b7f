// Reading the language text data: sections of strings, menus, toolbars, accelerator tables,
// document strings, dialog captions and control labels (format at the top of
// lang_res/GER.txt). Tolerant of damaged data: a line that does not fit its section is
// skipped, never fatal. Placeholder replacement is not done here (Placeholders.h).
#include "app/LanguageLibrary.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <optional>
#include <string_view>
#include <system_error>

#include "platform/Error.h"
#include "platform/FileErrors.h"
#include "platform/OrdinaryFile.h"
#include "platform/Strings.h"

namespace vantrel::app {
namespace {

constexpr int kMaxId = 65535;                       // resource IDs are 16-bit
constexpr std::size_t kMaxMenuDepth = 8;            // deeper menu lines are skipped
constexpr std::uintmax_t kMaxFileSize = 16u << 20;  // 16 MiB
constexpr std::size_t kMaxLanguageCodeLength = 16;

enum class SectionKind {
  kIgnored,
  kStrings,
  kMenu,
  kToolbar,
  kAccelerators,
  kDocStrings,
  kDialogs,
  kControls
};

struct Section {
  SectionKind kind = SectionKind::kIgnored;
  int id = 0;
};

/// One parsed menu line before the tree is built.
struct MenuLine {
  std::size_t depth = 0;
  bool popup = false;
  MenuItem item;
};

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  return s;
}

/// A resource ID: decimal digits only, 1..65535.
std::optional<int> ParseId(std::string_view text) {
  text = Trim(text);
  if (text.empty() || text.size() > 5) return std::nullopt;
  int value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (value < 1 || value > kMaxId) return std::nullopt;
  return value;
}

/// Resolves "\n", "\t" and "\\"; any other backslash stays as it is.
std::u16string Unescape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\\' && i + 1 < text.size()) {
      char next = text[i + 1];
      if (next == 'n' || next == 't' || next == '\\') {
        out.push_back(next == 'n' ? '\n' : next == 't' ? '\t' : '\\');
        ++i;
        continue;
      }
    }
    out.push_back(c);
  }
  return platform::FromUtf8(out);
}

std::string Lower(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(), [](char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  });
  return out;
}

/// "[strings]", "[menu 128]", ...; an unknown or malformed header starts an ignored section.
Section ParseSectionHeader(std::string_view line) {
  std::string_view inner = Trim(line.substr(1, line.size() - 2));
  std::size_t space = inner.find_first_of(" \t");
  std::string name = Lower(inner.substr(0, space));
  std::optional<int> id;
  if (space != std::string_view::npos) id = ParseId(inner.substr(space));
  bool numbered = space != std::string_view::npos;
  if (!numbered) {
    if (name == "strings") return {SectionKind::kStrings, 0};
    if (name == "docstrings") return {SectionKind::kDocStrings, 0};
    if (name == "dialogs") return {SectionKind::kDialogs, 0};
    return {};
  }
  if (!id) return {};
  if (name == "menu") return {SectionKind::kMenu, *id};
  if (name == "toolbar") return {SectionKind::kToolbar, *id};
  if (name == "accelerators") return {SectionKind::kAccelerators, *id};
  if (name == "controls") return {SectionKind::kControls, *id};
  return {};
}

/// "id=text": the ID before the first '=', the text verbatim after it.
bool SplitIdValue(std::string_view line, int& id, std::u16string& value) {
  std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return false;
  std::optional<int> parsed = ParseId(line.substr(0, eq));
  if (!parsed) return false;
  id = *parsed;
  value = Unescape(line.substr(eq + 1));
  return true;
}

/// "text = id": the ID after the last '=', the trimmed text before it.
bool SplitTextId(std::string_view line, std::string_view& text, int& id) {
  std::size_t eq = line.rfind('=');
  if (eq == std::string_view::npos) return false;
  std::optional<int> parsed = ParseId(line.substr(eq + 1));
  if (!parsed) return false;
  id = *parsed;
  text = Trim(line.substr(0, eq));
  return true;
}

std::optional<MenuLine> ParseMenuLine(std::string_view line) {
  std::size_t spaces = 0;
  while (spaces < line.size() && line[spaces] == ' ') ++spaces;
  if (spaces < line.size() && line[spaces] == '\t') return std::nullopt;  // tabs do not indent
  MenuLine result;
  result.depth = spaces / 2;
  if (result.depth > kMaxMenuDepth) return std::nullopt;
  std::string_view body = Trim(line);
  if (body == "-") {
    result.item.separator = true;
    return result;
  }
  if (body.find('=') == std::string_view::npos) {
    result.popup = true;
    result.item.text = Unescape(body);
    return result;
  }
  std::string_view text;
  int id = 0;
  if (!SplitTextId(body, text, id) || text.empty()) return std::nullopt;
  result.item.text = Unescape(text);
  result.item.commandId = id;
  return result;
}

/// Builds the items of one menu level from `lines[pos]` on. Lines deeper than the next level
/// of a popup, and indented lines after a command, are skipped.
std::vector<MenuItem> BuildMenuLevel(std::vector<MenuLine>& lines, std::size_t& pos,
                                     std::size_t depth) {
  std::vector<MenuItem> items;
  while (pos < lines.size() && lines[pos].depth >= depth) {
    if (lines[pos].depth > depth) {
      ++pos;
      continue;
    }
    MenuItem item = std::move(lines[pos].item);
    bool popup = lines[pos].popup;
    ++pos;
    if (popup && pos < lines.size() && lines[pos].depth > depth) {
      item.children = BuildMenuLevel(lines, pos, depth + 1);
    }
    items.push_back(std::move(item));
  }
  return items;
}

void CollectCommands(const std::vector<MenuItem>& items, const std::string& prefix,
                     std::vector<std::string>& out) {
  for (const MenuItem& item : items) {
    if (item.commandId > 0) out.push_back(prefix + std::to_string(item.commandId));
    CollectCommands(item.children, prefix, out);
  }
}

bool IsValidLanguageCode(const std::string& code) {
  if (code.empty() || code.size() > kMaxLanguageCodeLength) return false;
  return std::all_of(code.begin(), code.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-';
  });
}

[[noreturn]] void ThrowMissing() { throw platform::VantrelError(0, kResourceLibraryMissing); }

}  // namespace

std::unique_ptr<LanguageLibrary> LanguageLibrary::Load(const std::filesystem::path& programDir,
                                                       const std::string& language) {
  std::string code = language.empty() ? std::string("GER") : language;
  if (!IsValidLanguageCode(code)) ThrowMissing();
  std::transform(code.begin(), code.end(), code.begin(), [](char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  });
  std::filesystem::path file = programDir / "lang_res" / (code + ".txt");
  std::string data;
  try {
    const std::vector<std::uint8_t> bytes =
        platform::ReadOrdinaryFile(file, kMaxFileSize, platform::kMsgFileReadError);
    data.assign(bytes.begin(), bytes.end());
  } catch (const platform::FileError&) {
    ThrowMissing();
  }
  std::unique_ptr<LanguageLibrary> library = Parse(data);
  if (library->strings_.empty()) ThrowMissing();
  return library;
}

std::unique_ptr<LanguageLibrary> LanguageLibrary::Parse(const std::string& utf8Data) {
  auto lib = std::make_unique<LanguageLibrary>(ConstructionKey{});
  std::map<int, std::vector<MenuLine>> menuLines;
  std::string_view data(utf8Data);
  if (data.substr(0, 3) == "\xEF\xBB\xBF") data.remove_prefix(3);

  Section section;
  while (!data.empty()) {
    std::size_t newline = data.find('\n');
    std::string_view line = data.substr(0, newline);
    data.remove_prefix(newline == std::string_view::npos ? data.size() : newline + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

    std::string_view trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == '#') continue;
    if (trimmed.front() == '[' && trimmed.back() == ']' && trimmed.size() >= 2) {
      section = ParseSectionHeader(trimmed);
      continue;
    }

    int id = 0;
    std::u16string value;
    switch (section.kind) {
      case SectionKind::kIgnored:
        break;
      case SectionKind::kStrings:
        if (SplitIdValue(line, id, value)) lib->strings_[id] = std::move(value);
        break;
      case SectionKind::kDocStrings:
        if (SplitIdValue(line, id, value)) lib->documentStrings_[id] = std::move(value);
        break;
      case SectionKind::kDialogs:
        if (SplitIdValue(line, id, value)) lib->dialogCaptions_[id] = std::move(value);
        break;
      case SectionKind::kControls:
        if (SplitIdValue(line, id, value)) {
          lib->controlTexts_[{section.id, id}] = std::move(value);
        }
        break;
      case SectionKind::kMenu:
        if (std::optional<MenuLine> menuLine = ParseMenuLine(line)) {
          menuLines[section.id].push_back(std::move(*menuLine));
        }
        break;
      case SectionKind::kToolbar:
        if (trimmed == "-") {
          lib->toolbars_[section.id].push_back(0);
        } else if (std::optional<int> command = ParseId(trimmed)) {
          lib->toolbars_[section.id].push_back(*command);
        }
        break;
      case SectionKind::kAccelerators: {
        std::string_view key;
        if (SplitTextId(trimmed, key, id) && !key.empty()) {
          lib->accelerators_[section.id].push_back({Unescape(key), id});
        }
        break;
      }
    }
  }

  for (auto& [menuId, lines] : menuLines) {
    std::size_t pos = 0;
    lib->menus_[menuId] = BuildMenuLevel(lines, pos, 0);
  }
  return lib;
}

std::u16string LanguageLibrary::Text(int id) const {
  auto it = strings_.find(id);
  return it != strings_.end() ? it->second : std::u16string();
}

bool LanguageLibrary::HasText(int id) const { return strings_.count(id) != 0; }

const std::vector<MenuItem>& LanguageLibrary::Menu(int id) const {
  auto it = menus_.find(id);
  return it != menus_.end() ? it->second : noMenu_;
}

const std::vector<int>& LanguageLibrary::Toolbar(int id) const {
  auto it = toolbars_.find(id);
  return it != toolbars_.end() ? it->second : noToolbar_;
}

const std::vector<Accelerator>& LanguageLibrary::Accelerators(int id) const {
  auto it = accelerators_.find(id);
  return it != accelerators_.end() ? it->second : noAccelerators_;
}

std::u16string LanguageLibrary::DocumentString(int id) const {
  auto it = documentStrings_.find(id);
  return it != documentStrings_.end() ? it->second : std::u16string();
}

std::u16string LanguageLibrary::DialogCaption(int id) const {
  auto it = dialogCaptions_.find(id);
  return it != dialogCaptions_.end() ? it->second : std::u16string();
}

std::u16string LanguageLibrary::ControlText(int dialogId, int controlId) const {
  auto it = controlTexts_.find({dialogId, controlId});
  return it != controlTexts_.end() ? it->second : std::u16string();
}

std::vector<std::string> LanguageLibrary::Inventory() const {
  std::vector<std::string> out;
  for (const auto& entry : strings_) out.push_back("string/" + std::to_string(entry.first));
  for (const auto& entry : documentStrings_) {
    out.push_back("docstring/" + std::to_string(entry.first));
  }
  for (const auto& entry : dialogCaptions_) {
    out.push_back("dialog/" + std::to_string(entry.first));
  }
  for (const auto& entry : controlTexts_) {
    out.push_back("control/" + std::to_string(entry.first.first) + "/" +
                  std::to_string(entry.first.second));
  }
  for (const auto& [id, items] : menus_) {
    std::string prefix = "menu/" + std::to_string(id);
    out.push_back(prefix);
    CollectCommands(items, prefix + "/", out);
  }
  for (const auto& [id, commands] : toolbars_) {
    for (int command : commands) {
      out.push_back("toolbar/" + std::to_string(id) + "/" + std::to_string(command));
    }
  }
  for (const auto& [id, keys] : accelerators_) {
    for (const Accelerator& key : keys) {
      out.push_back("accelerators/" + std::to_string(id) + "/" + std::to_string(key.commandId));
    }
  }
  std::sort(out.begin(), out.end());
  out.erase(std::unique(out.begin(), out.end()), out.end());
  return out;
}

}  // namespace vantrel::app
