// The document: owns one measurement, knows whether it is an unchanged import from the
// instrument or an instrument text file (the imported state), opens every file type by
// the last character of its name, and saves archives with the default-name and file-type
// rules. Windows, dialogs and message boxes are reached through DocumentEnvironment.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "app/MessageIds.h"
#include "document/UndoHistory.h"
#include "model/CMessungObj.h"
#include "platform/FileDialogs.h"
#include "platform/MessageService.h"
#include "platform/TextSource.h"

namespace vantrel::document {

/// Message IDs the document raises.
using ids::kMsgFileError;
using ids::kMsgImportFailed;
using ids::kMsgInstrumentFileNotWritten;
using ids::kMsgOpenFailed;
using ids::kMsgSaveChanges;
using ids::kMsgSaveFailed;
using ids::kMsgUnexpectedFileFormat;
using ids::kStrDocumentFilter;
using ids::kStrImportedFilter;
using ids::kStrSaveAsTitle;

/// What the document needs from the program around it.
struct DocumentEnvironment {
  platform::MessageService* messages = nullptr;
  platform::FileDialogs* dialogs = nullptr;
  const platform::TextSource* texts = nullptr;
  /// The working folder of the user settings (start of default names); may be empty.
  std::function<std::filesystem::path()> workDir;
  /// Called after every successful save with the saved path (the recent-file list).
  std::function<void(const std::filesystem::path&)> addRecentFile;
  /// The memory the undo history may hold on its own.
  std::size_t undoBudgetBytes = UndoHistory::kDefaultBudgetBytes;
};

/// How a frame relates to its document when it is closed.
enum class FrameKind { Chart, List };

/// The file type of a path, by its last character (case-sensitive).
enum class FileKind { OnlineText, InstrumentText, Archive };
FileKind FileKindOf(const std::filesystem::path& path);

/// True when the name ends in one of the instrument text extensions (any case).
bool IsInstrumentTextName(const std::filesystem::path& path);

/// The default file name of a document: the title without " #%;/\", cut before its first
/// ".", plus `extension`, in `workDir`.
std::filesystem::path DefaultDocumentName(const std::u16string& title,
                                          const std::u16string& extension,
                                          const std::filesystem::path& workDir);

class CVantrel40Doc {
 public:
  /// `templateExtension` is the filter extension of the template that created the document
  /// (".vqa", ".vqo", ...), used for the default name while it is imported.
  CVantrel40Doc(DocumentEnvironment environment, std::u16string templateExtension);
  ~CVantrel40Doc();
  CVantrel40Doc(const CVantrel40Doc&) = delete;
  CVantrel40Doc& operator=(const CVantrel40Doc&) = delete;

  /// A document holding a measurement from the instrument: imported, titled by its name,
  /// or by `untitledTitle` (the template's default title, UntitledTitle) when it has none.
  static std::unique_ptr<CVantrel40Doc> FromMeasurement(
      DocumentEnvironment environment, std::u16string templateExtension,
      std::unique_ptr<model::CMessungObj> measurement, std::u16string untitledTitle = {});

  /// Opens a file by its type; on failure shows the message and returns false, and the
  /// document holds no measurement.
  bool OnOpenDocument(const std::filesystem::path& path);
  /// Saves under `path`, or asks for a name when it is empty and the document has none;
  /// false when the user cancelled or saving failed (the previous file stays intact; the
  /// file error names the file and the cause). An instrument text name (.vqo .vqm .vqg .vqk)
  /// is never written: it succeeds only for the unchanged document's own file, else 32990.
  bool DoSave(const std::filesystem::path& path, bool replace = true);
  /// What ConvertArchive did.
  enum class Conversion { Saved, OpenFailed, SaveFailed };
  /// Saves the archive `in` as the document file `out`, to the byte and with the messages of
  /// OnOpenDocument(in) followed by DoSave(out), for an archive name `in` and a name `out`
  /// that is no instrument text name. The samples pass through a curve run at a time
  /// instead of being held, so a file of any size converts in little memory. The document
  /// holds no measurement afterwards.
  Conversion ConvertArchive(const std::filesystem::path& in, const std::filesystem::path& out);
  /// Saves under the current path (asking for one when there is none).
  bool Save() { return DoSave(pathName_); }
  /// Asks "save changes?" for a document that NeedsSaveQuery: false when the user cancelled
  /// or the save failed.
  bool SaveModified();
  /// Whether closing would lose data: the document is modified, or it holds a measurement
  /// that exists in no file (a readout or online recording never saved).
  bool NeedsSaveQuery() const;
  /// Whether closing this frame needs the save query; `numberedWindows` tells whether the
  /// document has several numbered windows.
  bool CanCloseFrame(FrameKind kind, bool numberedWindows);

  /// Marks a change: ends the imported state and forgets the path, so the next save asks.
  /// A change marked here is no undo step: undoing no longer leads back to the saved state;
  /// unmarking makes the current state the one undoing leads back to unmodified.
  void SetModifiedFlag(bool modified = true);

  // Undo and redo.
  /// Records the change made since the last step as an undo step named by message `nameId`
  /// and marks the document modified (`marksModified` false: leaves the flag; showing or
  /// hiding the title).
  void RecordStep(int nameId, bool marksModified = true);
  /// Takes the start of the next step from the current state without a step (samples a
  /// recording appended).
  void NoteChangeWithoutStep();
  /// Takes back / does again one step; the document is unmodified exactly when this leads
  /// back to the state last saved (the imported state does not come back). False when
  /// there is no step.
  bool Undo();
  bool Redo();
  const UndoHistory& History() const { return history_; }
  bool IsModified() const { return modified_; }
  int GetImported() const { return imported_; }
  void SetImported(int imported) { imported_ = imported; }

  model::CMessungObj* GetMeasurement() { return measurement_.get(); }
  const model::CMessungObj* GetMeasurement() const { return measurement_.get(); }
  /// Takes ownership of a measurement (readout, online recording).
  void SetMeasurement(std::unique_ptr<model::CMessungObj> measurement);

  const std::u16string& GetTitle() const { return title_; }
  void SetTitle(const std::u16string& title) { title_ = title; }
  const std::filesystem::path& GetPathName() const { return pathName_; }
  void SetPathName(const std::filesystem::path& path);
  const std::u16string& GetTemplateExtension() const { return templateExtension_; }

 private:
  bool OpenImport(const std::filesystem::path& path, FileKind kind);
  bool OpenArchive(const std::filesystem::path& path);
  /// Whether `name` is the file this document was read from or last saved to.
  bool IsOwnFile(const std::filesystem::path& name) const;
  platform::Answer Ask(int id, platform::Buttons buttons, const std::u16string& argument = {});
  /// Tell the user why opening or saving failed; called inside a catch block, they rethrow
  /// the exception in flight and pass on what they do not know.
  void ReportOpenFailure();
  void ReportSaveFailure();

  /// A new measurement or file: the history starts over.
  void StartHistory();
  /// The modified flag after an undo or redo.
  void FollowHistory();

  DocumentEnvironment env_;
  std::u16string templateExtension_;
  std::unique_ptr<model::CMessungObj> measurement_;
  UndoHistory history_;
  int imported_ = 0;
  bool modified_ = false;
  std::u16string title_;
  std::filesystem::path pathName_;
};

}  // namespace vantrel::document
