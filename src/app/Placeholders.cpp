// Placeholder replacement in one pass and the language choice.
#include "app/Placeholders.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <initializer_list>

#include "app/CommandIds.h"
#include "app/MessageIds.h"

namespace vantrel::app {
namespace {

constexpr std::u16string_view kApplicationWord = u"Vantrel";
constexpr std::u16string_view kDeviceWord = u"Trevanometrix";
constexpr std::u16string_view kVersionWord = u"4.0";
constexpr std::u16string_view kOldVersionWord = u"2.0";

struct Replacement {
  std::u16string_view word;
  std::u16string_view value;
};

/// Scans `text` once; at each position the first word of `replacements` found there is
/// replaced, and scanning goes on after the inserted value.
std::u16string ReplaceOnePass(std::u16string_view text,
                              std::initializer_list<Replacement> replacements) {
  std::u16string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    const Replacement* hit = nullptr;
    for (const Replacement& r : replacements) {
      if (!r.word.empty() && text.substr(pos, r.word.size()) == r.word) {
        hit = &r;
        break;
      }
    }
    if (hit != nullptr) {
      out.append(hit->value);
      pos += hit->word.size();
    } else {
      out.push_back(text[pos]);
      ++pos;
    }
  }
  return out;
}

/// Keeps the shortcut part ("\tStrg+O") of `entry` behind the new text.
std::u16string WithShortcutOf(const std::u16string& entry, std::u16string text) {
  std::size_t tab = entry.find(u'\t');
  if (tab != std::u16string::npos && text.find(u'\t') == std::u16string::npos) {
    text += entry.substr(tab);
  }
  return text;
}

void Brand(std::vector<MenuItem>& items, const LanguageLibrary& library,
           const ProductNames& names) {
  for (MenuItem& item : items) {
    std::u16string text = item.text;
    if (item.commandId == ids::kCmdAbout && library.HasText(ids::kStrAboutMenuEntry)) {
      text = WithShortcutOf(item.text, library.Text(ids::kStrAboutMenuEntry));
    } else if (item.commandId == ids::kCmdAutoConfig &&
               library.HasText(ids::kStrAutoConfigMenuEntry)) {
      text = WithShortcutOf(item.text, library.Text(ids::kStrAutoConfigMenuEntry));
    }
    item.text = ReplaceProductNames(text, names);
    Brand(item.children, library, names);
  }
}

std::string TrimmedUpper(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
    text.remove_prefix(1);
  }
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
    text.remove_suffix(1);
  }
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), [](char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  });
  return out;
}

}  // namespace

std::u16string ReplaceProductNames(std::u16string_view text, const ProductNames& names) {
  return ReplaceOnePass(
      text, {{kApplicationWord, names.applicationName}, {kDeviceWord, names.deviceName}});
}

std::u16string ReplaceInMainWindowTitle(std::u16string_view title, const ProductNames& names) {
  return ReplaceOnePass(title,
                        {{kApplicationWord, names.applicationName}, {kVersionWord, names.version}});
}

std::u16string ComposeMainWindowTitle(std::u16string_view frameTitle,
                                      std::u16string_view documentTitle,
                                      const ProductNames& names) {
  std::u16string title = ReplaceInMainWindowTitle(frameTitle, names);
  if (!documentTitle.empty()) {
    title += u" - ";
    title += documentTitle;
  }
  return title;
}

std::u16string ReplaceInDocumentString(std::u16string_view text, const ProductNames& names) {
  return ReplaceOnePass(text, {{kApplicationWord, names.applicationName},
                               {kOldVersionWord, names.oldVersion},
                               {kVersionWord, names.version}});
}

std::vector<MenuItem> BrandedMenu(const LanguageLibrary& library, int menuId,
                                  const ProductNames& names) {
  std::vector<MenuItem> items = library.Menu(menuId);
  Brand(items, library, names);
  return items;
}

std::string ChooseLanguage(std::string_view option, const char* environmentValue) {
  std::string chosen = TrimmedUpper(option);
  if (chosen.empty() && environmentValue != nullptr) chosen = TrimmedUpper(environmentValue);
  return chosen.empty() ? std::string("GER") : chosen;
}

std::string ChooseLanguage(std::string_view option) {
  return ChooseLanguage(option, std::getenv("VANTREL_LANG"));
}

}  // namespace vantrel::app
