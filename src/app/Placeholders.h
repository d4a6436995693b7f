// The placeholder words of the language texts ("Vantrel", "Trevanometrix", "4.0", "2.0") and
// their replacement by the product names; the choice of the language at start-up. Which
// words are replaced depends on where a text is shown: general texts, main-window titles,
// document strings of the templates, the menus.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/LanguageLibrary.h"
#include "app/ProductNames.h"

namespace vantrel::app {

/// General texts (messages, dialog texts, menu texts): "Vantrel" -> applicationName and
/// "Trevanometrix" -> deviceName. Replacement is done in one pass over the text, so a product
/// name that itself contains a placeholder word is never replaced again.
std::u16string ReplaceProductNames(std::u16string_view text, const ProductNames& names);

/// A title set on the main window: "Vantrel" -> applicationName and "4.0" -> version.
std::u16string ReplaceInMainWindowTitle(std::u16string_view title, const ProductNames& names);

/// The main-window title for an active document: the frame's own title with its placeholders
/// replaced, then " - " and the document title unchanged (a document named "Test 4.0" keeps
/// its name). Without a document title the frame's title alone.
std::u16string ComposeMainWindowTitle(std::u16string_view frameTitle,
                                      std::u16string_view documentTitle, const ProductNames& names);

/// A document string of a template: "Vantrel" -> applicationName, "2.0" -> oldVersion,
/// "4.0" -> version, all in one pass.
std::u16string ReplaceInDocumentString(std::u16string_view text, const ProductNames& names);

/// Menu `menuId` of the library ready to show: every text with ReplaceProductNames, the entry
/// of command 57664 (about box) with string 61447 and the entry of command 32804
/// (auto-configuration) with string 61448 when the library has them; a shortcut text after a
/// tab in the menu entry is kept.
std::vector<MenuItem> BrandedMenu(const LanguageLibrary& library, int menuId,
                                  const ProductNames& names);

/// The language code to load: `option` when it is not blank, else `environmentValue` (the
/// value of VANTREL_LANG, may be null) when it is not blank, else "GER"; trimmed and in upper
/// case. Whether the code names a language file is decided when loading.
std::string ChooseLanguage(std::string_view option, const char* environmentValue);
/// The same with the environment variable VANTREL_LANG of this process.
std::string ChooseLanguage(std::string_view option);

}  // namespace vantrel::app
