// Qt's own texts (file and print dialogs, the print preview, standard buttons) in the
// language of the language library, from the translations installed with Qt.
#pragma once

#include <QString>
#include <QTranslator>
#include <memory>
#include <string>

namespace vantrel::gui {

/// Qt's locale name for a language code of the language library ("GER" -> "de", "ENG" ->
/// "en"); empty for a code it does not know.
QString QtLanguageFor(const std::u16string& languageCode);

/// Loads and installs Qt's translations for `languageCode`; null when none are needed
/// (English is Qt's own language) or none are installed. The translator is removed from
/// the application when the returned object goes.
std::unique_ptr<QTranslator> InstallQtTranslations(const std::u16string& languageCode);

}  // namespace vantrel::gui
