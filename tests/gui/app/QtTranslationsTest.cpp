// Qt's own texts follow the language of the language library.
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPushButton>

#include "gui/GuiTestSupport.h"
#include "gui/app/QtTranslations.h"

namespace vantrel::testing {
namespace {

TEST(QtTranslations, QtsOwnButtonsSpeakTheLanguageOfTheLanguageLibrary) {
  EXPECT_EQ(gui::QtLanguageFor(u"GER"), QStringLiteral("de"));
  EXPECT_EQ(gui::QtLanguageFor(u"ENG"), QStringLiteral("en"));
  EXPECT_EQ(gui::QtLanguageFor(u"XYZ"), QString());
  for (const auto& [language, cancel] :
       {std::pair{"GER", "Abbrechen"}, std::pair{"ENG", "Cancel"}}) {
    SCOPED_TRACE(language);
    TempFolder folder;
    auto app = StartApp(folder, language);
    ASSERT_NE(app, nullptr);
    QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&')),
              QString::fromLatin1(cancel));
    // Font styles keep the names the fonts carry, so the font dialog finds a bold font's
    // style.
    QFont bold(QStringLiteral("Liberation Sans"));
    bold.setBold(true);
    EXPECT_EQ(QFontDatabase::styleString(bold), QStringLiteral("Bold"));
  }
}

}  // namespace
}  // namespace vantrel::testing
