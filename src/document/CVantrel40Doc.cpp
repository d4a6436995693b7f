#include "document/CVantrel40Doc.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <iterator>

#include "document/InstrumentTextImport.h"
#include "document/MeasurementArchive.h"
#include "document/OnlineTextImport.h"
#include "platform/Error.h"
#include "platform/FileErrors.h"
#include "platform/OrdinaryFile.h"

namespace vantrel::document {

FileKind FileKindOf(const std::filesystem::path& path) {
  const std::string name = path.string();
  if (name.empty()) return FileKind::Archive;
  switch (name.back()) {
    case 'o':
      return FileKind::OnlineText;
    case 'm':
    case 'g':
    case 'k':
      return FileKind::InstrumentText;
    default:
      return FileKind::Archive;
  }
}

bool IsInstrumentTextName(const std::filesystem::path& path) {
  std::string name = path.string();
  if (name.size() < 4) return false;
  std::string tail = name.substr(name.size() - 4);
  std::transform(tail.begin(), tail.end(), tail.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return tail == ".vqm" || tail == ".vqo" || tail == ".vqg" || tail == ".vqk";
}

std::filesystem::path DefaultDocumentName(const std::u16string& title,
                                          const std::u16string& extension,
                                          const std::filesystem::path& workDir) {
  std::u16string name;
  for (char16_t c : title) {
    if (c == u'.') break;
    if (c == u' ' || c == u'#' || c == u'%' || c == u';' || c == u'/' || c == u'\\') continue;
    name.push_back(c);
  }
  name += extension;
  return workDir / std::filesystem::path(name);
}

CVantrel40Doc::CVantrel40Doc(DocumentEnvironment environment, std::u16string templateExtension)
    : env_(std::move(environment)),
      templateExtension_(std::move(templateExtension)),
      history_(env_.undoBudgetBytes) {}

CVantrel40Doc::~CVantrel40Doc() = default;

std::unique_ptr<CVantrel40Doc> CVantrel40Doc::FromMeasurement(
    DocumentEnvironment environment, std::u16string templateExtension,
    std::unique_ptr<model::CMessungObj> measurement, std::u16string untitledTitle) {
  auto doc = std::make_unique<CVantrel40Doc>(std::move(environment), std::move(templateExtension));
  doc->SetTitle(std::move(untitledTitle));
  if (measurement != nullptr && !measurement->GetName().empty()) {
    doc->SetTitle(measurement->GetName());
  }
  doc->SetMeasurement(std::move(measurement));
  doc->imported_ = 1;
  return doc;
}

void CVantrel40Doc::SetMeasurement(std::unique_ptr<model::CMessungObj> measurement) {
  measurement_ = std::move(measurement);
  StartHistory();
}

void CVantrel40Doc::StartHistory() {
  try {
    history_.Reset(measurement_.get());
  } catch (const std::bad_alloc&) {
    // Without a state to start from the first change starts the history instead.
    history_.Reset(nullptr);
  }
}

void CVantrel40Doc::RecordStep(int nameId, bool marksModified) {
  if (measurement_ != nullptr) {
    try {
      history_.Record(nameId, *measurement_, marksModified);
    } catch (const std::bad_alloc&) {
      history_.Reset(nullptr);
      if (marksModified) history_.ForgetSavedState();
    }
  }
  if (!marksModified) return;
  if (imported_ != 0) {
    imported_ = 0;
    pathName_.clear();
  }
  modified_ = true;
}

void CVantrel40Doc::NoteChangeWithoutStep() {
  if (measurement_ == nullptr) return;
  try {
    history_.Rebase(*measurement_);
  } catch (const std::bad_alloc&) {
    history_.Reset(nullptr);
    history_.ForgetSavedState();
  }
}

bool CVantrel40Doc::Undo() {
  if (measurement_ == nullptr || !history_.Undo(*measurement_)) return false;
  FollowHistory();
  return true;
}

bool CVantrel40Doc::Redo() {
  if (measurement_ == nullptr || !history_.Redo(*measurement_)) return false;
  FollowHistory();
  return true;
}

void CVantrel40Doc::FollowHistory() {
  modified_ = !history_.AtSavedState();
  if (modified_ && imported_ != 0) {
    imported_ = 0;
    pathName_.clear();
  }
}

void CVantrel40Doc::SetPathName(const std::filesystem::path& path) {
  pathName_ = path;
  title_ = platform::DisplayName(path.filename());
}

platform::Answer CVantrel40Doc::Ask(int id, platform::Buttons buttons,
                                    const std::u16string& argument) {
  if (env_.messages == nullptr) return platform::Answer::Cancel;
  const platform::Icon icon =
      buttons == platform::Buttons::Ok ? platform::Icon::Exclamation : platform::Icon::Question;
  return env_.messages->ShowMessage(id, buttons, icon, argument);
}

bool CVantrel40Doc::OnOpenDocument(const std::filesystem::path& path) {
  const FileKind kind = FileKindOf(path);
  const bool opened = kind == FileKind::Archive ? OpenArchive(path) : OpenImport(path, kind);
  if (!opened) {
    measurement_.reset();
    return false;
  }
  SetPathName(path);
  return true;
}

namespace {

/// The whole file, bounded so an absurd file cannot exhaust memory; throws
/// platform::FileError with the cause, and with kMsgFileError for a file too large.
std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path) {
  constexpr std::uintmax_t kLargestTextFile = std::uintmax_t{1} << 31;
  return platform::ReadOrdinaryFile(path, kLargestTextFile, kMsgFileError);
}

}  // namespace

bool CVantrel40Doc::OpenImport(const std::filesystem::path& path, FileKind kind) {
  std::vector<std::uint8_t> bytes;
  try {
    bytes = ReadWholeFile(path);
  } catch (const std::bad_alloc&) {
    Ask(platform::kMsgOutOfMemory, platform::Buttons::Ok);
    return false;
  } catch (const platform::FileError& error) {
    // The cause with the file's name; the import's own file error (kMsgFileError) only applies
    // when no specific cause is known.
    Ask(error.MessageId(), platform::Buttons::Ok, platform::DisplayName(error.File()));
    return false;
  } catch (const platform::VantrelError&) {
    Ask(kMsgFileError, platform::Buttons::Ok);
    return false;
  }
  auto measurement = std::make_unique<model::CMessungObj>(env_.messages);
  ImportSettings settings;
  settings.importTime = platform::CurrentTimeStamp();
  ImportResult result;
  try {
    result = kind == FileKind::OnlineText ? ImportOnlineText(bytes, *measurement, settings)
                                          : ImportInstrumentText(bytes, *measurement, settings);
  } catch (const std::bad_alloc&) {
    result.messageId = platform::kMsgOutOfMemory;
  }
  if (!result.Succeeded()) {
    if (result.messageId == platform::kMsgOutOfMemory) {
      Ask(platform::kMsgOutOfMemory, platform::Buttons::Ok);
    }
    Ask(kMsgImportFailed, platform::Buttons::Ok);
    return false;
  }
  measurement_ = std::move(measurement);
  imported_ = 1;
  modified_ = false;
  StartHistory();
  return true;
}

bool CVantrel40Doc::OpenArchive(const std::filesystem::path& path) {
  try {
    LoadedDocument loaded = ReadDocumentFile(path, env_.messages);
    measurement_ = std::move(loaded.measurement);
    imported_ = loaded.imported;
    modified_ = false;
    StartHistory();
    return true;
  } catch (...) {
    ReportOpenFailure();
  }
  return false;
}

void CVantrel40Doc::ReportOpenFailure() {
  try {
    throw;
  } catch (const platform::FileError& error) {
    Ask(error.MessageId(), platform::Buttons::Ok, platform::DisplayName(error.File()));
  } catch (const platform::VantrelError& error) {
    Ask(error.MessageId() == kMsgUnexpectedFileFormat ? kMsgUnexpectedFileFormat : kMsgOpenFailed,
        platform::Buttons::Ok);
  } catch (const std::bad_alloc&) {
    Ask(platform::kMsgOutOfMemory, platform::Buttons::Ok);
  }
}

void CVantrel40Doc::ReportSaveFailure() {
  try {
    throw;
  } catch (const platform::FileError& error) {
    // The safe save leaves the previous file intact; the message names the file and cause.
    Ask(error.MessageId(), platform::Buttons::Ok, platform::DisplayName(error.File()));
  } catch (const platform::VantrelError&) {
    Ask(kMsgSaveFailed, platform::Buttons::Ok);
  } catch (const std::bad_alloc&) {
    Ask(platform::kMsgOutOfMemory, platform::Buttons::Ok);
  }
}

CVantrel40Doc::Conversion CVantrel40Doc::ConvertArchive(const std::filesystem::path& in,
                                                        const std::filesystem::path& out) {
  measurement_.reset();
  std::exception_ptr saveFailure;
  try {
    saveFailure = ConvertDocumentFile(in, out, env_.messages);
  } catch (...) {
    ReportOpenFailure();
    return Conversion::OpenFailed;
  }
  if (saveFailure) {
    try {
      std::rethrow_exception(saveFailure);
    } catch (...) {
      ReportSaveFailure();
    }
    return Conversion::SaveFailed;
  }
  return Conversion::Saved;
}

bool CVantrel40Doc::DoSave(const std::filesystem::path& path, bool /*replace*/) {
  std::filesystem::path name = path;
  if (name.empty()) {
    name = pathName_;
    if (name.empty()) {
      const std::u16string extension = imported_ != 0 ? templateExtension_ : u".vqb";
      const std::filesystem::path workDir = env_.workDir ? env_.workDir() : std::filesystem::path();
      name = DefaultDocumentName(title_, extension, workDir);
    }
    if (env_.dialogs == nullptr) return false;
    platform::SaveFileRequest request;
    request.title = env_.texts != nullptr ? env_.texts->Text(kStrSaveAsTitle) : u"";
    request.initialName = name;
    const bool imported = imported_ != 0;
    if (env_.texts != nullptr) {
      request.filterDescription =
          env_.texts->Text(imported ? kStrImportedFilter : kStrDocumentFilter);
    }
    request.pattern = imported ? u"*.vqa" : u"*.vqb";
    request.defaultExtension = imported ? u"vqa" : u"vqb";
    std::optional<std::filesystem::path> chosen = env_.dialogs->AskSaveFileName(request);
    if (!chosen) return false;
    name = *chosen;
  }

  if (IsInstrumentTextName(name)) {
    // Instrument text files are never written. Only the unchanged document "saved" under
    // the very file it was read from loses nothing; any other case (changed data, a
    // readout or recording that has no file yet, another file) would report success for
    // data that is nowhere, so the user is told.
    if (modified_ || !IsOwnFile(name)) {
      Ask(kMsgInstrumentFileNotWritten, platform::Buttons::Ok);
      return false;
    }
    return true;
  }

  if (measurement_ == nullptr) return false;
  try {
    SaveDocumentFile(name, *measurement_, imported_);
  } catch (...) {
    ReportSaveFailure();
    return false;
  }
  modified_ = false;
  history_.MarkSaved();
  SetPathName(name);
  if (env_.addRecentFile) env_.addRecentFile(name);
  return true;
}

bool CVantrel40Doc::IsOwnFile(const std::filesystem::path& name) const {
  if (pathName_.empty()) return false;
  std::error_code error;
  if (std::filesystem::equivalent(name, pathName_, error) && !error) return true;
  // A file that is gone is compared by its name.
  return std::filesystem::absolute(name, error).lexically_normal() ==
         std::filesystem::absolute(pathName_, error).lexically_normal();
}

bool CVantrel40Doc::NeedsSaveQuery() const {
  return modified_ || (measurement_ != nullptr && pathName_.empty());
}

bool CVantrel40Doc::SaveModified() {
  if (!NeedsSaveQuery()) return true;
  switch (Ask(kMsgSaveChanges, platform::Buttons::YesNoCancel, title_)) {
    case platform::Answer::Yes:
      return DoSave(pathName_);
    case platform::Answer::No:
      return true;
    default:
      return false;
  }
}

bool CVantrel40Doc::CanCloseFrame(FrameKind kind, bool numberedWindows) {
  if (kind == FrameKind::List && numberedWindows) return true;
  return SaveModified();
}

void CVantrel40Doc::SetModifiedFlag(bool modified) {
  if (modified) {
    history_.ForgetSavedState();
  } else {
    history_.MarkSaved();
  }
  if (imported_ != 0 && modified) {
    imported_ = 0;
    pathName_.clear();
  }
  modified_ = modified;
}

}  // namespace vantrel::document
