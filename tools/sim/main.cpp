// vantrel-sim: a simulated instrument on a pseudo-terminal. Prints the terminal's path on
// its first output line, then plays the instrument until interrupted (or for --seconds).
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
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

std::set<int> ParseList(const char* text) {
  std::set<int> values;
  std::string item;
  for (const char* p = text;; ++p) {
    if (*p == ',' || *p == '\0') {
      if (!item.empty()) values.insert(std::atoi(item.c_str()));
      item.clear();
      if (*p == '\0') break;
    } else {
      item.push_back(*p);
    }
  }
  return values;
}

void Usage(std::FILE* to = stderr) {
  std::fprintf(to,
               "usage: vantrel-sim [--help] [--version] [--mode block|legacy|line|field|auto] "
               "[--hello B|A]\n"
               "  [--count N] [--channels N] [--samples N] [--seed N]\n"
               "  [--rate SETS_PER_S] [--sets N] [--interval TEXT] [--seconds S]\n"
               "  [--bad-crc SENDS] [--seven-channels SENDS] [--silence-after K]\n"
               "  [--mute-after K] [--garbage-start N] [--file ARCHIVE]...\n"
               "SENDS is a comma-separated list of 1-based measurement sends.\n"
               "--file serves the measurement of a document file (.vqb, .vqa) in the block\n"
               "readout instead of generated ones; give it once per measurement.\n");
}

}  // namespace

int main(int argc, char** argv) {
  using vantrel::sim::SimMode;
  vantrel::sim::SimOptions options;
  int count = 3;
  int channels = 3;
  int samples = 100;
  unsigned seed = 1;
  double seconds = 0.0;
  std::vector<std::filesystem::path> files;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    auto need = [&]() -> const char* {
      if (value == nullptr) {
        Usage();
        std::exit(2);
      }
      ++i;
      return value;
    };
    if (arg == "--help") {
      Usage(stdout);
      return 0;
    }
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
        return Usage(), 2;
    } else if (arg == "--hello") {
      options.hello = need()[0];
    } else if (arg == "--count") {
      count = std::atoi(need());
    } else if (arg == "--channels") {
      channels = std::atoi(need());
    } else if (arg == "--samples") {
      samples = std::atoi(need());
    } else if (arg == "--seed") {
      seed = static_cast<unsigned>(std::strtoul(need(), nullptr, 10));
    } else if (arg == "--rate") {
      options.onlineRate = std::atof(need());
    } else if (arg == "--sets") {
      options.onlineCount = std::strtoull(need(), nullptr, 10);
    } else if (arg == "--interval") {
      options.intervalText = need();
    } else if (arg == "--seconds") {
      seconds = std::atof(need());
    } else if (arg == "--bad-crc") {
      options.badCheckSends = ParseList(need());
    } else if (arg == "--seven-channels") {
      options.sevenChannelSends = ParseList(need());
    } else if (arg == "--silence-after") {
      options.silenceAfterBytes = std::atoll(need());
    } else if (arg == "--mute-after") {
      options.muteAfterBytes = std::atoll(need());
    } else if (arg == "--garbage-start") {
      options.garbageStarts = std::atoi(need());
    } else if (arg == "--file") {
      files.emplace_back(need());
    } else {
      Usage();
      return 2;
    }
  }
  if (count < 0 || count > 255 || channels < 1 || channels > 6 || samples < 0 || samples > 65535) {
    std::fprintf(stderr, "vantrel-sim: count 0..255, channels 1..6, samples 0..65535\n");
    return 2;
  }
  options.onlineChannels = channels;
  if (files.size() > 255) {
    std::fprintf(stderr, "vantrel-sim: at most 255 files\n");
    return 2;
  }
  try {
    options.measurements = files.empty()
                               ? vantrel::sim::GenerateMeasurements(count, channels, samples, seed)
                               : vantrel::sim::LoadDocumentMeasurements(files);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "vantrel-sim: %s\n", error.what());
    return 1;
  }
  options.legacyMeasurements =
      vantrel::sim::GenerateLegacyMeasurements(count, std::min(channels, 3), samples, seed);

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
