#include "gui/app/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace vantrel::gui {
namespace {

/// Qt's catalogue without the font style names ("Bold", "Italic"). The font dialog lists
/// the styles under the names the fonts carry, which are not translated, and looks up the
/// style of the font it opens with under its translated name; translated, a bold font
/// would open as a regular one and lose its weight on OK.
class QtCatalogue final : public QTranslator {
 public:
  QString translate(const char* context, const char* sourceText, const char* disambiguation,
                    int n) const override {
    if (qstrcmp(context, "QFontDatabase") == 0) return {};
    return QTranslator::translate(context, sourceText, disambiguation, n);
  }
};

}  // namespace

QString QtLanguageFor(const std::u16string& languageCode) {
  if (languageCode == u"GER") return QStringLiteral("de");
  if (languageCode == u"ENG") return QStringLiteral("en");
  return {};
}

std::unique_ptr<QTranslator> InstallQtTranslations(const std::u16string& languageCode) {
  const QString language = QtLanguageFor(languageCode);
  if (language.isEmpty() || language == QStringLiteral("en")) return nullptr;
  auto translator = std::make_unique<QtCatalogue>();
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
