// "This step fails with that message": the message ID of the error a step raises, for
// EXPECT_EQ(MessageIdOf([&] { ... }), 61698).
#pragma once

#include <optional>

#include "platform/Error.h"

namespace vantrel::testing {

/// The message ID of the VantrelError that `step` throws; none when it throws nothing
/// (any other exception passes through and fails the test).
template <typename Step>
std::optional<int> MessageIdOf(Step&& step) {
  try {
    step();
  } catch (const platform::VantrelError& error) {
    return error.MessageId();
  }
  return std::nullopt;
}

}  // namespace vantrel::testing
