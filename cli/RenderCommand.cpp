// `render IN OUT [--size WxH]`: the chart of a document as a picture, chosen by OUT's
// extension: .svg (the core's SVG canvas) and .png (Qt) draw the chart into a W x H area
// (default 1200 x 800) on white; .pdf is the printout on landscape A4 (Qt). Numbers use the
// decimal separator of the locale environment (LC_ALL, LC_NUMERIC, LANG).
#include <algorithm>
#include <cctype>

#include "CliDocument.h"
#include "CliFrame.h"
#include "QtPictures.h"
#include "chart/ChartPainter.h"
#include "platform/AtomicFile.h"
#include "platform/FileErrors.h"
#include "platform/SvgCanvas.h"

namespace vantrel::cli {

namespace {

constexpr int kDefaultWidth = 1200;
constexpr int kDefaultHeight = 800;
/// Largest picture side in pixels (a PNG of 10000 x 10000 takes 400 MB while drawn).
constexpr int kMaxSide = 10000;

platform::Size SizeOption(const std::string& text) {
  const std::size_t x = text.find_first_of("xX");
  if (x == std::string::npos) throw UsageError("--size takes WIDTHxHEIGHT, e.g. 1200x800");
  return {ParseIntOption(text.substr(0, x), 1, kMaxSide, "--size width"),
          ParseIntOption(text.substr(x + 1), 1, kMaxSide, "--size height")};
}

std::string LowerExtension(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

void WriteSvgChart(model::CMessungObj& measurement, platform::Size size,
                   const std::filesystem::path& out, const platform::TextSource& texts,
                   char decimalSeparator) {
  platform::SvgCanvas canvas(size);
  canvas.FillRect(platform::Rect{0, 0, size.cx, size.cy}, platform::kWhite);
  chart::ChartPainter chart;
  chart.Draw(canvas, measurement, platform::Rect{0, 0, size.cx, size.cy}, texts, decimalSeparator);
  platform::SaveFileAtomically(out, canvas.Document());
}

int RunRender(CommandContext& context, const std::vector<std::string>& args) {
  const ParsedArgs parsed = ParseArgs(args, {}, {"--size"});
  if (parsed.positional.size() != 2) throw UsageError("expects IN and OUT");
  const std::filesystem::path out = parsed.positional[1];
  const std::string kind = LowerExtension(out);
  if (kind != ".svg" && kind != ".png" && kind != ".pdf") {
    throw UsageError("OUT must end in .svg, .png or .pdf");
  }
  const auto sizeText = parsed.Value("--size");
  if (sizeText && kind == ".pdf") throw UsageError("--size does not apply to the A4 printout");
  const platform::Size size =
      sizeText ? SizeOption(*sizeText) : platform::Size{kDefaultWidth, kDefaultHeight};
  if (kind != ".svg" && !DrawsQtPictures()) DrawQtPicturesElsewhere(context);
  auto doc = CliDocument::Open(parsed.positional[0], context.texts);
  // Numbers on the chart follow the locale environment, as the CSV export's do.
  const char decimalSeparator = UserDecimalSeparator();
  if (kind == ".svg") {
    WriteSvgChart(doc->Measurement(), size, out, context.texts, decimalSeparator);
  } else if (kind == ".png") {
    WritePngChart(doc->Measurement(), size, out, context.texts, decimalSeparator);
  } else {
    tables::TextConventions conventions;
    conventions.decimalSeparator = decimalSeparator;
    WritePdfPrintout(doc->Measurement(), platform::DisplayName(doc->Doc().GetPathName()), out,
                     context.texts, conventions);
  }
  return kExitSuccess;
}

}  // namespace

CommandSpec RenderCommand() { return {"render", "IN OUT [--size WxH]", RunRender}; }

}  // namespace vantrel::cli
