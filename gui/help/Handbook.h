// The handbook on disk: the folder of one language's Markdown pages (next to the program in
// the build tree, in ../share/vantrel/handbook when installed), reading a page with its
// anchors, the page order of the contents page and the search for words.
//
// Anchors are written into headings as `## Zoom <a name="zoom"></a>`: a forge shows them
// as link targets, and the help window gives the heading that name (Qt's Markdown reader
// drops inline HTML, so the names are taken out here and put back onto the headings).
#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>
#include <optional>
#include <vector>

class QTextDocument;

namespace vantrel::gui::help {

/// One anchor of a page: the plain text of its heading and its name.
struct PageAnchor {
  QString heading;
  QString name;
};

/// A page prepared for showing.
struct HandbookPage {
  /// The Markdown without the anchor tags.
  QString markdown;
  std::vector<PageAnchor> anchors;
  /// The text of the first heading (the page's title).
  QString title;
};

/// Splits a page's text into Markdown and anchors.
HandbookPage ParsePage(const QString& text);
/// Gives the heading blocks of `document` (made from the page's Markdown) their anchor
/// names, so that scrolling to an anchor finds them.
void ApplyAnchors(QTextDocument& document, const std::vector<PageAnchor>& anchors);
/// The targets of every link and image of a page's Markdown, in order ("chart.md#zoom",
/// "pictures/chart.png"), outside code.
QStringList LinkTargets(const QString& markdown, bool images);

class Handbook {
 public:
  /// The handbook folder of `language` ("GER", "ENG"): <programDirectory>/handbook, then
  /// <programDirectory>/../share/vantrel/handbook; German when the language has no pages.
  /// Empty when neither holds a contents page.
  static std::optional<Handbook> Find(const std::filesystem::path& programDirectory,
                                      const QString& language);

  /// A handbook whose pages lie in `languageFolder`.
  explicit Handbook(QString languageFolder);

  const QString& Folder() const { return folder_; }
  /// The page's file path (the page name may carry "#anchor", which is ignored).
  QString PathOf(const QString& page) const;
  bool HasPage(const QString& page) const;
  /// Reads a page; empty text when it does not exist.
  HandbookPage Load(const QString& page) const;
  /// The pages the contents page links to, in its order, without repeats.
  QStringList ContentsPages() const;
  /// The pages of the contents (and the contents page itself) that contain every word of
  /// `words` (case-insensitive), in contents order; every page for no words.
  QStringList Search(const QString& words) const;

 private:
  QString folder_;
};

}  // namespace vantrel::gui::help
