// The message service of vantrel-cli: core code that would show a message box reaches this
// instead. It shows nothing; it remembers the first message (its ID and argument) so that
// the command can end with the error line "ID: text", and it answers every question the
// way that gives up: Cancel for Retry/Cancel, No for Yes/No, OK for a plain message.
#pragma once

#include <optional>
#include <string>

#include "CliFrame.h"
#include "platform/MessageService.h"

namespace vantrel::cli {

class CliMessages final : public platform::MessageService {
 public:
  platform::Answer ShowMessage(int id, platform::Buttons buttons, platform::Icon icon,
                               const std::u16string& argument = {}) override;

  /// The first message shown since construction or the last Clear.
  bool HasMessage() const { return firstId_.has_value(); }
  int FirstId() const { return firstId_.value_or(0); }
  void Clear() { firstId_.reset(); }

  /// Throws the first message as a failure, or `fallbackId` when none was shown.
  [[noreturn]] void ThrowFirst(int fallbackId) const;

 private:
  std::optional<int> firstId_;
  std::u16string firstArgument_;
};

}  // namespace vantrel::cli
