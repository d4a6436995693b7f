// vantrel-sim: a simulated instrument on a pseudo-terminal. Prints the terminal's path on
// its first output line, then plays the instrument until interrupted (or for --seconds).
#include <atomic>
#include <charconv>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "ArchiveMeasurements.h"
#include "PseudoTerminal.h"
#include "SimInstrument.h"
#include "app/DataFolder.h"
#include "app/ProgramVersion.h"

namespace {

std::atomic<bool> stopRequested{false};

void OnSignal(int) { stopRequested.store(true); }

constexpr const char* kUsage =
    "usage: vantrel-sim [--help] [--version] [--mode block|legacy|line|field|auto] [--hello B|A]\n"
    "  [--count N] [--channels N] [--samples N] [--seed N]\n"
    "  [--rate SETS_PER_S] [--sets N] [--interval TEXT] [--seconds S] [--counting]\n"
    "  [--bad-crc SENDS] [--seven-channels SENDS] [--silence-after K]\n"
    "  [--mute-after K] [--garbage-start N] [--file ARCHIVE]... [--send-log FILE]\n"
    "Plays a measuring instrument on a pseudo-terminal and prints the terminal's path on\n"
    "the first output line.\n"
    "Without --count, --channels and --samples the memory holds the demonstration\n"
    "measurements (cylinder pressure test, pump characteristic, valve switching peaks,\n"
    "warm-up run, machine cycle); with any of them it holds N measurements (count 0..255,\n"
    "default 3) of N channels (1..6, default 3) of N samples (0..65535, default 100) that\n"
    "take the demonstration signals in turn. The online stream plays a 12 s machine cycle\n"
    "at --rate sets per second (default 10); --counting streams a counting pattern instead.\n"
    "SENDS is a comma-separated list of 1-based measurement sends.\n"
    "--file serves the measurement of a document file (.vqb, .vqa) in the block\n"
    "readout instead of generated ones; give it once per measurement.\n"
    "--send-log writes each online record once it was sent: the steady clock in ns and\n"
    "the record's text.\n";

/// Bad arguments: the reason and the usage on stderr, exit status 2.
[[noreturn]] void UsageFailure(const std::string& reason) {
  std::fprintf(stderr, "vantrel-sim: %s\n%s", reason.c_str(), kUsage);
  std::exit(2);
}

/// A whole number in `minimum`..`maximum`, nothing else in `text`.
long long WholeNumber(const std::string& option, const std::string& text, long long minimum,
                      long long maximum) {
  long long value = 0;
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  if (text.empty() || result.ec != std::errc() || result.ptr != end || value < minimum ||
      value > maximum) {
    UsageFailure(option + " takes a whole number from " + std::to_string(minimum) + " to " +
                 std::to_string(maximum) + ", not \"" + text + "\"");
  }
  return value;
}

/// A finite decimal number (point as separator) in `minimum`..`maximum`; `minimum` itself is
/// refused when `minimumExcluded`.
double DecimalNumber(const std::string& option, const std::string& text, double minimum,
                     double maximum, bool minimumExcluded) {
  double value = 0.0;
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  if (text.empty() || result.ec != std::errc() || result.ptr != end || !std::isfinite(value) ||
      value < minimum || value > maximum || (minimumExcluded && value == minimum)) {
    char range[96];
    std::snprintf(range, sizeof range, "%s %g to %g", minimumExcluded ? "above" : "from", minimum,
                  maximum);
    UsageFailure(option + " takes a number " + range + ", not \"" + text + "\"");
  }
  return value;
}

std::set<int> ParseList(const std::string& option, const std::string& text) {
  std::set<int> values;
  std::size_t from = 0;
  for (;;) {
    const std::size_t comma = text.find(',', from);
    const std::string item = text.substr(from, comma - from);
    values.insert(static_cast<int>(WholeNumber(option, item, 1, 65535)));
    if (comma == std::string::npos) break;
    from = comma + 1;
  }
  return values;
}

}  // namespace

int main(int argc, char** argv) {
  using vantrel::sim::SimMode;
  vantrel::sim::SimOptions options;
  long long count = 3;
  long long channels = 3;
  long long samples = 100;
  bool generated = false;
  unsigned seed = 1;
  double seconds = 0.0;
  std::vector<std::filesystem::path> files;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return std::fflush(stdout) == 0 && std::ferror(stdout) == 0 ? 0 : 1;
    }
    if (arg == "--counting") {
      options.onlineCounting = true;
      continue;
    }
    auto need = [&]() -> std::string {
      if (i + 1 >= argc) UsageFailure(arg + " needs a value");
      return argv[++i];
    };
    if (arg == "--version") {
      const auto dataFolder =
          vantrel::app::FindDataFolder(vantrel::app::ExecutableDirectory(argv[0]));
      std::printf("%s\n", vantrel::app::VersionLine("vantrel-sim", dataFolder).c_str());
      return 0;
    }
    if (arg == "--mode") {
      const std::string mode = need();
      if (mode == "block")
        options.mode = SimMode::kBlock;
      else if (mode == "legacy")
        options.mode = SimMode::kLegacy;
      else if (mode == "line")
        options.mode = SimMode::kLineFormat;
      else if (mode == "field")
        options.mode = SimMode::kFieldFormat;
      else if (mode == "auto")
        options.mode = SimMode::kAuto;
      else
        UsageFailure("unknown mode \"" + mode + "\"");
    } else if (arg == "--hello") {
      const std::string hello = need();
      if (hello.size() != 1) UsageFailure("--hello takes one character");
      options.hello = hello[0];
    } else if (arg == "--count") {
      count = WholeNumber(arg, need(), 0, 255);
      generated = true;
    } else if (arg == "--channels") {
      channels = WholeNumber(arg, need(), 1, 6);
      generated = true;
    } else if (arg == "--samples") {
      samples = WholeNumber(arg, need(), 0, 65535);
      generated = true;
    } else if (arg == "--seed") {
      seed = static_cast<unsigned>(WholeNumber(arg, need(), 0, 4294967295LL));
    } else if (arg == "--rate") {
      options.onlineRate = DecimalNumber(arg, need(), 0.0, 100000.0, true);
    } else if (arg == "--sets") {
      options.onlineCount = static_cast<std::uint64_t>(WholeNumber(arg, need(), 0, 1LL << 48));
    } else if (arg == "--interval") {
      options.intervalText = need();
      if (options.intervalText.size() > 16) UsageFailure("--interval takes at most 16 characters");
    } else if (arg == "--seconds") {
      seconds = DecimalNumber(arg, need(), 0.0, 1e7, false);
    } else if (arg == "--bad-crc") {
      options.badCheckSends = ParseList(arg, need());
    } else if (arg == "--seven-channels") {
      options.sevenChannelSends = ParseList(arg, need());
    } else if (arg == "--silence-after") {
      options.silenceAfterBytes = WholeNumber(arg, need(), 0, 1LL << 48);
    } else if (arg == "--mute-after") {
      options.muteAfterBytes = WholeNumber(arg, need(), 0, 1LL << 48);
    } else if (arg == "--garbage-start") {
      options.garbageStarts = static_cast<int>(WholeNumber(arg, need(), 0, 1000));
    } else if (arg == "--send-log") {
      options.sendLogPath = need();
    } else if (arg == "--file") {
      files.emplace_back(need());
    } else {
      UsageFailure("unknown option \"" + arg + "\"");
    }
  }
  options.onlineChannels = static_cast<int>(channels);
  options.seed = seed;
  if (files.size() > 255) {
    std::fprintf(stderr, "vantrel-sim: at most 255 files\n");
    return 2;
  }
  try {
    if (!files.empty()) {
      options.measurements = vantrel::sim::LoadDocumentMeasurements(files);
    } else if (generated) {
      options.measurements = vantrel::sim::GenerateMeasurements(
          static_cast<int>(count), static_cast<int>(channels), static_cast<int>(samples), seed);
    } else {
      options.measurements = vantrel::sim::DemoMeasurements(seed);
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "vantrel-sim: %s\n", error.what());
    return 1;
  }
  // The legacy memory holds the machine cycle: pressure, flow and oil temperature.
  options.legacyMeasurements = vantrel::sim::GenerateLegacyMeasurements(
      static_cast<int>(count), std::min(static_cast<int>(channels), 3), static_cast<int>(samples),
      seed);

  auto terminal = vantrel::sim::PseudoTerminal::Open();
  if (terminal == nullptr) {
    std::perror("vantrel-sim: pseudo-terminal");
    return 1;
  }
  std::printf("%s\n", terminal->SlavePath().c_str());
  std::fflush(stdout);
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
  std::thread timer;
  if (seconds > 0.0) {
    timer = std::thread([seconds] {
      const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
      while (!stopRequested.load() && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
      }
      stopRequested.store(true);
    });
  }
  vantrel::sim::SimInstrument instrument(std::move(options));
  const int result = instrument.Run(terminal->MasterFd(), stopRequested);
  if (timer.joinable()) timer.join();
  return result;
}
