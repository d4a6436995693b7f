// The rich-text control of the notes editor (control 1077): a text edit that reads and
// writes its content as RTF bytes of the notes format, from and to files and byte arrays,
// and applies paragraph alignment and character fonts to the selection.
#pragma once

#include <QFont>
#include <QTextEdit>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "notes/RtfDocument.h"
#include "platform/MessageService.h"

namespace vantrel::gui {

class CNotesEdit final : public QTextEdit {
  Q_OBJECT
 public:
  explicit CNotesEdit(QWidget* parent = nullptr);

  /// Reads an RTF file into the control (marked modified); false when it cannot be read,
  /// with the message ID of the cause (a file error, see platform/FileErrors.h) in `cause`.
  bool LoadRtf(const std::filesystem::path& path, int* cause = nullptr);
  /// Writes the content as RTF into the file (created or replaced); false when it cannot
  /// be written, with the message ID of the cause in `cause`.
  bool SaveRtf(const std::filesystem::path& path, int* cause = nullptr);
  /// Shows `bytes` read as RTF and marks the control modified.
  void StreamFromBytes(const std::vector<std::uint8_t>& bytes);
  /// The content as RTF bytes; out of memory asks 32900 (Retry repeats, Cancel gives up and
  /// returns false, leaving `bytes` unchanged).
  bool StreamToBytes(std::vector<std::uint8_t>& bytes, platform::MessageService* messages);
  /// The content as our notes document.
  notes::RtfDocument Document() const;

  /// Sets the alignment of the paragraphs of the selection and marks the control modified.
  void SetAlignment(notes::Alignment alignment);
  /// The font of the selection's character format, as the font dialog starts from it.
  QFont SelectionFont() const;
  /// Applies face, size, bold and italic of `font` to the selection.
  void ApplySelectionFont(const QFont& font);
  /// Asks for a font with the platform's font dialog and applies it.
  void ChooseSelectionFont();

 private:
  /// The tables of the text last read: kept when the content is written back.
  notes::RtfDocument base_;
};

}  // namespace vantrel::gui
