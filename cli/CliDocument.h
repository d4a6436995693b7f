// A document of vantrel-cli: the program's document class with the command line's message
// service, opened by the document's open rules (by the last character of the name) and
// saved by the program's save. Failures become the error line of the first message the
// document reported.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "CliMessages.h"
#include "document/CVantrel40Doc.h"

namespace vantrel::cli {

class CliDocument {
 public:
  /// Opens `path` as the program opens a file; throws the first message on failure (a file
  /// error naming the file and its cause, 61728 archive error, 61697 open failure, 32905
  /// file error inside an import, 32956 failed import, 32900).
  static std::unique_ptr<CliDocument> Open(const std::filesystem::path& path,
                                           const platform::TextSource& texts);
  /// A new document holding `measurement` from the instrument: imported, titled by its name.
  static std::unique_ptr<CliDocument> FromInstrument(
      std::unique_ptr<model::CMessungObj> measurement, const platform::TextSource& texts);

  /// An empty document (no measurement yet).
  explicit CliDocument(const platform::TextSource& texts);
  CliDocument(const CliDocument&) = delete;
  CliDocument& operator=(const CliDocument&) = delete;

  document::CVantrel40Doc& Doc() { return *doc_; }
  model::CMessungObj& Measurement() { return *doc_->GetMeasurement(); }
  CliMessages& Messages() { return *messages_; }

  /// Saves under `path` as the program's save does (an instrument text name writes nothing
  /// and succeeds only for the unchanged document's own file, else 32990); throws the first
  /// message on failure (a file error naming the file, 61698 by default).
  void SaveAs(const std::filesystem::path& path);

  /// Opens `in` and saves it as `out`, with the failures of Open and SaveAs. An archive saved
  /// under a document name is passed through without holding its samples.
  static void Convert(const std::filesystem::path& in, const std::filesystem::path& out,
                      const platform::TextSource& texts);

 private:
  std::unique_ptr<CliMessages> messages_;
  std::unique_ptr<document::CVantrel40Doc> doc_;
};

/// Creates a new empty file at the default name of `title` in `dir` with `extension`
/// (".vqa", ".vqb"), adding "-2", "-3", ... when a file of that name exists; a nameless
/// measurement (or one whose name is all dropped characters) is "Messung<position>". The
/// save then replaces this placeholder. Throws CliFailure when no name is free.
std::filesystem::path ReserveDocumentName(const std::u16string& title, int position,
                                          const std::filesystem::path& dir,
                                          const std::string& extension);

}  // namespace vantrel::cli
