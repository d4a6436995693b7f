// The message shown when the instrument's serial port cannot be opened: why (no permission,
// no such device, another program has it, not a serial device) and what to do, with the
// detail it names (the device's group, the serial devices that exist, the device path).
// Line settings that the port refuses after it opened keep the general message 32904.
#pragma once

#include <string>
#include <vector>

#include "app/MessageIds.h"

namespace vantrel::instrument {

/// The account may not use the device; argument: the group that owns it.
using ids::kMsgPortNoPermissionGroup;
/// The account may not use the device, whose group is not known; argument: device path.
using ids::kMsgPortNoPermission;
/// The device does not exist; argument: the serial devices that do, comma-separated.
using ids::kMsgPortNoDevice;
/// The device does not exist and no serial device does; argument: device path.
using ids::kMsgPortNoDeviceAtAll;
/// Another program has the device open; argument: device path.
using ids::kMsgPortBusy;
/// The path is not a serial device; argument: device path.
using ids::kMsgPortNotSerial;

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
