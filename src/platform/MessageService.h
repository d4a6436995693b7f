// How core logic asks the user something without opening a window: a message box by
// language-library ID with a set of buttons. The GUI answers with Qt message boxes, the
// tests with scripted answers, the CLI from its options.
#pragma once

#include <new>
#include <string>
#include <utility>

#include "app/MessageIds.h"

namespace vantrel::platform {

enum class Buttons { Ok, OkCancel, RetryCancel, YesNo, YesNoCancel };
enum class Icon { Exclamation, Information, Question, Stop };
enum class Answer { Ok, Cancel, Retry, Yes, No };

class MessageService {
 public:
  virtual ~MessageService() = default;
  /// Shows message `id` (with `argument` filled into its "%s"/"%1", if any) and returns the
  /// button the user chose.
  virtual Answer ShowMessage(int id, Buttons buttons, Icon icon,
                             const std::u16string& argument = {}) = 0;
};

/// The out-of-memory message, asked with Retry/Cancel.
using ids::kMsgOutOfMemory;

/// Runs `allocate` and, while it throws std::bad_alloc, asks kMsgOutOfMemory with Retry and
/// Cancel: Retry repeats, Cancel (or no message service) gives up and returns false.
template <typename Allocate>
bool RetryOnOutOfMemory(MessageService* messages, Allocate&& allocate) {
  for (;;) {
    try {
      std::forward<Allocate>(allocate)();
      return true;
    } catch (const std::bad_alloc&) {
      if (messages == nullptr || messages->ShowMessage(kMsgOutOfMemory, Buttons::RetryCancel,
                                                       Icon::Exclamation) != Answer::Retry) {
        return false;
      }
    }
  }
}

}  // namespace vantrel::platform
