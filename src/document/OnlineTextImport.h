// Import of the instrument's online-recording text file (".vqo"): up to three channels of
// integer counts scaled by 3000/65536, each sample holding value, minimum and maximum. It
// reads bytes already in memory; opening the file and reporting messages is the document's.
#pragma once

#include <cstdint>
#include <span>

#include "document/TextFileReader.h"
#include "model/CMessungObj.h"

namespace vantrel::document {

/// Every sample count of an online recording is multiplied by this (3000 / 65536).
constexpr double kOnlineScale = 3000.0 / 65536.0;

/// Reads an online-recording file into `measurement`, which the caller has just created
/// empty. Fails with 32956 when the first two lines are not "Vantrel" and "Online-Messung".
/// Short lines and an early end of the file are read leniently (missing numbers are 0;
/// samples end with the file). A failed import leaves a partly filled measurement that the
/// caller discards.
ImportResult ImportOnlineText(std::span<const std::uint8_t> bytes, model::CMessungObj& measurement,
                              const ImportSettings& settings = {});

}  // namespace vantrel::document
