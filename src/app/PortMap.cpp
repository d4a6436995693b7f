// Mapping port numbers to device paths; see PortMap.h.
#include "app/PortMap.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <utility>

#include "app/MessageIds.h"
#include "app/ProductInfo.h"
#include "platform/Error.h"
#include "platform/NumberFormat.h"
#include "platform/PosixSerialPort.h"
#include "platform/Strings.h"

namespace vantrel::app {
namespace {

/// The whole of `text` as a decimal number; nothing when anything else is in it.
std::optional<int> ParseWholeNumber(std::string_view text) {
  int value = 0;
  if (text.empty()) return std::nullopt;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

/// The number of "3" or "COM3" (any letter case); nothing for anything else.
std::optional<int> ParsePortArgument(std::string_view text) {
  if (text.size() > 3) {
    const std::string_view prefix = text.substr(0, 3);
    if ((prefix[0] == 'C' || prefix[0] == 'c') && (prefix[1] == 'O' || prefix[1] == 'o') &&
        (prefix[2] == 'M' || prefix[2] == 'm')) {
      text.remove_prefix(3);
    }
  }
  if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
  return ParseWholeNumber(text);
}

bool InRange(int number) { return number >= PortMap::kMinPort && number <= PortMap::kMaxPort; }

}  // namespace

PortMap PortMap::FromProfile(const ProfileStore& profile) {
  PortMap map;
  for (int number = kMinPort; number <= kMaxPort; ++number) {
    const std::string key = "COM" + std::to_string(number);
    const std::u16string path = profile.GetProfileString(kCommSection, key, u"");
    if (!path.empty()) map.profileOverrides_[number] = platform::ToUtf8(path);
  }
  return map;
}

std::u16string PortMap::PortName(int number) { return platform::FormatC16("COM%d", number); }

std::string PortMap::DefaultDevicePath(int number) {
  if (number >= 1 && number <= 32) return "/dev/ttyS" + std::to_string(number - 1);
  if (number >= 33 && number <= 64) return "/dev/ttyUSB" + std::to_string(number - 33);
  if (number >= 65 && number <= kDefaultMaxPort) return "/dev/ttyACM" + std::to_string(number - 65);
  return {};
}

bool PortMap::SetOverride(int number, std::string devicePath) {
  if (!InRange(number) || devicePath.empty()) return false;
  runOverrides_[number] = std::move(devicePath);
  return true;
}

bool PortMap::AddOverride(std::string_view option) {
  const std::size_t equals = option.find('=');
  if (equals == std::string_view::npos) return false;
  const auto number = ParsePortArgument(option.substr(0, equals));
  if (!number) return false;
  return SetOverride(*number, std::string(option.substr(equals + 1)));
}

std::string PortMap::DevicePath(int number) const {
  if (const auto run = runOverrides_.find(number); run != runOverrides_.end()) return run->second;
  if (const auto stored = profileOverrides_.find(number); stored != profileOverrides_.end()) {
    return stored->second;
  }
  std::string path = DefaultDevicePath(number);
  if (path.empty()) {
    throw platform::VantrelError(ids::kMsgPortFailed,
                                 "port number " + std::to_string(number) + " has no device");
  }
  return path;
}

std::string PortMap::Resolve(std::string_view argument) const {
  if (argument.empty()) throw platform::VantrelError(ids::kMsgPortFailed, "no port given");
  if (const auto number = ParsePortArgument(argument)) return DevicePath(*number);
  // "COM" followed by something that is not a number, or a number too large for an int,
  // is not a device path either.
  const bool digitsOnly = argument.find_first_not_of("0123456789") == std::string_view::npos;
  if (digitsOnly) {
    throw platform::VantrelError(ids::kMsgPortFailed,
                                 "port number " + std::string(argument) + " has no device");
  }
  return std::string(argument);
}

std::vector<PortMap::PresentPort> PortMap::PresentPorts(
    const std::filesystem::path& devDirectory) const {
  // The number of each device: every number whose mapping leads there, lowest first.
  std::map<std::string, int> numberOf;
  for (int number = kMaxPort; number >= kMinPort; --number) {
    const bool overridden =
        runOverrides_.count(number) != 0 || profileOverrides_.count(number) != 0;
    if (overridden) {
      numberOf[DevicePath(number)] = number;
    } else if (const std::string device = DefaultDevicePath(number); !device.empty()) {
      numberOf[(devDirectory / std::filesystem::path(device).filename()).string()] = number;
    }
  }
  std::vector<PresentPort> ports;
  for (std::string& path : platform::PosixSerialPort::PresentDevices(devDirectory)) {
    const auto it = numberOf.find(path);
    ports.push_back({it != numberOf.end() ? it->second : 0, std::move(path)});
  }
  // Mapped devices outside the usual names (adapters with other names, links).
  std::vector<PresentPort> extra;
  for (const auto& mapped : numberOf) {
    const std::string& path = mapped.first;
    const int number = mapped.second;
    const bool listed = std::any_of(ports.begin(), ports.end(),
                                    [&path](const PresentPort& p) { return p.devicePath == path; });
    std::error_code error;
    if (!listed && std::filesystem::exists(path, error)) extra.push_back({number, path});
  }
  std::sort(extra.begin(), extra.end(),
            [](const PresentPort& a, const PresentPort& b) { return a.number < b.number; });
  ports.insert(ports.end(), extra.begin(), extra.end());
  return ports;
}

}  // namespace vantrel::app
