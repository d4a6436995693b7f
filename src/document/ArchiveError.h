// The error a document archive raises when its bytes are not a valid document: every kind
// reaches the user as message 61728 ("unexpected file format"); the kind says why.
#pragma once

#include <string>

#include "app/MessageIds.h"
#include "platform/Error.h"

namespace vantrel::document {

/// Message of every archive format error.
using ids::kMsgUnexpectedFileFormat;
/// Message when a document file cannot be opened or read.
using ids::kMsgOpenFailed;
/// Message when a document cannot be saved.
using ids::kMsgSaveFailed;

class ArchiveError : public platform::VantrelError {
 public:
  enum class Kind {
    EndOfFile,     // the bytes end inside a value
    BadIndex,      // a reference to an index that is not a class, or to an object
    BadClass,      // an unlisted class name, or another class where one is required
    BadSchema,     // a listed class with a schema this program does not read
    TrailingBytes  // bytes after the last field of the document
  };

  ArchiveError(Kind kind, const std::string& detail)
      : VantrelError(kMsgUnexpectedFileFormat, detail), kind_(kind) {}
  Kind GetKind() const { return kind_; }

 private:
  Kind kind_;
};

}  // namespace vantrel::document
