// The first message wins: later ones (an import failure after its file error) only follow
// from it.
#include "CliMessages.h"

namespace vantrel::cli {

platform::Answer CliMessages::ShowMessage(int id, platform::Buttons buttons, platform::Icon,
                                          const std::u16string& argument) {
  if (!firstId_.has_value()) {
    firstId_ = id;
    firstArgument_ = argument;
  }
  switch (buttons) {
    case platform::Buttons::Ok:
      return platform::Answer::Ok;
    case platform::Buttons::YesNo:
      return platform::Answer::No;
    case platform::Buttons::OkCancel:
    case platform::Buttons::RetryCancel:
    case platform::Buttons::YesNoCancel:
      break;
  }
  return platform::Answer::Cancel;
}

void CliMessages::ThrowFirst(int fallbackId) const {
  throw CliFailure(firstId_.value_or(fallbackId), firstArgument_, "reported by the core");
}

}  // namespace vantrel::cli
