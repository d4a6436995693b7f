// Demo mode: the simulated instrument `vantrel-sim` runs beside the program on a
// pseudo-terminal, and port 1 is mapped to it for this run, so readout and online
// recording work without an instrument. The simulator never outlives the program: it is
// stopped when the program closes and receives SIGTERM from the kernel when the program's
// process ends in any other way.
#pragma once

#include <QProcess>
#include <QString>
#include <filesystem>
#include <memory>

namespace vantrel::gui {

class DemoInstrument {
 public:
  ~DemoInstrument();
  /// Starts the simulator found in `programDirectory`; false when it cannot be started or
  /// names no terminal within a few seconds.
  bool Start(const std::filesystem::path& programDirectory);
  /// The device path of the simulated instrument's terminal.
  const QString& DevicePath() const { return devicePath_; }
  /// The simulator's process id; 0 when it does not run.
  qint64 ProcessId() const { return process_ != nullptr ? process_->processId() : 0; }

 private:
  std::unique_ptr<QProcess> process_;
  QString devicePath_;
};

}  // namespace vantrel::gui
