// The one error type of the program: a failure that carries the language library's message
// ID, so the CLI can print "id: text" and the GUI can show the text.
#pragma once

#include <stdexcept>
#include <string>

namespace vantrel::platform {

class VantrelError : public std::runtime_error {
 public:
  /// `detail` is for logs and tests; users see the language text of `messageId`.
  VantrelError(int messageId, const std::string& detail)
      : std::runtime_error(detail), messageId_(messageId) {}
  int MessageId() const { return messageId_; }

 private:
  int messageId_;
};

}  // namespace vantrel::platform
