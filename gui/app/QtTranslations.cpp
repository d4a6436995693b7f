#include "gui/app/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace vantrel::gui {

QString QtLanguageFor(const std::u16string& languageCode) {
  if (languageCode == u"GER") return QStringLiteral("de");
  if (languageCode == u"ENG") return QStringLiteral("en");
  return {};
}

std::unique_ptr<QTranslator> InstallQtTranslations(const std::u16string& languageCode) {
  const QString language = QtLanguageFor(languageCode);
  if (language.isEmpty() || language == QStringLiteral("en")) return nullptr;
  auto translator = std::make_unique<QTranslator>();
  // "qt_<lang>" gathers the catalogues of every Qt module (qtbase holds the dialogs).
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  if (!translator->load(QStringLiteral("qt_") + language, folder) &&
      !translator->load(QStringLiteral("qtbase_") + language, folder)) {
    return nullptr;
  }
  QCoreApplication::installTranslator(translator.get());
  return translator;
}

}  // namespace vantrel::gui
