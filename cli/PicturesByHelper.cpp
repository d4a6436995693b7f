// Stand-ins for the Qt picture outputs when vantrel-cli was built without Qt 6.
#include "CliFrame.h"
#include "QtPictures.h"

namespace vantrel::cli {
namespace {

[[noreturn]] void NoQt() { throw CliFailure(kMsgPictureUnavailable, u"", "built without Qt 6"); }

}  // namespace

void WritePngChart(model::CMessungObj&, platform::Size, const std::filesystem::path&,
                   const platform::TextSource&, char) {
  NoQt();
}

void WritePdfPrintout(model::CMessungObj&, const std::u16string&, const std::filesystem::path&,
                      const platform::TextSource&, const tables::TextConventions&) {
  NoQt();
}

}  // namespace vantrel::cli
