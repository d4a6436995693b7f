// The instrument link's time limits, measured over real pseudo-terminals: how late the serial
// port's read time-outs end a read, how soon a complete read returns, how fast the recorder's
// stop ends a worker that waits for records without a time-out, and how fast a cancelled
// port search returns. The unit tests keep only the lower bounds of these times.
#include <unistd.h>

#include <string>
#include <thread>

#include "LimitReport.h"
#include "OnlineStream.h"
#include "PseudoTerminal.h"
#include "SimHarness.h"
#include "instrument/CInstrumentLink.h"
#include "instrument/InstrumentSetup.h"
#include "platform/PosixSerialPort.h"

namespace {

using namespace vantrel;
using bench::MillisecondsOf;
using bench::ReportLimit;

constexpr int kRuns = 5;

/// A read of `size` bytes from a silent peer under `timeouts`.
double SilentReadMs(const platform::SerialTimeouts& timeouts, std::size_t size) {
  auto terminal = sim::PseudoTerminal::Open();
  auto port =
      terminal != nullptr ? platform::PosixSerialPort::Open(terminal->SlavePath()) : nullptr;
  if (port == nullptr || !port->ConfigurePort(38400) || !port->SetTimeouts(timeouts)) return 1e9;
  std::uint8_t buffer[64];
  return MillisecondsOf([&] { port->Read(buffer, size); });
}

/// A read whose first bytes come after `delayMs`; the interval time-out ends it.
double LateBytesReadMs(int delayMs) {
  auto terminal = sim::PseudoTerminal::Open();
  auto port =
      terminal != nullptr ? platform::PosixSerialPort::Open(terminal->SlavePath()) : nullptr;
  if (port == nullptr || !port->ConfigurePort(38400) || !port->SetTimeouts({60, 0, 0, 0, 100})) {
    return 1e9;
  }
  std::thread peer([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
    if (::write(terminal->MasterFd(), "xy", 2) != 2) return;
  });
  std::uint8_t buffer[64];
  const double ms = MillisecondsOf([&] { port->Read(buffer, 10); });
  peer.join();
  return ms;
}

/// A read of 4 bytes that are waiting, under a total time-out of 2 s.
double CompleteReadMs() {
  auto terminal = sim::PseudoTerminal::Open();
  auto port =
      terminal != nullptr ? platform::PosixSerialPort::Open(terminal->SlavePath()) : nullptr;
  if (port == nullptr || !port->ConfigurePort(38400) || !port->SetTimeouts({0, 0, 2000, 0, 100})) {
    return 1e9;
  }
  if (::write(terminal->MasterFd(), "0123456789", 10) != 10) return 1e9;
  std::uint8_t buffer[64];
  return MillisecondsOf([&] { port->Read(buffer, 4); });
}

/// StopOnline of a recording whose worker waits for the next record without a time-out.
double RecorderStopMs() {
  auto terminal = sim::PseudoTerminal::Open();
  if (terminal == nullptr) return 1e9;
  instrument::CInstrumentLink link(nullptr);
  link.SetPortSettings(terminal->SlavePath(), 9600);
  if (!link.Open(0)) return 1e9;
  const std::string answer =
      sim::FieldFormatHeader(2, "0.5") + sim::FieldFormatRecord(sim::CountingSet(2, 0));
  if (::write(terminal->MasterFd(), answer.data(), answer.size()) !=
      static_cast<ssize_t>(answer.size())) {
    return 1e9;
  }
  model::CMessungObj measurement;
  if (!link.StartOnline(measurement, {})) return 1e9;
  // The record arrived: the worker now waits for the next one.
  while (measurement.GetCurveCount() == 0 || measurement.GetCurve(0)->GetSampleCount() == 0) {
    link.DrainOnline();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return MillisecondsOf([&] { link.StopOnline(); });
}

/// The port search over ports 1..9, port 5 a silent instrument, cancelled 100 ms after the
/// start (as the auto-configuration dialog's Cancel does).
double CancelledSearchMs() {
  sim::SimOptions options;
  options.muteAfterBytes = 0;  // every try on port 5 waits a second for its answer
  sim::SimHarness silent(options);
  if (!silent.Ready()) return 1e9;
  instrument::CInstrumentLink link(nullptr);
  const auto resolve = [&](int port) {
    return port == 5 ? silent.Path() : std::string("/nonexistent/vantrel-port");
  };
  std::thread canceller([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    link.RequestCancel();
  });
  const double ms = MillisecondsOf([&] { instrument::AutoConfigure(link, resolve); });
  canceller.join();
  link.ClearCancel();
  return ms;
}

}  // namespace

int main() {
  bench::ReportLoad();
  struct TotalCase {
    const char* what;
    platform::SerialTimeouts timeouts;
    std::size_t size;
    double expectedMs;
  };
  const TotalCase cases[] = {
      {"read time-out 150 ms (constant)", {0, 0, 150, 0, 100}, 4, 150.0},
      {"read time-out 200 ms (20 ms x 10 bytes)", {0, 20, 0, 0, 100}, 10, 200.0},
      {"read time-out 100 ms (10 ms x 5 bytes + 50 ms)", {0, 10, 50, 0, 100}, 5, 100.0},
  };
  for (const TotalCase& c : cases) {
    ReportLimit(c.what, c.expectedMs + 150.0, kRuns,
                [&] { return SilentReadMs(c.timeouts, c.size); });
  }
  ReportLimit("read of bytes arriving after 250 ms, 60 ms interval time-out", 600.0, kRuns,
              [] { return LateBytesReadMs(250); });
  ReportLimit("complete read under a 2 s time-out", 500.0, kRuns, CompleteReadMs);
  ReportLimit("recorder stop while the worker waits without time-out", 500.0, kRuns,
              RecorderStopMs);
  ReportLimit("port search cancelled after 100 ms", 2500.0, 3, CancelledSearchMs);
  return 0;
}
