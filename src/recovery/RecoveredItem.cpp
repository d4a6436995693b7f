// Taking, reading and deleting recovery items; see RecoveredItem.h.
#include "recovery/RecoveredItem.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "document/MeasurementArchive.h"
#include "formula/FormulaCurves.h"
#include "instrument/OnlineRecorder.h"
#include "platform/FileErrors.h"
#include "platform/OrdinaryFile.h"
#include "recovery/JournalFormat.h"
#include "recovery/RecoveryMessages.h"

namespace vantrel::recovery {
namespace {

/// Curves of this origin are computed from formulas: they are rebuilt, never journaled.
constexpr int kFormulaOrigin = 2;

using FilePointer = platform::StreamHandle;

std::int64_t ChangedAt(const std::filesystem::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? static_cast<std::int64_t>(info.st_mtime) : 0;
}

/// Opens a journal and reads its header; throws RecoveryError.
FilePointer OpenJournal(const std::filesystem::path& path, JournalHeader* header,
                        JournalScanner** scanner, std::unique_ptr<JournalScanner>& owner) {
  FilePointer file;
  try {
    std::uintmax_t size = 0;
    file = platform::OpenOrdinaryStream(path, size);
  } catch (const platform::FileError& error) {
    throw RecoveryError(kMsgItemUnreadable, path, error.what());
  }
  owner = std::make_unique<JournalScanner>(file.get());
  *scanner = owner.get();
  switch (owner->ReadHeader(header)) {
    case JournalScanner::HeaderStatus::kOk:
      return file;
    case JournalScanner::HeaderStatus::kUnreadable:
      throw RecoveryError(kMsgItemUnreadable, path, "read error in the header");
    case JournalScanner::HeaderStatus::kOtherVersion:
      throw RecoveryError(kMsgOtherVersion, path, "journal of another program version");
    case JournalScanner::HeaderStatus::kDamaged:
      break;
  }
  throw RecoveryError(kMsgDamagedHeader, path, "damaged journal header");
}

/// The document of a journal's header image, checked against the header.
document::LoadedDocument HeaderDocument(const std::filesystem::path& path,
                                        const JournalHeader& header,
                                        platform::MessageService* messages) {
  document::LoadedDocument loaded;
  try {
    loaded = document::ReadDocument(header.image, messages);
  } catch (const platform::VantrelError& error) {
    throw RecoveryError(kMsgDamagedHeader, path, error.what());
  }
  if (loaded.measurement == nullptr || loaded.measurement->GetCurveCount() < header.channelCount) {
    throw RecoveryError(kMsgDamagedHeader, path, "fewer curves than channels");
  }
  return loaded;
}

}  // namespace

std::unique_ptr<RecoveredItem> RecoveredItem::Take(const RecoveryItem& item) {
  std::unique_ptr<FileLock> lock;
  if (item.kind == ItemKind::kJournal) {
    lock = FileLock::TryLock(item.path, FileLock::Open::kExisting);
  } else {
    lock = FileLock::TryLock(RecoveryFolder::CopyLockPath(item.path), FileLock::Open::kCreate);
  }
  if (lock == nullptr) return nullptr;
  // Another program may have restored and deleted it between listing and taking.
  std::error_code code;
  if (!std::filesystem::exists(item.path, code)) {
    if (item.kind == ItemKind::kCopy) ::unlink(RecoveryFolder::CopyLockPath(item.path).c_str());
    return nullptr;
  }
  return std::unique_ptr<RecoveredItem>(new RecoveredItem(item, std::move(lock)));
}

ItemSummary RecoveredItem::Summarize() const {
  ItemSummary summary = item_.kind == ItemKind::kJournal ? SummarizeJournal() : SummarizeCopy();
  summary.changedAt = ChangedAt(item_.path);
  return summary;
}

ItemSummary RecoveredItem::SummarizeJournal() const {
  JournalHeader header;
  JournalScanner* scanner = nullptr;
  std::unique_ptr<JournalScanner> owner;
  const FilePointer file = OpenJournal(item_.path, &header, &scanner, owner);
  const document::LoadedDocument loaded = HeaderDocument(item_.path, header, nullptr);
  ItemSummary summary;
  summary.name =
      loaded.measurement->GetName().empty() ? header.title : loaded.measurement->GetName();
  summary.startTime = header.startedAt;
  std::vector<instrument::OnlineSampleSet> sets;
  while (scanner->NextRecord(sets)) summary.samples += static_cast<long long>(sets.size());
  if (scanner->ReadFailed()) throw RecoveryError(kMsgItemUnreadable, item_.path, "read error");
  return summary;
}

ItemSummary RecoveredItem::SummarizeCopy() const {
  const RecoveredDocument document = LoadCopy(nullptr);
  ItemSummary summary;
  const model::CMessungObj& measurement = *document.measurement;
  summary.name = measurement.GetName();
  for (int i = 0; i < measurement.GetCurveCount(); ++i) {
    const model::CKurveObj& curve = *measurement.GetCurve(i);
    summary.samples = std::max(summary.samples, curve.GetSampleCount());
    if (i == 0) summary.startTime = curve.GetStartTime();
  }
  return summary;
}

RecoveredDocument RecoveredItem::Load(platform::MessageService* messages) const {
  return item_.kind == ItemKind::kJournal ? LoadJournal(messages) : LoadCopy(messages);
}

RecoveredDocument RecoveredItem::LoadJournal(platform::MessageService* messages) const {
  JournalHeader header;
  JournalScanner* scanner = nullptr;
  std::unique_ptr<JournalScanner> owner;
  const FilePointer file = OpenJournal(item_.path, &header, &scanner, owner);
  document::LoadedDocument loaded = HeaderDocument(item_.path, header, messages);

  RecoveredDocument recovered;
  recovered.measurement = std::move(loaded.measurement);
  recovered.imported = loaded.imported;
  recovered.title = header.title;
  recovered.templateExtension = header.templateExtension;
  model::CMessungObj& measurement = *recovered.measurement;
  // The same growth the recording used, fresh as when the recording started.
  instrument::OnlineAxisGrowth growth(measurement, header.axes);
  std::vector<instrument::OnlineSampleSet> sets;
  while (scanner->NextRecord(sets)) {
    instrument::AppendOnlineSets(growth, measurement, sets, header.channelCount);
    recovered.sampleSets += static_cast<long long>(sets.size());
  }
  if (scanner->ReadFailed()) throw RecoveryError(kMsgItemUnreadable, item_.path, "read error");

  bool hasFormulaCurves = false;
  for (int i = 0; i < measurement.GetCurveCount(); ++i) {
    model::CKurveObj& curve = *measurement.GetCurve(i);
    if (curve.GetOrigin() != kFormulaOrigin) continue;
    curve.MutableSamples().clear();
    hasFormulaCurves = true;
  }
  if (hasFormulaCurves) {
    measurement.SetFormulaUpdatePending(1);
    formula::UpdateFormulaCurves(measurement, header.axes.einteilung);
  }
  measurement.SetFormulaUpdatePending(0);
  measurement.SetOnlineActive(0);
  return recovered;
}

RecoveredDocument RecoveredItem::LoadCopy(platform::MessageService* messages) const {
  RecoveredDocument recovered;
  try {
    document::LoadedDocument loaded = document::ReadDocumentFile(item_.path, messages);
    recovered.measurement = std::move(loaded.measurement);
    recovered.imported = loaded.imported;
  } catch (const platform::VantrelError& error) {
    throw RecoveryError(kMsgItemUnreadable, item_.path, error.what());
  }
  return recovered;
}

bool RecoveredItem::Remove(std::string* error) {
  if (::unlink(item_.path.c_str()) != 0 && errno != ENOENT) {
    *error = item_.path.string() + ": " + std::strerror(errno);
    return false;
  }
  if (item_.kind == ItemKind::kCopy) ::unlink(RecoveryFolder::CopyLockPath(item_.path).c_str());
  lock_.reset();
  return true;
}

}  // namespace vantrel::recovery
