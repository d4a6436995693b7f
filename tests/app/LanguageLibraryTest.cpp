// Tests of the language library: the shipped GER and ENG texts are complete and agree with
// each other, loading failures, and the reading of damaged language data.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "app/LanguageLibrary.h"
#include "app/MessageIds.h"
#include "platform/Error.h"
#include "platform/Strings.h"

namespace vantrel::app {
namespace {

namespace fs = std::filesystem;

const fs::path kProgramDir = fs::path(VANTREL_BINARY_DIR) / "bin";
const std::vector<std::string> kLanguages = {"GER", "ENG"};

// Every string the program addresses by number: the declared text IDs and the status text
// of every declared command.
std::vector<int> RequiredStrings() {
  std::vector<int> required(ids::kAllMessageIds.begin(), ids::kAllMessageIds.end());
  required.insert(required.end(), ids::kAllCommandIds.begin(), ids::kAllCommandIds.end());
  return required;
}

// The placeholders a text takes; a translation must keep them.
std::multiset<std::u16string> PlaceholdersOf(const std::u16string& text) {
  std::multiset<std::u16string> found;
  for (std::size_t pos = text.find(u'%'); pos != std::u16string::npos && pos + 1 < text.size();
       pos = text.find(u'%', pos + 2)) {
    found.insert(text.substr(pos, 2));
  }
  return found;
}

struct MenuRequirement {
  int menuId;
  std::vector<int> commands;
};

const std::vector<MenuRequirement> kRequiredMenus = {
    {128,
     {ids::kCmdOpen, ids::kCmdPrintSetup, ids::kCmdRecentFile, ids::kCmdExit, ids::kCmdReadMemory,
      ids::kCmdOnlineStart, ids::kCmdOnlineStop, ids::kCmdToolbar, ids::kCmdStatusBar,
      ids::kCmdCommSettings, ids::kCmdComCheck, ids::kCmdAutoConfig, ids::kCmdBasicSettings,
      ids::kCmdHelpTopics, ids::kCmdAbout}},
    {129, {ids::kCmdOpen,         ids::kCmdPrintSetup,
           ids::kCmdPrint,        ids::kCmdPrintPreview,
           ids::kCmdRecentFile,   ids::kCmdExit,
           ids::kCmdReadMemory,   ids::kCmdOnlineStart,
           ids::kCmdOnlineStop,   ids::kCmdChartSetup,
           ids::kCmdDeleteCurves, ids::kCmdChartFilterCurve,
           ids::kCmdFormulaCurve, ids::kCmdUnits,
           ids::kCmdChartSamples, ids::kCmdTitleText,
           ids::kCmdChartNotes,   ids::kCmdValuesByInterval,
           ids::kCmdExtremes,     ids::kCmdZoomBox,
           ids::kCmdZoomReset,    ids::kCmdCurveInformation,
           ids::kCmdImportCurve,  ids::kCmdTextPlace,
           ids::kCmdTextDelete,   ids::kCmdLineDraw,
           ids::kCmdLineDelete,   ids::kCmdChartMarkers,
           ids::kCmdTitleToggle,  ids::kCmdLegendToggle,
           ids::kCmdCommSettings, ids::kCmdComCheck,
           ids::kCmdAutoConfig,   ids::kCmdBasicSettings,
           ids::kCmdCloseAll,     ids::kCmdCopyChart,
           ids::kCmdExportCsv,    ids::kCmdTextMove,
           ids::kCmdAbout}},
};

const std::vector<int> kRequiredDialogs = {100, 138, 139, 140, 141, 142, 143, 144, 145, 146, 147,
                                           148, 149, 151, 152, 153, 154, 155, 156, 157, 158};

struct ControlRequirement {
  int dialogId;
  std::vector<int> controls;
};

// Controls that show a text (labels of fields, buttons, radio buttons, status lines).
const std::vector<ControlRequirement> kRequiredControls = {
    {100, {1091, 1109, 1106, 1107, 1108, 1104, 1105}},
    {138, {1, 1001}},
    {139, {1002, 1006, 1003, 1009}},
    {140, {1017, 1018}},
    {141, {1019, 1080}},
    {142, {1084, 1023, 1024, 1025, 1026, 1028, 1020, 1016, 1014, 1031, 1033, 1075}},
    {143, {1082, 1081, 1039, 1040, 1035, 1038, 1037, 1034}},
    {144, {1083, 1042, 1043, 1041}},
    {145, {1048, 1046, 1047}},
    {146, {1042, 1043, 1044}},
    {147, {1052, 1051, 1053, 1086}},
    {148, {1087, 1078, 1079, 1045}},
    {149, {1062, 1030, 1063, 1064, 1066, 1065, 1069, 1067, 1068, 1070, 1071, 1073, 1088, 1074}},
    {152, {1, 1089}},
    {153, {1, 1045, 1089}},
    {154, {1050, 1054}},
    {155, {1010}},
    {156, {1049}},
    {158, {1027, 1029, 1085}},
};

std::unique_ptr<LanguageLibrary> LoadShipped(const std::string& language) {
  return LanguageLibrary::Load(kProgramDir, language);
}

std::vector<std::u16string> Split(const std::u16string& text, char16_t separator) {
  std::vector<std::u16string> parts;
  std::size_t start = 0;
  for (std::size_t pos; (pos = text.find(separator, start)) != std::u16string::npos;
       start = pos + 1) {
    parts.push_back(text.substr(start, pos - start));
  }
  parts.push_back(text.substr(start));
  return parts;
}

void CollectCommands(const std::vector<MenuItem>& items, std::set<int>& out) {
  for (const MenuItem& item : items) {
    if (item.commandId > 0) out.insert(item.commandId);
    CollectCommands(item.children, out);
  }
}

std::size_t Count(const std::u16string& text, std::u16string_view what) {
  std::size_t n = 0;
  for (std::size_t pos = text.find(what); pos != std::u16string::npos;
       pos = text.find(what, pos + what.size())) {
    ++n;
  }
  return n;
}

TEST(LanguageLibrary, ShippedLanguagesDefineEveryRequiredEntry) {
  for (const std::string& language : kLanguages) {
    SCOPED_TRACE(language);
    auto lib = LoadShipped(language);
    for (int id : RequiredStrings()) {
      EXPECT_TRUE(lib->HasText(id)) << "string " << id;
    }
    for (const MenuRequirement& menu : kRequiredMenus) {
      std::set<int> commands;
      CollectCommands(lib->Menu(menu.menuId), commands);
      for (int command : menu.commands) {
        EXPECT_TRUE(commands.count(command)) << "menu " << menu.menuId << " command " << command;
      }
    }
    for (int dialog : kRequiredDialogs) {
      EXPECT_FALSE(lib->DialogCaption(dialog).empty()) << "dialog " << dialog;
    }
    for (const ControlRequirement& dialog : kRequiredControls) {
      for (int control : dialog.controls) {
        EXPECT_FALSE(lib->ControlText(dialog.dialogId, control).empty())
            << "dialog " << dialog.dialogId << " control " << control;
      }
    }
    std::set<int> accelerated;
    for (const Accelerator& key : lib->Accelerators(129)) accelerated.insert(key.commandId);
    for (int command : {ids::kCmdCursorDown, ids::kCmdCursorUp, ids::kCmdCursorLeft,
                        ids::kCmdCursorRight, ids::kCmdCursorClick}) {
      EXPECT_TRUE(accelerated.count(command)) << "accelerator for " << command;
    }
    const std::vector<int>& toolbar = lib->Toolbar(128);
    EXPECT_NE(std::find(toolbar.begin(), toolbar.end(), ids::kCmdReadMemory), toolbar.end());
  }
}

TEST(LanguageLibrary, ShippedLanguagesDefineTheSameEntries) {
  EXPECT_EQ(LoadShipped("GER")->Inventory(), LoadShipped("ENG")->Inventory());
}

TEST(LanguageLibrary, ShippedStringsAreAllDeclaredByName) {
  std::set<int> declared(ids::kAllMessageIds.begin(), ids::kAllMessageIds.end());
  declared.insert(ids::kAllCommandIds.begin(), ids::kAllCommandIds.end());
  EXPECT_EQ(declared.size(), ids::kAllMessageIds.size() + ids::kAllCommandIds.size())
      << "an ID is declared twice";
  for (const std::string& entry : LoadShipped("ENG")->Inventory()) {
    if (entry.rfind("string/", 0) != 0) continue;
    EXPECT_TRUE(declared.count(std::stoi(entry.substr(7)))) << entry << " has no name";
  }
}

TEST(LanguageLibrary, ShippedLanguagesGiveEveryTextTheSamePlaceholders) {
  auto german = LoadShipped("GER");
  auto english = LoadShipped("ENG");
  for (int id : RequiredStrings()) {
    EXPECT_EQ(PlaceholdersOf(german->Text(id)), PlaceholdersOf(english->Text(id))) << id;
  }
}

/// The access key of a label or menu text (the letter after a single '&', lower case); 0 when
/// it has none. The shortcut text after "\t" does not count.
char16_t AccessKey(const std::u16string& text) {
  const std::u16string label = text.substr(0, text.find(u'\t'));
  for (std::size_t i = 0; i + 1 < label.size(); ++i) {
    if (label[i] != u'&') continue;
    if (label[i + 1] == u'&') {
      ++i;
      continue;
    }
    const char16_t key = label[i + 1];
    return key >= u'A' && key <= u'Z' ? static_cast<char16_t>(key - u'A' + u'a') : key;
  }
  return 0;
}

/// "<where>: <key>" for every access key used twice among `texts`.
void CollectDuplicateKeys(const std::string& where, const std::vector<std::u16string>& texts,
                          std::set<std::string>& duplicates) {
  std::set<char16_t> seen;
  for (const std::u16string& text : texts) {
    const char16_t key = AccessKey(text);
    if (key != 0 && !seen.insert(key).second) {
      duplicates.insert(where + ": " + platform::ToUtf8(std::u16string(1, key)));
    }
  }
}

void CollectMenuDuplicates(const std::string& where, const std::vector<MenuItem>& items,
                           std::set<std::string>& duplicates) {
  std::vector<std::u16string> texts;
  for (const MenuItem& item : items) {
    if (item.separator) continue;
    texts.push_back(item.text);
    if (!item.children.empty()) {
      CollectMenuDuplicates(where + "/" + platform::ToUtf8(item.text), item.children, duplicates);
    }
  }
  CollectDuplicateKeys(where, texts, duplicates);
}

/// The access keys used twice within one menu level or one dialog of `language`.
std::set<std::string> DuplicateAccessKeys(const std::string& language) {
  const auto library = LoadShipped(language);
  std::set<std::string> duplicates;
  for (int menu : {128, 129}) {
    CollectMenuDuplicates("menu " + std::to_string(menu), library->Menu(menu), duplicates);
  }
  // The dialogs' labels, from the inventory's "control/<dialog>/<control>" entries.
  std::map<int, std::vector<std::u16string>> dialogs;
  for (const std::string& entry : library->Inventory()) {
    int dialog = 0;
    int control = 0;
    if (std::sscanf(entry.c_str(), "control/%d/%d", &dialog, &control) == 2) {
      dialogs[dialog].push_back(library->ControlText(dialog, control));
    }
  }
  for (const auto& [dialog, texts] : dialogs) {
    CollectDuplicateKeys("dialog " + std::to_string(dialog), texts, duplicates);
  }
  return duplicates;
}

TEST(LanguageLibrary, EnglishMenusAndDialogsUseEveryAccessKeyOnce) {
  EXPECT_EQ(DuplicateAccessKeys("ENG"), std::set<std::string>{});
}

TEST(LanguageLibrary, GermanMenusAndDialogsAddNoAccessKeyTwiceBeyondTheirOwnTexts) {
  // The German texts keep the access keys users know, also where two of them meet.
  const std::set<std::string> kept = {
      "dialog 142: e", "dialog 142: n", "dialog 142: x",         "dialog 148: m",
      "dialog 158: d", "menu 129: d",   "menu 129/&Diagramm: z", "menu 129/&Kurven: i",
  };
  const std::set<std::string> found = DuplicateAccessKeys("GER");
  for (const std::string& duplicate : found) {
    EXPECT_TRUE(kept.count(duplicate) != 0) << duplicate;
  }
}

TEST(LanguageLibrary, ShippedLanguagesNameTheirLanguageCode) {
  EXPECT_EQ(LoadShipped("GER")->LanguageCode(), u"GER");
  EXPECT_EQ(LoadShipped("ENG")->LanguageCode(), u"ENG");
}

TEST(LanguageLibrary, ShippedChartTemplatesEachOpenTheirOwnFileType) {
  struct Case {
    int templateId;
    std::u16string extension;
  };
  const std::vector<Case> cases = {{135, u".vqb"}, {129, u".vqa"}, {130, u".vqo"}, {131, u".vqm"},
                                   {132, u".vqg"}, {133, u".vqk"}, {134, u""}};
  for (const std::string& language : kLanguages) {
    auto lib = LoadShipped(language);
    for (const Case& c : cases) {
      SCOPED_TRACE(language + " template " + std::to_string(c.templateId));
      std::vector<std::u16string> fields = Split(lib->DocumentString(c.templateId), u'\n');
      ASSERT_EQ(fields.size(), 7u);
      EXPECT_EQ(fields[4], c.extension);
      if (!c.extension.empty()) {
        EXPECT_NE(fields[3].find(u"*" + c.extension), std::u16string::npos) << "filter name";
      }
    }
  }
}

TEST(LanguageLibrary, ShippedGermanTextsKeepTheWordingTheProgramQuotes) {
  auto lib = LoadShipped("GER");
  const std::vector<std::pair<int, std::u16string>> cases = {
      {ids::kStrSaveAsTitle, u"Speichern unter"},
      {ids::kMsgOpenFailed, u"Fehler beim Öffnen des Dokuments."},
      {ids::kMsgSaveChanges, u"Änderungen in %1 speichern?"},
      {ids::kMsgUnexpectedFileFormat, u"Unerwartetes Dateiformat."},
      {ids::kStrAboutMenuEntry, u"Inf&o über Vantrel..."},
      {ids::kStrUnitRevolutions, u"U/min"},
      {ids::kStrUnitRpm, u"RPM"},
      {ids::kStrUnitTurnsPerMinute, u"tr/min"},
      {ids::kStrUnitPsi, u"PSI"},
      {ids::kStrUnitBar, u"bar"},
      {ids::kStrUnitCelsius, u"°C"},
      {ids::kStrUnitFahrenheit, u"°F"},
      {ids::kStrUnitLitresPerMinute, u"l/min"},
      {ids::kStrUnitGpm, u"GPM"},
  };
  for (const auto& [id, text] : cases) EXPECT_EQ(lib->Text(id), text) << id;

  const std::vector<MenuItem>& menu = lib->Menu(128);
  ASSERT_EQ(menu.size(), 5u);
  EXPECT_EQ(menu[0].text, u"&Datei");
  EXPECT_EQ(menu[0].children[0].text, u"Ö&ffnen...\tStrg+O");
  EXPECT_TRUE(menu[0].children[1].separator);
  EXPECT_EQ(menu[1].text, u"&QDM-Daten-Import");
  const MenuItem& device = menu[1].children[0];
  EXPECT_EQ(device.text, u"&Trevanometrix");
  EXPECT_EQ(device.children[0].text, u"&Speicherauslesen");
  EXPECT_EQ(device.children[0].commandId, ids::kCmdReadMemory);
  EXPECT_EQ(device.children[1].children[1].commandId, ids::kCmdOnlineStop);
}

TEST(LanguageLibrary, ShippedFormatsKeepTheirArguments) {
  struct Case {
    int id;
    std::u16string_view argument;
    std::size_t count;
  };
  const std::vector<Case> cases = {{ids::kStrSearching, u"%d", 2},
                                   {ids::kStrFound, u"%d", 2},
                                   {ids::kStrTransferring, u"%d", 1},
                                   {ids::kMsgDeleteCurves, u"%d", 1},
                                   {ids::kMsgSaveChanges, u"%1", 1}};
  for (const std::string& language : kLanguages) {
    auto lib = LoadShipped(language);
    for (const Case& c : cases) {
      EXPECT_EQ(Count(lib->Text(c.id), c.argument), c.count) << language << " " << c.id;
      EXPECT_EQ(Count(lib->Text(c.id), u"%"), c.count) << language << " " << c.id;
    }
    // The CSV header texts are followed directly by a name or number.
    EXPECT_EQ(lib->Text(ids::kStrCsvMeasurement).back(), u' ') << language;
    EXPECT_EQ(lib->Text(ids::kStrCsvCurveTitle).back(), u' ') << language;
  }
}

TEST(LanguageLibrary, MissingOrUnusableLanguageDataIsReportedAsMissingLibrary) {
  fs::path dir = fs::path(::testing::TempDir()) / "vantrel_language_missing";
  fs::create_directories(dir / "lang_res");
  std::ofstream(dir / "lang_res" / "EMPTY.txt") << "# nothing but a comment\n[strings]\n";
  fs::create_directories(dir / "lang_res" / "DIR.txt");
  const std::vector<std::pair<fs::path, std::string>> cases = {
      {dir / "nowhere", "GER"},
      {dir, "FRA"},
      {dir, "EMPTY"},
      {dir, "DIR"},
      {kProgramDir, "../lang_res/GER"},
      {kProgramDir, "GER.txt"},
      {kProgramDir, std::string(40, 'A')},
  };
  for (const auto& [programDir, language] : cases) {
    SCOPED_TRACE(programDir.string() + " " + language);
    try {
      LanguageLibrary::Load(programDir, language);
      ADD_FAILURE() << "no error";
    } catch (const platform::VantrelError& error) {
      EXPECT_EQ(error.MessageId(), 0);
      EXPECT_STREQ(error.what(), kResourceLibraryMissing);
    }
  }
}

TEST(LanguageLibrary, LanguageCodeDefaultsToGermanAndIgnoresCase) {
  EXPECT_EQ(LanguageLibrary::Load(kProgramDir, "")->LanguageCode(), u"GER");
  EXPECT_EQ(LanguageLibrary::Load(kProgramDir, "eng")->LanguageCode(), u"ENG");
}

TEST(LanguageLibrary, ParsesEveryKindOfSection) {
  auto lib = LanguageLibrary::Parse(
      "\xEF\xBB\xBF# comment\r\n"
      "[strings]\r\n"
      "100=Zeile 1\\nZeile 2\\tTab \\\\ \\x\r\n"
      " 200 =  mit Blanks \n"
      "[docstrings]\n129=\\nA\\nB\n"
      "[dialogs]\n144=Achse\n"
      "[controls 144]\n1083=&Einheit:\n"
      "[toolbar 128]\n57601\n-\n32772\n"
      "[accelerators 129]\nCtrl+C = 32809\n"
      "[menu 128]\n"
      "&Datei\n"
      "  Ö&ffnen...\\tStrg+O = 57601\n"
      "  -\n"
      "  Unter\n"
      "    Eintrag = 5\n"
      "&Hilfe\n");
  EXPECT_EQ(lib->Text(100), u"Zeile 1\nZeile 2\tTab \\ \\x");
  EXPECT_EQ(lib->Text(200), u"  mit Blanks ");
  EXPECT_EQ(lib->DocumentString(129), u"\nA\nB");
  EXPECT_EQ(lib->DialogCaption(144), u"Achse");
  EXPECT_EQ(lib->ControlText(144, 1083), u"&Einheit:");
  EXPECT_EQ(lib->ControlText(143, 1083), u"");
  EXPECT_EQ(lib->Toolbar(128), (std::vector<int>{ids::kCmdOpen, 0, ids::kCmdReadMemory}));
  ASSERT_EQ(lib->Accelerators(129).size(), 1u);
  EXPECT_EQ(lib->Accelerators(129)[0].key, u"Ctrl+C");
  EXPECT_EQ(lib->Accelerators(129)[0].commandId, ids::kCmdCopyChart);

  const std::vector<MenuItem>& menu = lib->Menu(128);
  ASSERT_EQ(menu.size(), 2u);
  ASSERT_EQ(menu[0].children.size(), 3u);
  EXPECT_EQ(menu[0].children[0].text, u"Ö&ffnen...\tStrg+O");
  EXPECT_EQ(menu[0].children[0].commandId, ids::kCmdOpen);
  EXPECT_TRUE(menu[0].children[1].separator);
  ASSERT_EQ(menu[0].children[2].children.size(), 1u);
  EXPECT_EQ(menu[0].children[2].children[0].commandId, 5);
  EXPECT_EQ(menu[1].text, u"&Hilfe");
  EXPECT_TRUE(menu[1].children.empty());
  EXPECT_TRUE(lib->Menu(129).empty());
  EXPECT_TRUE(lib->Toolbar(1).empty());
  EXPECT_TRUE(lib->Accelerators(1).empty());
}

TEST(LanguageLibrary, SkipsMalformedLinesAndIdsOutOfRange) {
  auto lib = LanguageLibrary::Parse(
      "outside any section=1\n"
      "[strings]\n"
      "1=gut\n"
      "-5=negativ\n0=null\n65536=zu gross\n99999999999999999999=riesig\n"
      "12a=keine Zahl\n=leer\nohne Gleichheitszeichen\n"
      "65535=letzte\n"
      "1=ersetzt\n"
      "[unknown]\n2=unbekannt\n"
      "[menu]\n3=ohne Nummer\n"
      "[menu -1]\nA = 1\n"
      "[toolbar 7]\nabc\n-3\n70000\n12\n"
      "[accelerators 7]\n = 4\nF1 = x\nF2 = 0\nF3 = 9\n"
      "[menu 7]\n"
      "    verwaist = 1\n"
      "A = 2\n"
      "  unter Befehl = 3\n"
      "B\n"
      "\tTab = 4\n"
      "      zu tief = 5\n"
      "  = 6\n"
      "  falsch = abc\n"
      "  gut = 7\n");
  EXPECT_EQ(lib->Inventory(),
            (std::vector<std::string>{"accelerators/7/9", "menu/7", "menu/7/2", "menu/7/7",
                                      "string/1", "string/65535", "toolbar/7/12"}));
  EXPECT_EQ(lib->Text(1), u"ersetzt");
  const std::vector<MenuItem>& menu = lib->Menu(7);
  ASSERT_EQ(menu.size(), 2u);
  EXPECT_EQ(menu[0].commandId, 2);
  EXPECT_TRUE(menu[0].children.empty());
  ASSERT_EQ(menu[1].children.size(), 1u);
  EXPECT_EQ(menu[1].children[0].text, u"gut");
}

TEST(LanguageLibrary, SurvivesArbitraryBytes) {
  std::mt19937 random(4711);
  const std::string alphabet = "[]= -\\\n\r\t#0123456789menustringcontrolsaÖ\xC3\xFF";
  for (int round = 0; round < 300; ++round) {
    std::string data;
    std::size_t length = random() % 400;
    for (std::size_t i = 0; i < length; ++i) data.push_back(alphabet[random() % alphabet.size()]);
    auto lib = LanguageLibrary::Parse(data);
    EXPECT_NO_THROW(lib->Inventory());
  }
  std::string deep = "[menu 1]\n";
  for (int depth = 0; depth < 200; ++depth) deep += std::string(2 * depth, ' ') + "P\n";
  EXPECT_FALSE(LanguageLibrary::Parse(deep)->Menu(1).empty());
}

}  // namespace
}  // namespace vantrel::app
