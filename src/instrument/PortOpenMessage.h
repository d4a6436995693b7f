// The message shown when the instrument's serial port cannot be opened: why (no permission,
// no such device, another program has it, not a serial device) and what to do, with the
// detail it names (the device's group, the serial devices that exist, the device path).
// Line settings that the port refuses after it opened keep the general message 32904.
#pragma once

#include <string>
#include <vector>

namespace vantrel::instrument {

/// The account may not use the device; argument: the group that owns it.
constexpr int kMsgPortNoPermissionGroup = 33060;
/// The account may not use the device, whose group is not known; argument: device path.
constexpr int kMsgPortNoPermission = 33061;
/// The device does not exist; argument: the serial devices that do, comma-separated.
constexpr int kMsgPortNoDevice = 33062;
/// The device does not exist and no serial device does; argument: device path.
constexpr int kMsgPortNoDeviceAtAll = 33063;
/// Another program has the device open; argument: device path.
constexpr int kMsgPortBusy = 33064;
/// The path is not a serial device; argument: device path.
constexpr int kMsgPortNotSerial = 33065;

struct PortMessage {
  int id = 0;
  std::u16string argument;
};

/// The message for `devicePath` that could not be opened with errno `error`. `group` is the
/// group that owns the device (empty when unknown; "root" is not offered, as no account
/// should join it), `present` the serial devices that exist. Unknown causes give 32904.
PortMessage PortOpenMessage(const std::string& devicePath, int error, const std::string& group,
                            const std::vector<std::string>& present);

/// PortOpenMessage with the device's group and the serial devices looked up on this machine.
PortMessage DiagnosePortOpen(const std::string& devicePath, int error);

}  // namespace vantrel::instrument
