// The notes control: RTF in and out through our reader and writer.
#include "gui/notes/CNotesEdit.h"

#include <QApplication>
#include <QFontDialog>
#include <QTextBlock>
#include <QTextCursor>
#include <cerrno>
#include <cmath>
#include <fstream>
#include <iterator>

#include "gui/notes/TextDocumentConversion.h"
#include "notes/RtfReader.h"
#include "notes/RtfWriter.h"
#include "platform/AtomicFile.h"

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

/// The bytes of the ordinary file `path`; throws platform::FileError with the cause. A pipe
/// or device is refused without opening it (it could wait for a writer forever).
std::vector<std::uint8_t> ReadNotesFile(const std::filesystem::path& path) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (error) {
    throw platform::FileError(platform::FileReadErrorMessageFor(error.value()), path,
                              "cannot open " + path.string() + ": " + error.message());
  }
  if (std::filesystem::is_directory(status)) {
    throw platform::FileError(platform::kMsgFileIsFolder, path, path.string() + " is a folder");
  }
  if (!std::filesystem::is_regular_file(status)) {
    throw platform::FileError(platform::kMsgFileNotOrdinary, path,
                              path.string() + " is not an ordinary file");
  }
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > kLargestNotesFile) {
    throw platform::FileError(platform::kMsgFileReadError, path, "cannot read " + path.string());
  }
  errno = 0;
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    throw platform::FileError(platform::FileReadErrorMessageFor(errno), path,
                              "cannot open " + path.string());
  }
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                  std::istreambuf_iterator<char>());
  if (file.bad()) {
    throw platform::FileError(platform::kMsgFileReadError, path, "cannot read " + path.string());
  }
  return bytes;
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
