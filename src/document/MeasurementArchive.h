// A whole document file: the measurement (x axis, y axes, curves with their samples,
// texts, lines, name, storage number, zoom and scroll, title, notes, grid) followed by the
// document's imported flag, written and read through one archive. Reading either returns a
// complete measurement or throws; nothing partly read survives.
#pragma once

#include <cstdint>
#include <exception>
#include <filesystem>
#include <memory>
#include <span>
#include <vector>

#include "document/ArchiveReader.h"
#include "document/ArchiveWriter.h"
#include "model/CMessungObj.h"
#include "platform/MessageService.h"

namespace vantrel::document {

struct LoadedDocument {
  std::unique_ptr<model::CMessungObj> measurement;
  int imported = 0;
};

/// Writes the document in archive order into `writer` (which the caller flushes).
void WriteDocument(ArchiveWriter& writer, const model::CMessungObj& measurement, int imported);
/// The archive bytes of the document.
std::vector<std::uint8_t> DocumentBytes(const model::CMessungObj& measurement, int imported);

/// Reads a document from `reader`; bytes after the imported flag are a format error.
/// `messages` goes to the new measurement (its out-of-memory questions).
LoadedDocument ReadDocument(ArchiveReader& reader, platform::MessageService* messages = nullptr);
LoadedDocument ReadDocument(std::span<const std::uint8_t> bytes,
                            platform::MessageService* messages = nullptr);
/// Opens and reads a document file. A file that cannot be opened (missing, a folder, not an
/// ordinary file, no permission) throws platform::FileError with the cause's message; a
/// malformed one ArchiveError (61728).
LoadedDocument ReadDocumentFile(const std::filesystem::path& path,
                                platform::MessageService* messages = nullptr);

/// Saves the document to `path` through the safe save (platform::AtomicFile), so a failed
/// save leaves the previous file as it was. Failures throw platform::FileError with the
/// cause's message.
void SaveDocumentFile(const std::filesystem::path& path, const model::CMessungObj& measurement,
                      int imported);

/// Writes the document file `in` to `out` as SaveDocumentFile would write what
/// ReadDocumentFile returns for it, byte for byte, but passes the samples through a curve
/// run at a time instead of holding them: memory stays small whatever the file's size.
/// Reading fails as ReadDocumentFile does, by throwing; `out` is then left as it was. A
/// failure to save (as SaveDocumentFile would throw it) is returned instead, and only once
/// the whole input has been read, so a faulty input is always reported as such. Returns
/// null when `out` was saved.
[[nodiscard]] std::exception_ptr ConvertDocumentFile(const std::filesystem::path& in,
                                                     const std::filesystem::path& out,
                                                     platform::MessageService* messages = nullptr);

}  // namespace vantrel::document
