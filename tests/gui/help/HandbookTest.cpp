// The handbook against the program: every command of the menus and the toolbar and every
// dialog has its place in both languages, every link and picture resolves, both languages
// have the same pages and anchors; reading anchors and searching pages.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <set>

#include "app/CommandIds.h"
#include "app/LanguageLibrary.h"
#include "gui/GuiTestSupport.h"
#include "gui/help/Handbook.h"
#include "gui/help/HelpTopics.h"

namespace vantrel::testing {
namespace {

using gui::help::Handbook;
using gui::help::HandbookPage;

const QStringList kLanguages = {QStringLiteral("GER"), QStringLiteral("ENG")};

/// The pages as the repository holds them.
QString SourceFolder(const QString& language) {
  return QDir::cleanPath(QStringLiteral(VANTREL_TEST_DATA_DIR "/../../docs/handbook/") + language);
}
/// The copy next to the programs, with the pictures the build made.
QString BuildFolder(const QString& language) {
  return QString::fromStdString((ProgramDirectory() / "handbook").string()) + QLatin1Char('/') +
         language;
}

QStringList PagesOf(const QString& folder) {
  return QDir(folder).entryList({QStringLiteral("*.md")}, QDir::Files, QDir::Name);
}

std::set<QString> AnchorsOf(const Handbook& book, const QString& page) {
  std::set<QString> names;
  for (const auto& anchor : book.Load(page).anchors) names.insert(anchor.name);
  return names;
}

/// Command IDs of menus 128 and 129, the toolbar and the keys, and the dialog templates.
std::pair<std::set<int>, std::set<int>> CommandsAndDialogs(const std::string& language) {
  auto library = app::LanguageLibrary::Load(ProgramDirectory(), language);
  std::set<int> commands;
  std::set<int> dialogs;
  for (const std::string& key : library->Inventory()) {
    int a = 0;
    int b = 0;
    if (std::sscanf(key.c_str(), "menu/%d/%d", &a, &b) == 2 && (a == 128 || a == 129))
      commands.insert(b);
    if (std::sscanf(key.c_str(), "toolbar/128/%d", &a) == 1 && a > 0)
      commands.insert(a);  // 0: separator
    if (std::sscanf(key.c_str(), "accelerators/129/%d", &a) == 1) commands.insert(a);
    if (std::sscanf(key.c_str(), "dialog/%d", &a) == 1) dialogs.insert(a);
  }
  return {commands, dialogs};
}

void ExpectPlaceExists(const Handbook& book, const gui::help::HelpTopic& topic) {
  const QString page = QString::fromStdString(topic.page);
  ASSERT_TRUE(book.HasPage(page)) << topic.Link();
  if (!topic.anchor.empty()) {
    EXPECT_TRUE(AnchorsOf(book, page).count(QString::fromStdString(topic.anchor)) == 1)
        << topic.Link();
  }
}

TEST(Handbook, EveryMenuCommandAndDialogHasAPlaceInBothLanguages) {
  for (const QString& language : kLanguages) {
    SCOPED_TRACE(language.toStdString());
    const Handbook book(SourceFolder(language));
    const auto [commands, dialogs] = CommandsAndDialogs(language.toStdString());
    EXPECT_GE(commands.size(), 50U);  // the texts were read
    EXPECT_GT(dialogs.size(), 15U);
    for (int id : commands) {
      SCOPED_TRACE("command " + std::to_string(id));
      EXPECT_TRUE(gui::help::HasCommandTopic(id));
      ExpectPlaceExists(book, gui::help::TopicOfCommand(id));
    }
    for (int id : dialogs) {
      SCOPED_TRACE("dialog " + std::to_string(id));
      EXPECT_TRUE(gui::help::HasDialogTopic(id));
      ExpectPlaceExists(book, gui::help::TopicOfDialog(id));
    }
    // The places F1 gives the windows that are not dialogs, and the help keys.
    for (const auto& topic : {gui::help::TopicOfMainWindow(), gui::help::TopicOfChartWindow(),
                              gui::help::TopicOfTableWindow(0), gui::help::TopicOfTableWindow(1),
                              gui::help::TopicOfTableWindow(2), gui::help::TopicOfTableWindow(3),
                              gui::help::TopicOfCommand(ids::kCmdHelp),
                              gui::help::TopicOfCommand(ids::kCmdContextHelp)}) {
      ExpectPlaceExists(book, topic);
    }
  }
}

TEST(Handbook, BothLanguagesHaveTheSamePagesAndAnchors) {
  const QStringList german = PagesOf(SourceFolder(QStringLiteral("GER")));
  EXPECT_EQ(german, PagesOf(SourceFolder(QStringLiteral("ENG"))));
  const Handbook ger(SourceFolder(QStringLiteral("GER")));
  const Handbook eng(SourceFolder(QStringLiteral("ENG")));
  for (const QString& page : german) {
    SCOPED_TRACE(page.toStdString());
    EXPECT_EQ(AnchorsOf(ger, page), AnchorsOf(eng, page));
    EXPECT_FALSE(ger.Load(page).title.isEmpty());
  }
  // The contents page reaches every page.
  QStringList listed = ger.ContentsPages();
  listed << QString::fromLatin1(gui::help::kContentsPage);
  listed.sort();
  EXPECT_EQ(listed, german);
}

TEST(Handbook, EveryLinkAndPictureResolvesInBothLanguages) {
  for (const QString& language : kLanguages) {
    const Handbook book(SourceFolder(language));
    const QString pictures = BuildFolder(language);
    for (const QString& page : PagesOf(book.Folder())) {
      SCOPED_TRACE((language + QLatin1Char('/') + page).toStdString());
      const QString markdown = book.Load(page).markdown;
      for (const QString& link : gui::help::LinkTargets(markdown, false)) {
        SCOPED_TRACE(link.toStdString());
        if (link.startsWith(QStringLiteral("http"))) continue;
        const QString target = link.section(QLatin1Char('#'), 0, 0).isEmpty()
                                   ? page
                                   : link.section(QLatin1Char('#'), 0, 0);
        ASSERT_TRUE(book.HasPage(target));
        const QString anchor = link.section(QLatin1Char('#'), 1);
        if (!anchor.isEmpty()) {
          EXPECT_EQ(AnchorsOf(book, target).count(anchor), 1U);
        }
      }
      for (const QString& image : gui::help::LinkTargets(markdown, true)) {
        SCOPED_TRACE(image.toStdString());
        EXPECT_TRUE(image.startsWith(QStringLiteral("pictures/")) &&
                    image.endsWith(QStringLiteral(".png")));
        EXPECT_TRUE(QFileInfo(pictures + QLatin1Char('/') + image).isFile())
            << "made by the build (docs/handbook/make-pictures.sh)";
      }
    }
  }
}

TEST(Handbook, AnchorsAreTakenFromHeadingsOutsideCode) {
  const HandbookPage page = gui::help::ParsePage(QStringLiteral(
      "# Title <a name=\"top\"></a>\n\nText <a name=\"not-a-heading\"></a>\n\n"
      "## Zoom and `scroll` <a name=\"zoom\"></a>\n\n```sh\n# comment <a name=\"code\"></a>\n```\n"
      "### Plain\n"));
  EXPECT_EQ(page.title, QStringLiteral("Title"));
  ASSERT_EQ(page.anchors.size(), 2U);
  EXPECT_EQ(page.anchors[0].name, QStringLiteral("top"));
  EXPECT_EQ(page.anchors[1].name, QStringLiteral("zoom"));
  EXPECT_EQ(page.anchors[1].heading, QStringLiteral("Zoom and `scroll`"));
  EXPECT_TRUE(page.markdown.contains(QStringLiteral("## Zoom and `scroll`\n")));
  EXPECT_FALSE(page.markdown.contains(QStringLiteral("name=\"zoom\"")));
  EXPECT_TRUE(page.markdown.contains(QStringLiteral("name=\"code\"")));  // code stays as written
}

TEST(Handbook, LinkTargetsSkipCodeAndSeparateImages) {
  const QString markdown = QStringLiteral(
      "See [zoom](chart.md#zoom) and "
      "![pic](pictures/a.png).\n`[not](a.md)`\n```\n[no](b.md)\n```\n[here](#x)\n");
  EXPECT_EQ(gui::help::LinkTargets(markdown, false), (QStringList{"chart.md#zoom", "#x"}));
  EXPECT_EQ(gui::help::LinkTargets(markdown, true), (QStringList{"pictures/a.png"}));
}

TEST(Handbook, SearchFindsThePagesThatContainEveryWord) {
  const Handbook book(SourceFolder(QStringLiteral("ENG")));
  const QStringList dialout = book.Search(QStringLiteral("DIALOUT"));
  EXPECT_TRUE(dialout.contains(QStringLiteral("connecting.md")));
  EXPECT_FALSE(dialout.contains(QStringLiteral("formulas.md")));
  const QStringList both = book.Search(QStringLiteral("precedence  sqrt"));
  EXPECT_EQ(both, QStringList{QStringLiteral("formulas.md")});
  EXPECT_TRUE(book.Search(QStringLiteral("dialout xylophone")).isEmpty());
  EXPECT_EQ(book.Search(QString()).size(), PagesOf(book.Folder()).size());
}

TEST(Handbook, IsFoundNextToTheProgramAndFallsBackToGerman) {
  const auto german = Handbook::Find(ProgramDirectory(), QStringLiteral("GER"));
  ASSERT_TRUE(german.has_value());
  EXPECT_TRUE(german->Folder().endsWith(QStringLiteral("/handbook/GER")));
  const auto other = Handbook::Find(ProgramDirectory(), QStringLiteral("FRA"));
  ASSERT_TRUE(other.has_value());
  EXPECT_EQ(other->Folder(), german->Folder());
  TempFolder empty;
  EXPECT_FALSE(Handbook::Find(empty.Path(), QStringLiteral("GER")).has_value());
  // Links never lead out of the handbook's folder.
  EXPECT_FALSE(german->HasPage(QStringLiteral("../ENG/index.md")));
  EXPECT_FALSE(german->HasPage(QStringLiteral("/etc/passwd")));
}

TEST(HelpTopics, DialogClassesGiveTheirTemplates) {
  EXPECT_EQ(gui::help::DialogTemplateOfClass("vantrel::gui::CFormulaDlg"), 149);
  EXPECT_EQ(gui::help::DialogTemplateOfClass("CurveSelectionDialog"), 155);
  EXPECT_EQ(gui::help::DialogTemplateOfClass("QFileDialog"), 0);
  EXPECT_EQ(gui::help::TopicOfCommand(1).Link(), gui::help::kContentsPage);
}

}  // namespace
}  // namespace vantrel::testing
