// A pseudo-terminal pair for the simulated instrument: the master side (non-blocking) that the
// simulator plays on, and the slave path that the program opens as its serial port. The
// slave is held open and set raw, so the program may open and close it freely.
#pragma once

#include <memory>
#include <string>

namespace vantrel::sim {

class PseudoTerminal {
 public:
  /// Null when no pseudo-terminal can be had.
  static std::unique_ptr<PseudoTerminal> Open();
  ~PseudoTerminal();
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  int MasterFd() const { return master_; }
  const std::string& SlavePath() const { return slavePath_; }

 private:
  PseudoTerminal(int master, int slave, std::string path)
      : master_(master), slave_(slave), slavePath_(std::move(path)) {}
  int master_;
  int slave_;
  std::string slavePath_;
};

}  // namespace vantrel::sim
