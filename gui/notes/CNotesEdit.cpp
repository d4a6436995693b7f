// The notes control: RTF in and out through our reader and writer.
#include "gui/notes/CNotesEdit.h"

#include <QApplication>
#include <QFontDialog>
#include <QTextBlock>
#include <QTextCursor>
#include <cmath>

#include "gui/notes/TextDocumentConversion.h"
#include "notes/RtfReader.h"
#include "notes/RtfWriter.h"
#include "platform/AtomicFile.h"
#include "platform/OrdinaryFile.h"

namespace vantrel::gui {

CNotesEdit::CNotesEdit(QWidget* parent) : QTextEdit(parent) {
  setObjectName(QStringLiteral("1077"));
  setAcceptRichText(true);
  setTabChangesFocus(false);
  // Paper-like: the notes are black on white like their printout.
  QPalette colors = palette();
  colors.setColor(QPalette::Base, Qt::white);
  colors.setColor(QPalette::Text, Qt::black);
  setPalette(colors);
}

namespace {

/// Larger files are no notes: they are refused instead of filling the memory.
constexpr std::uintmax_t kLargestNotesFile = std::uintmax_t{64} << 20;

/// The bytes of the notes file `path`; throws platform::FileError with the cause.
std::vector<std::uint8_t> ReadNotesFile(const std::filesystem::path& path) {
  return platform::ReadOrdinaryFile(path, kLargestNotesFile, platform::kMsgFileReadError);
}

}  // namespace

bool CNotesEdit::LoadRtf(const std::filesystem::path& path, int* cause) {
  std::vector<std::uint8_t> bytes;
  {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
      bytes = ReadNotesFile(path);
    } catch (const platform::FileError& error) {
      QApplication::restoreOverrideCursor();
      if (cause != nullptr) *cause = error.MessageId();
      return false;
    }
    QApplication::restoreOverrideCursor();
  }
  StreamFromBytes(bytes);
  return true;
}

bool CNotesEdit::SaveRtf(const std::filesystem::path& path, int* cause) {
  std::vector<std::uint8_t> bytes;
  if (!StreamToBytes(bytes, nullptr)) return false;  // no cause of the file's
  // The safe save: a failed save leaves the previous file as it was.
  try {
    platform::SaveFileAtomically(
        path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  } catch (const platform::FileError& error) {
    if (cause != nullptr) *cause = error.MessageId();
    return false;
  }
  return true;
}

void CNotesEdit::StreamFromBytes(const std::vector<std::uint8_t>& bytes) {
  base_ = notes::ReadRtf(bytes);
  FillTextDocument(*document(), base_);
  moveCursor(QTextCursor::Start);
  // The cursor takes the format of the first character (or of the empty first line).
  QTextCursor cursor = textCursor();
  if (!base_.paragraphs.empty()) {
    const notes::Paragraph& first = base_.paragraphs.front();
    setCurrentCharFormat(
        ToCharFormat(base_, first.runs.empty() ? first.endFormat : first.runs.front().format));
  }
  document()->setModified(true);
}

notes::RtfDocument CNotesEdit::Document() const { return ToRtfDocument(*document(), base_); }

bool CNotesEdit::StreamToBytes(std::vector<std::uint8_t>& bytes,
                               platform::MessageService* messages) {
  std::vector<std::uint8_t> written;
  if (!platform::RetryOnOutOfMemory(messages, [&] { written = notes::WriteRtf(Document()); })) {
    return false;
  }
  bytes = std::move(written);
  return true;
}

void CNotesEdit::SetAlignment(notes::Alignment alignment) {
  switch (alignment) {
    case notes::Alignment::Center:
      setAlignment(Qt::AlignHCenter);
      break;
    case notes::Alignment::Right:
      setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
      break;
    case notes::Alignment::Justify:
      setAlignment(Qt::AlignJustify);
      break;
    case notes::Alignment::Left:
      setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
      break;
  }
  document()->setModified(true);
}

QFont CNotesEdit::SelectionFont() const {
  const QTextCharFormat format = textCursor().charFormat();
  QFont font = format.font().resolve(document()->defaultFont());
  if (format.fontPointSize() > 0.0) font.setPointSizeF(format.fontPointSize());
  return font;
}

void CNotesEdit::ApplySelectionFont(const QFont& font) {
  QTextCharFormat format;
  format.setFontFamilies(QStringList{font.family()});
  if (font.pointSizeF() > 0.0) format.setFontPointSize(font.pointSizeF());
  format.setFontWeight(font.bold() ? QFont::Bold : QFont::Normal);
  format.setFontItalic(font.italic());
  mergeCurrentCharFormat(format);
  document()->setModified(true);
}

void CNotesEdit::ChooseSelectionFont() {
  bool chosen = false;
  const QFont font = QFontDialog::getFont(&chosen, SelectionFont(), this);
  if (chosen) ApplySelectionFont(font);
}

}  // namespace vantrel::gui
