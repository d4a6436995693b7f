// Moves the notes between our RTF document and the text document of the editor widget:
// paragraphs become blocks with their alignment, runs become fragments with face, size,
// weight, slant, underline and colour. Converting back keeps the font and colour tables of
// the document the text came from and adds entries for faces and colours that are new, so
// stored notes change only where the user changed them.
#pragma once

#include <QTextCharFormat>
#include <QTextDocument>

#include "notes/RtfDocument.h"

namespace vantrel::gui {

/// Replaces the content of `target` by `doc`.
void FillTextDocument(QTextDocument& target, const notes::RtfDocument& doc);

/// The notes document of `source`, with the tables of `base` and any new fonts and colours.
notes::RtfDocument ToRtfDocument(const QTextDocument& source, const notes::RtfDocument& base);

/// The character format of the editor for a notes format.
QTextCharFormat ToCharFormat(const notes::RtfDocument& doc, const notes::CharFormat& format);

}  // namespace vantrel::gui
