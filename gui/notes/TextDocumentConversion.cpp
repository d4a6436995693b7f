// Conversion between the notes document and QTextDocument.
#include "gui/notes/TextDocumentConversion.h"

#include <QTextBlock>
#include <QTextCursor>
#include <algorithm>
#include <cmath>

#include "gui/platform/QtServices.h"
#include "gui/widgets/QtColor.h"

namespace vantrel::gui {
namespace {

Qt::Alignment ToQt(notes::Alignment alignment) {
  switch (alignment) {
    case notes::Alignment::Center:
      return Qt::AlignHCenter;
    case notes::Alignment::Right:
      return Qt::AlignRight;
    case notes::Alignment::Justify:
      return Qt::AlignJustify;
    case notes::Alignment::Left:
      break;
  }
  return Qt::AlignLeft;
}

notes::Alignment FromQt(Qt::Alignment alignment) {
  if ((alignment & Qt::AlignHCenter) != 0) return notes::Alignment::Center;
  if ((alignment & Qt::AlignRight) != 0) return notes::Alignment::Right;
  if ((alignment & Qt::AlignJustify) != 0) return notes::Alignment::Justify;
  return notes::Alignment::Left;
}

/// Builds the tables of the converted document: faces and colours of the base first.
class Tables {
 public:
  explicit Tables(notes::RtfDocument& doc) : doc_(doc) {}

  int FontNumber(const QString& family) {
    const std::u16string name = FromQString(family);
    if (name.empty()) return doc_.defaultFont;
    for (const notes::FontEntry& font : doc_.fonts) {
      if (font.name == name) return font.number;
    }
    int number = 0;
    for (const notes::FontEntry& font : doc_.fonts) number = std::max(number, font.number + 1);
    doc_.fonts.push_back(notes::FontEntry{number, name, "fnil", 0});
    return number;
  }

  /// Text without a colour of its own takes entry 0 (the automatic colour, or black).
  int ColorIndex(const QTextCharFormat& format) {
    if (!format.hasProperty(QTextFormat::ForegroundBrush)) return 0;
    const QColor color = format.foreground().color();
    const platform::Color value = platform::MakeColor(color.red(), color.green(), color.blue());
    for (std::size_t i = 0; i < doc_.colors.size(); ++i) {
      if (doc_.colors[i] == value) return static_cast<int>(i);
    }
    if (doc_.colors.empty()) doc_.colors.push_back(std::nullopt);  // entry 0: automatic
    doc_.colors.emplace_back(value);
    return static_cast<int>(doc_.colors.size() - 1);
  }

 private:
  notes::RtfDocument& doc_;
};

notes::CharFormat FromQt(const QTextCharFormat& format, const QFont& fallback, Tables& tables) {
  notes::CharFormat result;
  const QFont font = format.font().resolve(fallback);
  const QStringList families = format.fontFamilies().toStringList();
  result.font = tables.FontNumber(families.isEmpty() ? font.family() : families.front());
  const double points = format.fontPointSize() > 0.0 ? format.fontPointSize() : font.pointSizeF();
  result.halfPoints = std::clamp(static_cast<int>(std::lround(points * 2.0)), 1, 3276);
  result.bold = format.fontWeight() >= QFont::Bold;
  result.italic = format.fontItalic();
  result.underline = format.fontUnderline();
  result.color = tables.ColorIndex(format);
  return result;
}

}  // namespace

QTextCharFormat ToCharFormat(const notes::RtfDocument& doc, const notes::CharFormat& format) {
  QTextCharFormat result;
  const notes::FontEntry* font = doc.FindFont(format.font);
  if (font != nullptr && !font->name.empty()) {
    result.setFontFamilies(QStringList{ToQString(font->name)});
  }
  result.setFontPointSize(format.halfPoints / 2.0);
  result.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
  result.setFontItalic(format.italic);
  result.setFontUnderline(format.underline);
  if (const std::optional<platform::Color> color = doc.ColorAt(format.color); color.has_value()) {
    result.setForeground(ToQColor(*color));
  }
  return result;
}

void FillTextDocument(QTextDocument& target, const notes::RtfDocument& doc) {
  target.clear();
  QTextCursor cursor(&target);
  cursor.beginEditBlock();
  bool first = true;
  for (const notes::Paragraph& paragraph : doc.paragraphs) {
    QTextBlockFormat block;
    block.setAlignment(ToQt(paragraph.alignment));
    const QTextCharFormat end = ToCharFormat(doc, paragraph.endFormat);
    if (first) {
      cursor.setBlockFormat(block);
      cursor.setBlockCharFormat(end);
      first = false;
    } else {
      cursor.insertBlock(block, end);
    }
    for (const notes::Run& run : paragraph.runs) {
      cursor.insertText(ToQString(run.text), ToCharFormat(doc, run.format));
    }
    // Typing at the end of the paragraph continues in its end format.
    cursor.setCharFormat(end);
  }
  cursor.endEditBlock();
  target.setModified(false);
}

notes::RtfDocument ToRtfDocument(const QTextDocument& source, const notes::RtfDocument& base) {
  notes::RtfDocument doc;
  doc.fonts = base.fonts;
  doc.colors = base.colors;
  doc.defaultFont = base.defaultFont;
  doc.defaultLanguage = base.defaultLanguage;
  doc.paragraphs.clear();
  Tables tables(doc);
  const QFont fallback = source.defaultFont();
  for (QTextBlock block = source.begin(); block.isValid(); block = block.next()) {
    notes::Paragraph paragraph;
    paragraph.alignment = FromQt(block.blockFormat().alignment());
    paragraph.endFormat = FromQt(block.charFormat(), fallback, tables);
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (!fragment.isValid()) continue;
      std::u16string text = FromQString(fragment.text());
      // Pictures and other objects have no place in the notes.
      std::erase(text, u'\uFFFC');
      if (text.empty()) continue;
      const notes::CharFormat format = FromQt(fragment.charFormat(), fallback, tables);
      if (!paragraph.runs.empty() && paragraph.runs.back().format == format) {
        paragraph.runs.back().text += text;
      } else {
        paragraph.runs.push_back(notes::Run{format, std::move(text)});
      }
    }
    // An empty line keeps the size of what was typed last in it.
    if (!paragraph.runs.empty()) paragraph.endFormat = paragraph.runs.back().format;
    doc.paragraphs.push_back(std::move(paragraph));
  }
  if (doc.paragraphs.empty()) doc.paragraphs.emplace_back();
  return doc;
}

}  // namespace vantrel::gui
