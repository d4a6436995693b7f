// Demo mode: the simulated instrument `vantrel-sim` runs beside the program on a
// pseudo-terminal, and port 1 is mapped to it for this run, so readout and online
// recording work without an instrument.
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

 private:
  std::unique_ptr<QProcess> process_;
  QString devicePath_;
};

}  // namespace vantrel::gui
