// Port numbers ("COM1", "COM2", ...) and the device paths they stand for: 1..32 are
// /dev/ttyS0..31, 33..64 /dev/ttyUSB0..31, 65..96 /dev/ttyACM0..31; the profile section
// "Comm" may map a number to another device ("COM<N>=path"), and a run may override that
// again (the command line's --map N=PATH). Also lists the serial devices present with the
// numbers that stand for them. Opening the device is the serial layer's job.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "app/MessageIds.h"
#include "app/ProfileStore.h"

namespace vantrel::app {

class PortMap {
 public:
  /// Port numbers that can be mapped at all; the default mapping covers 1..kDefaultMaxPort,
  /// higher numbers need an override.
  static constexpr int kMinPort = 1;
  static constexpr int kDefaultMaxPort = 96;
  static constexpr int kMaxPort = 255;
  /// The default mapping without overrides.
  PortMap() = default;
  /// The default mapping with the overrides stored in the profile's section "Comm" (empty
  /// values are ignored). The profile is read once, here.
  static PortMap FromProfile(const ProfileStore& profile);

  /// "COM<number>", the name a port number is shown and stored under.
  static std::u16string PortName(int number);
  /// The device of `number` by the default rule; empty outside 1..kDefaultMaxPort.
  static std::string DefaultDevicePath(int number);

  /// Maps `number` to `devicePath` for this run; false when the number is out of range or
  /// the path is empty.
  bool SetOverride(int number, std::string devicePath);
  /// Parses "N=PATH" (the --map option) and maps N for this run; false when malformed.
  bool AddOverride(std::string_view option);

  /// The device of `number`: the run's override, else the profile's, else the default.
  /// Throws platform::VantrelError(kPortErrorMessageId) when the number cannot be mapped.
  std::string DevicePath(int number) const;
  /// The device for a --port argument: a port number ("3") or port name ("COM3") is mapped,
  /// anything else is taken as a device path as it is. Throws platform::VantrelError
  /// (kPortErrorMessageId) for an empty argument or a number that cannot be mapped.
  std::string Resolve(std::string_view argument) const;

  /// A serial device that exists and the port number it is reached by (0: none).
  struct PresentPort {
    int number = 0;
    std::string devicePath;
    bool operator==(const PresentPort&) const = default;
  };
  /// The serial devices in `devDirectory` (ttyS*, ttyUSB*, ttyACM*) followed by mapped
  /// devices elsewhere that exist, each with the lowest number that maps to it.
  std::vector<PresentPort> PresentPorts(const std::filesystem::path& devDirectory = "/dev") const;

 private:
  std::map<int, std::string> profileOverrides_;
  std::map<int, std::string> runOverrides_;
};

}  // namespace vantrel::app
