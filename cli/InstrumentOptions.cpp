#include "InstrumentOptions.h"

#include <chrono>
#include <csignal>

#include "app/ProductInfo.h"

namespace vantrel::cli {
namespace {

// The one thing a signal handler may touch. It is process-wide by nature; only the
// handler writes it and only InterruptWatch reads and resets it.
volatile std::sig_atomic_t interruptSignal = 0;

extern "C" void OnInterruptSignal(int) { interruptSignal = 1; }

constexpr auto kWatchInterval = std::chrono::milliseconds(50);

}  // namespace

app::PortMap PortMapOf(const ParsedArgs& args, CliSettings& settings) {
  app::PortMap map = app::PortMap::FromProfile(settings.Profile());
  for (const std::string& mapping : args.Values("--map")) {
    if (!map.AddOverride(mapping)) {
      throw UsageError("--map takes N=PATH with a port number N from 1 to 255, not \"" + mapping +
                       "\"");
    }
  }
  return map;
}

PortChoice ChoosePort(const ParsedArgs& args, CliSettings& settings) {
  const app::PortMap map = PortMapOf(args, settings);
  PortChoice choice;
  const auto port = args.Value("--port");
  choice.devicePath =
      port ? map.Resolve(*port) : map.DevicePath(app::GetPortNumber(settings.Profile()));
  const auto baud = args.Value("--baud");
  choice.baudRate =
      baud ? ParseIntOption(*baud, 50, 4000000, "--baud") : app::GetBaudRate(settings.Profile());
  return choice;
}

int VariantOption(const ParsedArgs& args) {
  const auto variant = args.Value("--variant");
  return variant ? ParseIntOption(*variant, 0, 255, "--variant") : 0;
}

InterruptWatch::InterruptWatch(std::function<void()> onInterrupt)
    : onInterrupt_(std::move(onInterrupt)) {
  interruptSignal = 0;
  std::signal(SIGINT, OnInterruptSignal);
  std::signal(SIGTERM, OnInterruptSignal);
  watcher_ = std::thread([this] {
    while (!done_.load()) {
      if (interruptSignal != 0) {
        if (onInterrupt_) onInterrupt_();
        return;
      }
      std::this_thread::sleep_for(kWatchInterval);
    }
  });
}

InterruptWatch::~InterruptWatch() {
  done_.store(true);
  if (watcher_.joinable()) watcher_.join();
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
}

bool InterruptWatch::Interrupted() const { return interruptSignal != 0; }

}  // namespace vantrel::cli
