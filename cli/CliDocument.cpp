#include "CliDocument.h"

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

}  // namespace vantrel::cli
