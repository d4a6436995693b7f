// Runs the simulated instrument on a real pseudo-terminal in a background thread, for the
// tests and the benchmarks; the link under test opens the slave path like a serial device.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "PseudoTerminal.h"
#include "SimInstrument.h"

namespace vantrel::sim {

class SimHarness {
 public:
  explicit SimHarness(SimOptions options)
      : terminal_(PseudoTerminal::Open()), instrument_(std::move(options)) {
    if (terminal_ != nullptr) {
      thread_ = std::thread([this] { instrument_.Run(terminal_->MasterFd(), stop_); });
    }
  }
  ~SimHarness() {
    stop_.store(true);
    if (thread_.joinable()) thread_.join();
  }
  SimHarness(const SimHarness&) = delete;
  SimHarness& operator=(const SimHarness&) = delete;

  bool Ready() const { return terminal_ != nullptr; }
  const std::string& Path() const { return terminal_->SlavePath(); }
  SimStatistics Statistics() const { return instrument_.Statistics(); }

 private:
  std::unique_ptr<PseudoTerminal> terminal_;
  SimInstrument instrument_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace vantrel::sim
