#include "gui/app/DemoInstrument.h"

#include <sys/prctl.h>
#include <unistd.h>

#include <csignal>

namespace vantrel::gui {

DemoInstrument::~DemoInstrument() {
  if (process_ != nullptr && process_->state() != QProcess::NotRunning) {
    process_->terminate();
    if (!process_->waitForFinished(2000)) process_->kill();
    process_->waitForFinished(1000);
  }
}

bool DemoInstrument::Start(const std::filesystem::path& programDirectory) {
  const std::filesystem::path simulator = programDirectory / "vantrel-sim";
  if (!std::filesystem::exists(simulator)) return false;
  process_ = std::make_unique<QProcess>();
  process_->setProgram(QString::fromStdString(simulator.string()));
  // The demonstration measurements for the readout (cylinder test, pump characteristic,
  // valve switching, warm-up, machine cycle) and the machine cycle of pressure, flow and
  // oil temperature at ten sample sets per second for the online recording, on one terminal.
  process_->setArguments({QStringLiteral("--mode"), QStringLiteral("auto"),
                          QStringLiteral("--rate"), QStringLiteral("10"),
                          QStringLiteral("--interval"), QStringLiteral("0.1")});
  process_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
  // The simulator ends with the program, however the program ends: the kernel sends it
  // SIGTERM when the program's process goes, even when the program was killed.
  const pid_t program = ::getpid();
  process_->setChildProcessModifier([program] {
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    // The program may have gone between fork and prctl; then nobody would send the signal.
    if (::getppid() != program) ::_exit(1);
  });
  process_->start();
  if (!process_->waitForStarted(3000)) return false;
  // The simulator names its terminal on its first output line.
  while (!process_->canReadLine()) {
    if (!process_->waitForReadyRead(5000)) return false;
  }
  devicePath_ = QString::fromLocal8Bit(process_->readLine()).trimmed();
  return !devicePath_.isEmpty();
}

}  // namespace vantrel::gui
