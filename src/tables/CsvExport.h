// The CSV export of a measurement: header lines with the facts of every curve, two table
// header lines and one data row per sample time, fields separated by semicolons, every
// character one Windows-1252 byte, lines ended by LF, numbers "%10.3f" with the user's
// decimal separator. The export writes a temporary file and renames it over the target, so
// a failed export reports its error and leaves an existing file as it was.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "model/CMessungObj.h"
#include "platform/TextSource.h"
#include "tables/TextConventions.h"

namespace vantrel::tables {

/// Receives the bytes of the export in order, in chunks of up to about a megabyte.
using ByteSink = std::function<void(std::string_view)>;

/// Writes the whole CSV text of `measurement` to `sink`.
void WriteCsv(const model::CMessungObj& measurement, const platform::TextSource& texts,
              const TextConventions& conventions, const ByteSink& sink);

/// The CSV text as one string (small measurements, tests, the clipboard).
std::string CsvText(const model::CMessungObj& measurement, const platform::TextSource& texts,
                    const TextConventions& conventions);

/// Exports `measurement` to the file `path`. Throws platform::VantrelError with a file error
/// message ID (platform::FileError, see platform/AtomicFile.h) when the file cannot be created,
/// written or put in place; the previous file at `path`, if any, is then unchanged.
void ExportCsvFile(const model::CMessungObj& measurement, const std::filesystem::path& path,
                   const platform::TextSource& texts, const TextConventions& conventions);

/// The file name the save dialog proposes: the document title cut before the first of
/// " #%;/\." (the whole title when it has none).
std::u16string CsvDefaultFileName(const std::u16string& documentTitle);

}  // namespace vantrel::tables
