// Waiting in tests without waiting on the clock: a condition is polled until it holds and the
// wait returns at once then; the bound is generous and only there so that a broken test
// fails instead of hanging. Also tells whether another thread of this process is blocked in
// a system call (a read that waits for its peer), read from /proc.
#pragma once

#include <sys/types.h>

#include <algorithm>
#include <chrono>
#include <concepts>
#include <thread>
#include <utility>

namespace vantrel::testing {

/// How long a condition may take at most on a loaded machine before a test gives up.
inline constexpr std::chrono::milliseconds kPatience{30000};

/// Calls `condition` until it returns true or `bound` has passed, with `step` (e.g. draining
/// a queue) between the calls; returns whether it held.
template <typename Condition, std::invocable Step>
bool PollUntil(Condition&& condition, Step&& step, std::chrono::milliseconds bound = kPatience) {
  const auto end = std::chrono::steady_clock::now() + bound;
  // Short pauses first so that a quick condition returns at once, then longer ones so that a
  // long wait leaves the processor to the threads and programs it waits for.
  std::chrono::milliseconds pause(1);
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    step();
    if (condition()) return true;
    std::this_thread::sleep_for(pause);
    pause = std::min(pause * 2, std::chrono::milliseconds(20));
  }
}

template <typename Condition>
bool PollUntil(Condition&& condition, std::chrono::milliseconds bound = kPatience) {
  return PollUntil(
      std::forward<Condition>(condition), [] {}, bound);
}

/// The kernel ID of the calling thread, for ThreadIsBlocked.
pid_t ThisThreadId();

/// True when the thread `tid` of this process sleeps inside a system call.
bool ThreadIsBlocked(pid_t tid);

}  // namespace vantrel::testing
