#include "CliDocument.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "CliFrame.h"

namespace vantrel::cli {
namespace {

document::DocumentEnvironment Environment(CliMessages& messages,
                                          const platform::TextSource& texts) {
  document::DocumentEnvironment environment;
  environment.messages = &messages;
  environment.texts = &texts;
  return environment;  // no file dialogs: every save names its file
}

}  // namespace

CliDocument::CliDocument(const platform::TextSource& texts)
    : messages_(std::make_unique<CliMessages>()),
      doc_(std::make_unique<document::CVantrel40Doc>(Environment(*messages_, texts), u".vqa")) {}

std::unique_ptr<CliDocument> CliDocument::Open(const std::filesystem::path& path,
                                               const platform::TextSource& texts) {
  auto opened = std::make_unique<CliDocument>(texts);
  if (!opened->doc_->OnOpenDocument(path) || opened->doc_->GetMeasurement() == nullptr) {
    opened->messages_->ThrowFirst(document::kMsgOpenFailed);
  }
  return opened;
}

std::unique_ptr<CliDocument> CliDocument::FromInstrument(
    std::unique_ptr<model::CMessungObj> measurement, const platform::TextSource& texts) {
  auto made = std::make_unique<CliDocument>(texts);
  made->doc_ = document::CVantrel40Doc::FromMeasurement(Environment(*made->messages_, texts),
                                                        u".vqa", std::move(measurement));
  return made;
}

void CliDocument::SaveAs(const std::filesystem::path& path) {
  messages_->Clear();
  if (path.empty() || !doc_->DoSave(path)) messages_->ThrowFirst(document::kMsgSaveFailed);
}

void CliDocument::Convert(const std::filesystem::path& in, const std::filesystem::path& out,
                          const platform::TextSource& texts) {
  using document::CVantrel40Doc;
  if (document::FileKindOf(in) != document::FileKind::Archive || out.empty() ||
      document::IsInstrumentTextName(out)) {
    Open(in, texts)->SaveAs(out);
    return;
  }
  CliDocument converter(texts);
  switch (converter.doc_->ConvertArchive(in, out)) {
    case CVantrel40Doc::Conversion::OpenFailed:
      converter.messages_->ThrowFirst(document::kMsgOpenFailed);
    case CVantrel40Doc::Conversion::SaveFailed:
      converter.messages_->ThrowFirst(document::kMsgSaveFailed);
    case CVantrel40Doc::Conversion::Saved:
      break;
  }
}

std::filesystem::path ReserveDocumentName(const std::u16string& title, int position,
                                          const std::filesystem::path& dir,
                                          const std::string& extension) {
  constexpr int kMaxSuffix = 10000;
  std::filesystem::path base = document::DefaultDocumentName(title, u"", dir);
  if (base.filename().empty() || title.empty()) base = dir / ("Messung" + std::to_string(position));
  for (int suffix = 1; suffix <= kMaxSuffix; ++suffix) {
    std::filesystem::path candidate = base;
    candidate += suffix == 1 ? extension : "-" + std::to_string(suffix) + extension;
    const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      ::close(fd);
      return candidate;
    }
    if (errno != EEXIST) break;
  }
  throw CliFailure(document::kMsgSaveFailed, {}, "no free file name for " + base.string());
}

}  // namespace vantrel::cli
