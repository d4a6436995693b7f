// What the instrument commands share: the port from --port/--map/--baud over the profile's
// "Comm" settings and port map, the protocol variant, and Ctrl-C, which asks a running
// transfer to stop instead of killing the program.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "CliFrame.h"
#include "CliSettings.h"
#include "app/PortMap.h"

namespace vantrel::cli {

/// The options every instrument command takes besides its own.
inline const std::vector<std::string> kPortOptions = {"--port", "--baud", "--map"};

struct PortChoice {
  std::string devicePath;
  int baudRate = 0;
};

/// The port map of the profile with the --map overrides of this run; a malformed --map is
/// a usage error.
app::PortMap PortMapOf(const ParsedArgs& args, CliSettings& settings);

/// The device (--port, else the profile's "Port", mapped) and the baud rate (--baud, else
/// the profile's "Baud-Rate"). Throws VantrelError 32904 for a port number that has no
/// device.
PortChoice ChoosePort(const ParsedArgs& args, CliSettings& settings);

/// --variant: 0 the block protocol (the default), any other the legacy one.
int VariantOption(const ParsedArgs& args);

/// While it lives, SIGINT and SIGTERM set a flag instead of ending the program, and a
/// watcher thread calls `onInterrupt` once (from a normal thread, never from the signal
/// handler) when the flag is set.
class InterruptWatch {
 public:
  explicit InterruptWatch(std::function<void()> onInterrupt);
  ~InterruptWatch();
  InterruptWatch(const InterruptWatch&) = delete;
  InterruptWatch& operator=(const InterruptWatch&) = delete;

  bool Interrupted() const;

 private:
  std::function<void()> onInterrupt_;
  std::atomic<bool> done_{false};
  std::thread watcher_;
};

}  // namespace vantrel::cli
