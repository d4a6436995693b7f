// The help window: pages with their anchors, links, back and forward, the search that
// narrows the contents list, pictures read from the page's folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QScrollBar>
#include <QTextBlock>
#include <QUrl>

#include "gui/GuiTestSupport.h"
#include "gui/help/HelpWindow.h"

namespace vantrel::testing {
namespace {

using gui::help::Handbook;
using gui::help::HelpWindow;

bool DocumentHasAnchor(QTextDocument& document, const QString& name) {
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      if (it.fragment().charFormat().anchorNames().contains(name)) return true;
    }
  }
  return false;
}

struct HelpWindowFixture {
  TempFolder folder;
  std::unique_ptr<gui::CVantrel40App> app = StartApp(folder, "ENG");
  std::unique_ptr<HelpWindow> window;
  HelpWindowFixture() {
    auto book = Handbook::Find(ProgramDirectory(), QStringLiteral("ENG"));
    if (app != nullptr && book) window = std::make_unique<HelpWindow>(app->Texts(), *book, nullptr);
  }
};

TEST(HelpWindow, ShowsPagesWithTheirAnchorsAndGoesBackAndForward) {
  HelpWindowFixture f;
  ASSERT_NE(f.window, nullptr);
  HelpWindow& w = *f.window;
  EXPECT_FALSE(w.CanGoBack());
  w.Navigate(QStringLiteral("index.md"));
  w.Navigate(QStringLiteral("chart.md#zoom"));
  EXPECT_EQ(w.CurrentPage(), QStringLiteral("chart.md"));
  EXPECT_EQ(w.CurrentAnchor(), QStringLiteral("zoom"));
  EXPECT_TRUE(DocumentHasAnchor(*w.Browser().document(), QStringLiteral("markers")));
  EXPECT_TRUE(w.Browser().toPlainText().contains(QStringLiteral("four-headed arrow")));
  w.Navigate(QStringLiteral("#markers"));  // on the same page
  EXPECT_EQ(w.CurrentPage(), QStringLiteral("chart.md"));
  // A link in the page.
  emit w.Browser().anchorClicked(QUrl(QStringLiteral("formulas.md#precedence")));
  EXPECT_EQ(w.CurrentPage(), QStringLiteral("formulas.md"));
  // Shown, the page stands at the anchor.
  w.resize(1000, 800);
  w.show();
  QApplication::processEvents();
  EXPECT_GT(w.Browser().verticalScrollBar()->value(), 0);
  SaveShot(w, QStringLiteral("help_formulas"));

  const std::vector<std::pair<const char*, const char*>> back = {
      {"chart.md", "markers"}, {"chart.md", "zoom"}, {"index.md", ""}};
  for (const auto& [page, anchor] : back) {
    SCOPED_TRACE(page);
    ASSERT_TRUE(w.CanGoBack());
    w.Back();
    EXPECT_EQ(w.CurrentPage(), QLatin1String(page));
    EXPECT_EQ(w.CurrentAnchor(), QLatin1String(anchor));
  }
  EXPECT_FALSE(w.CanGoBack());
  w.Forward();
  EXPECT_EQ(w.CurrentAnchor(), QStringLiteral("zoom"));
  // A new page drops the pages ahead.
  w.Navigate(QStringLiteral("tables.md"));
  EXPECT_FALSE(w.CanGoForward());
}

TEST(HelpWindow, AnUnknownPageShowsAMessageInsteadOfLeavingTheHandbook) {
  HelpWindowFixture f;
  ASSERT_NE(f.window, nullptr);
  for (const char* link : {"nothing.md", "../GER/index.md", "/etc/passwd"}) {
    SCOPED_TRACE(link);
    f.window->Navigate(QLatin1String(link));
    EXPECT_TRUE(
        f.window->Browser().toPlainText().startsWith(QStringLiteral("The handbook has no page")));
  }
}

TEST(HelpWindow, SearchNarrowsTheContentsToThePagesWithEveryWord) {
  HelpWindowFixture f;
  ASSERT_NE(f.window, nullptr);
  HelpWindow& w = *f.window;
  const int all = static_cast<int>(w.ListedPages().size());
  EXPECT_GT(all, 15);
  w.Navigate(QStringLiteral("connecting.md"));
  w.Search(QStringLiteral("dialout"));
  EXPECT_TRUE(w.ListedPages().contains(QStringLiteral("connecting.md")));
  EXPECT_LT(w.ListedPages().size(), all);
  EXPECT_EQ(w.Browser().textCursor().selectedText().toLower(), QStringLiteral("dialout"));
  w.Search(QStringLiteral("dialout xylophone"));
  EXPECT_TRUE(w.ListedPages().isEmpty());
  w.Search(QString());
  EXPECT_EQ(w.ListedPages().size(), all);
}

TEST(HelpWindow, PicturesAreReadFromThePagesFolder) {
  HelpWindowFixture f;
  ASSERT_NE(f.window, nullptr);
  const QVariant picture = f.window->Browser().loadResource(
      QTextDocument::ImageResource, QUrl(QStringLiteral("pictures/dialog-148.png")));
  EXPECT_FALSE(picture.value<QImage>().isNull());
  const QVariant missing = f.window->Browser().loadResource(
      QTextDocument::ImageResource, QUrl(QStringLiteral("pictures/none.png")));
  EXPECT_TRUE(missing.value<QImage>().isNull());
}

}  // namespace
}  // namespace vantrel::testing
