// The picture outputs of `render` that need Qt: the chart as a PNG image and the printout
// as a PDF file on landscape A4. vantrel-cli-pictures (built with Qt 6 when it is found)
// draws them itself; vantrel-cli hands such a command over to it, so that no other command
// pays for loading Qt. Qt runs on its off-screen platform, so no display is needed.
#pragma once

#include <filesystem>
#include <string>

#include "model/CMessungObj.h"
#include "platform/Geometry.h"
#include "platform/TextSource.h"
#include "tables/TextConventions.h"

namespace vantrel::cli {

struct CommandContext;

/// True in the program that draws PNG and PDF itself.
bool DrawsQtPictures();

/// Replaces this process by the picture helper with the same command line (language and
/// environment included), which then draws the picture and ends with its own status.
/// Returns only by throwing CliFailure(kMsgPictureUnavailable) when the helper is missing
/// or cannot start. Not available in the helper itself.
[[noreturn]] void DrawQtPicturesElsewhere(const CommandContext& context);

/// The picture helper next to `executableDirectory` (the build tree) or in its
/// "../libexec" (an installed tree); empty when neither exists.
std::filesystem::path FindPictureHelper(const std::filesystem::path& executableDirectory);

/// Draws the chart of `measurement` into a `size` image on white, its numbers with
/// `decimalSeparator`, and writes it as PNG to `out` (replacing an existing file only when
/// the whole image was written).
void WritePngChart(model::CMessungObj& measurement, platform::Size size,
                   const std::filesystem::path& out, const platform::TextSource& texts,
                   char decimalSeparator);

/// Prints `measurement` as the chart window does onto landscape A4 pages of a PDF file:
/// page 1 the chart, page 2 the curve information (as many sheets as needed) and, when the
/// measurement has notes, their plain text. `documentPath` is the document's file name as
/// printed in the curve information.
void WritePdfPrintout(model::CMessungObj& measurement, const std::u16string& documentPath,
                      const std::filesystem::path& out, const platform::TextSource& texts,
                      const tables::TextConventions& conventions);

}  // namespace vantrel::cli
