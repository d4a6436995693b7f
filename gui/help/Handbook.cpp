#include "gui/help/Handbook.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

#include "gui/help/HelpTopics.h"

namespace vantrel::gui::help {
namespace {

const QRegularExpression& AnchoredHeading() {
  static const QRegularExpression kPattern(
      QStringLiteral(R"re(^(#{1,6}\s+.*?)\s*<a name="([A-Za-z0-9_-]+)"></a>\s*$)re"));
  return kPattern;
}

bool IsFence(const QString& line) { return line.trimmed().startsWith(QStringLiteral("```")); }

/// Letters and digits only, lower case: a heading compares equal whatever inline markup it
/// carried in the Markdown.
QString Folded(const QString& text) {
  QString folded;
  for (QChar c : text) {
    if (c.isLetterOrNumber()) folded.append(c.toLower());
  }
  return folded;
}

QString HeadingText(const QString& headingLine) {
  QString text = headingLine;
  while (text.startsWith(QLatin1Char('#'))) text.remove(0, 1);
  return text.trimmed();
}

QString ReadText(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

/// A page name without its anchor.
QString PageName(const QString& page) { return page.section(QLatin1Char('#'), 0, 0); }

}  // namespace

HandbookPage ParsePage(const QString& text) {
  HandbookPage page;
  QStringList lines = text.split(QLatin1Char('\n'));
  bool inCode = false;
  for (QString& line : lines) {
    if (IsFence(line)) {
      inCode = !inCode;
      continue;
    }
    if (inCode || !line.startsWith(QLatin1Char('#'))) continue;
    const QRegularExpressionMatch match = AnchoredHeading().match(line);
    if (match.hasMatch()) {
      line = match.captured(1);
      page.anchors.push_back({HeadingText(line), match.captured(2)});
    }
    if (page.title.isEmpty() && line.startsWith(QStringLiteral("# ")))
      page.title = HeadingText(line);
  }
  page.markdown = lines.join(QLatin1Char('\n'));
  return page;
}

void ApplyAnchors(QTextDocument& document, const std::vector<PageAnchor>& anchors) {
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    if (block.blockFormat().headingLevel() == 0) continue;
    const QString folded = Folded(block.text());
    for (const PageAnchor& anchor : anchors) {
      if (Folded(anchor.heading) != folded) continue;
      QTextCursor cursor(block);
      cursor.setPosition(block.position());
      cursor.setPosition(block.position() + std::max(1, block.length() - 1),
                         QTextCursor::KeepAnchor);
      QTextCharFormat format;
      format.setAnchor(true);
      format.setAnchorNames({anchor.name});
      cursor.mergeCharFormat(format);
      break;
    }
  }
}

QStringList LinkTargets(const QString& markdown, bool images) {
  static const QRegularExpression kLink(QStringLiteral(R"((!?)\[[^\]]*\]\(([^)\s]+)\))"));
  QStringList targets;
  bool inCode = false;
  for (const QString& line : markdown.split(QLatin1Char('\n'))) {
    if (IsFence(line)) {
      inCode = !inCode;
      continue;
    }
    if (inCode) continue;
    // Inline code spans hold examples, not links.
    QString text = line;
    text.remove(QRegularExpression(QStringLiteral("`[^`]*`")));
    for (auto it = kLink.globalMatch(text); it.hasNext();) {
      const QRegularExpressionMatch match = it.next();
      const bool isImage = !match.captured(1).isEmpty();
      if (isImage == images) targets << match.captured(2);
    }
  }
  return targets;
}

std::optional<Handbook> Handbook::Find(const std::filesystem::path& programDirectory,
                                       const QString& language) {
  const QString dir = QString::fromStdString(programDirectory.string());
  const QStringList roots = {dir + QStringLiteral("/handbook"),
                             dir + QStringLiteral("/../share/vantrel/handbook")};
  for (const QString& code : {language, QStringLiteral("GER")}) {
    if (code.isEmpty()) continue;
    for (const QString& root : roots) {
      const QString folder = QDir::cleanPath(root + QLatin1Char('/') + code);
      if (QFileInfo::exists(folder + QLatin1Char('/') + QLatin1String(kContentsPage))) {
        return Handbook(folder);
      }
    }
  }
  return std::nullopt;
}

Handbook::Handbook(QString languageFolder) : folder_(std::move(languageFolder)) {}

QString Handbook::PathOf(const QString& page) const {
  return folder_ + QLatin1Char('/') + PageName(page);
}

bool Handbook::HasPage(const QString& page) const {
  const QString name = PageName(page);
  // Only plain page names inside the folder: a link never leads out of the handbook.
  if (name.isEmpty() || name.contains(QLatin1Char('/')) || !name.endsWith(QStringLiteral(".md"))) {
    return false;
  }
  return QFileInfo(PathOf(name)).isFile();
}

HandbookPage Handbook::Load(const QString& page) const {
  if (!HasPage(page)) return {};
  return ParsePage(ReadText(PathOf(page)));
}

QStringList Handbook::ContentsPages() const {
  QStringList pages;
  for (const QString& target : LinkTargets(Load(QLatin1String(kContentsPage)).markdown, false)) {
    const QString name = PageName(target);
    if (name.endsWith(QStringLiteral(".md")) && !pages.contains(name) && HasPage(name))
      pages << name;
  }
  return pages;
}

QStringList Handbook::Search(const QString& words) const {
  QStringList candidates = {QLatin1String(kContentsPage)};
  for (const QString& page : ContentsPages()) {
    if (!candidates.contains(page)) candidates << page;
  }
  const QStringList wanted = words.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
  if (wanted.isEmpty()) return candidates;
  QStringList found;
  for (const QString& page : candidates) {
    const QString text = Load(page).markdown;
    const bool all = std::all_of(wanted.begin(), wanted.end(), [&text](const QString& word) {
      return text.contains(word, Qt::CaseInsensitive);
    });
    if (all) found << page;
  }
  return found;
}

}  // namespace vantrel::gui::help
