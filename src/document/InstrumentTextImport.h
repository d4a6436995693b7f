// Import of the instrument data files (".vqm", ".vqg", ".vqk"): a header with start time and
// trigger settings, one block per curve with minimum/maximum samples over a time column, and
// up to ten lines of notes that become an RTF text (with "\", "{" and "}" escaped). It
// reads bytes already in memory; opening the file and reporting messages is the document's.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "document/TextFileReader.h"
#include "model/CMessungObj.h"

namespace vantrel::document {

/// The RTF text the notes of an instrument data file are framed in (208 characters); the
/// notes lines go before its final "}".
constexpr std::string_view kNotesFrame =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss Microsoft Sans "
    "Serif;}{\\f1\\froman\\fcharset2 Symbol;}}{\\colortbl\\red0\\green0\\blue0;}"
    "\\deflang1031\\horzdoc{\\*\\fchars }{\\*\\lchars }\\pard\\plain\\f0\\fs24 }";

/// Reads an instrument data file into `measurement`, which the caller has just created
/// empty. Fails with 32956 when the first line is not "Vantrel", when the file holds more
/// curve blocks than a measurement may have curves, or when the notes are not followed by
/// the closing "Vantrel" line. Short lines and an early end of the file are read leniently
/// (missing numbers are 0; samples end with the file). A failed import leaves a partly
/// filled measurement that the caller discards.
ImportResult ImportInstrumentText(std::span<const std::uint8_t> bytes,
                                  model::CMessungObj& measurement,
                                  const ImportSettings& settings = {});

}  // namespace vantrel::document
