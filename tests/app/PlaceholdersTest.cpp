// Tests of the placeholder replacement per place of use and of the language choice.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Placeholders.h"

namespace vantrel::app {
namespace {

ProductNames Brand() {
  ProductNames names;
  names.applicationName = u"HydroView";
  names.version = u"5.1";
  names.oldVersion = u"1.7";
  names.deviceName = u"Multi-Tester";
  return names;
}

TEST(Placeholders, EachPlaceReplacesItsOwnWords) {
  enum class Place { kGeneral, kTitle, kDocumentString };
  struct Case {
    Place place;
    std::u16string text;
    std::u16string expected;
  };
  const std::vector<Case> cases = {
      {Place::kGeneral, u"Inf&o über Vantrel...", u"Inf&o über HydroView..."},
      {Place::kGeneral, u"&Trevanometrix Auto-Config...", u"&Multi-Tester Auto-Config..."},
      {Place::kGeneral, u"Vantrel 4.0 und 2.0 mit Trevanometrix und Trevanometrix",
       u"HydroView 4.0 und 2.0 mit Multi-Tester und Multi-Tester"},
      {Place::kTitle, u"Vantrel   4.0", u"HydroView   5.1"},
      {Place::kTitle, u"Vantrel 2.0 Trevanometrix", u"HydroView 2.0 Trevanometrix"},
      {Place::kDocumentString, u"\nMessung\nVantrel 4.0 Dokument\nVantrel 2.0 (*.vqb)\n.vqb",
       u"\nMessung\nHydroView 5.1 Dokument\nHydroView 1.7 (*.vqb)\n.vqb"},
      {Place::kDocumentString, u"Trevanometrix", u"Trevanometrix"},
      {Place::kGeneral, u"", u""},
      {Place::kTitle, u"VantrelVantrel4.04.0", u"HydroViewHydroView5.15.1"},
  };
  const ProductNames names = Brand();
  for (const Case& c : cases) {
    std::u16string result = c.place == Place::kGeneral ? ReplaceProductNames(c.text, names)
                            : c.place == Place::kTitle ? ReplaceInMainWindowTitle(c.text, names)
                                                       : ReplaceInDocumentString(c.text, names);
    EXPECT_EQ(result, c.expected);
  }
}

TEST(Placeholders, ReplacedNamesAreNotReplacedAgain) {
  ProductNames names;
  names.applicationName = u"Vantrel 2.0 Pro";
  names.version = u"4.0";
  names.oldVersion = u"4.0";
  names.deviceName = u"Vantrel-Trevanometrix";
  EXPECT_EQ(ReplaceInDocumentString(u"Vantrel 2.0 / 4.0", names), u"Vantrel 2.0 Pro 4.0 / 4.0");
  EXPECT_EQ(ReplaceProductNames(u"Trevanometrix", names), u"Vantrel-Trevanometrix");
}

TEST(Placeholders, MainWindowTitleLeavesTheDocumentTitleAlone) {
  EXPECT_EQ(ComposeMainWindowTitle(u"Vantrel   4.0", u"Messung Vantrel 4.0", Brand()),
            u"HydroView   5.1 - Messung Vantrel 4.0");
  EXPECT_EQ(ComposeMainWindowTitle(u"Vantrel   4.0", u"", Brand()), u"HydroView   5.1");
}

TEST(Placeholders, BrandedMenuTakesTheAboutAndAutoConfigTextsFromTheirStrings) {
  auto lib = LanguageLibrary::Parse(
      "[strings]\n61447=&Über Vantrel...\n61448=Trevanometrix &suchen\n"
      "[menu 128]\n"
      "E&xtras\n"
      "  Trevanometrix Auto-Config... = 32804\n"
      "  Vantrel-Einstellungen = 32805\n"
      "&?\n"
      "  Info\\tF12 = 57664\n");
  std::vector<MenuItem> menu = BrandedMenu(*lib, 128, Brand());
  ASSERT_EQ(menu.size(), 2u);
  EXPECT_EQ(menu[0].children[0].text, u"Multi-Tester &suchen");
  EXPECT_EQ(menu[0].children[1].text, u"HydroView-Einstellungen");
  EXPECT_EQ(menu[1].children[0].text, u"&Über HydroView...\tF12");

  auto withoutStrings = LanguageLibrary::Parse("[menu 1]\nInfo über Vantrel = 57664\n");
  EXPECT_EQ(BrandedMenu(*withoutStrings, 1, Brand())[0].text, u"Info über HydroView");
}

TEST(Placeholders, LanguageComesFromOptionThenEnvironmentThenGerman) {
  struct Case {
    std::string option;
    const char* environment;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"ENG", "FRA", "ENG"}, {"", "FRA", "FRA"}, {"  ", "eng ", "ENG"},
      {"", nullptr, "GER"},  {"", "", "GER"},    {" eng", nullptr, "ENG"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ChooseLanguage(c.option, c.environment), c.expected) << "option '" << c.option << "'";
  }
}

}  // namespace
}  // namespace vantrel::app
