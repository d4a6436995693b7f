// Choosing the message for a serial port that cannot be opened.
#include "instrument/PortOpenMessage.h"

#include "app/MessageIds.h"
#include "platform/PosixSerialPort.h"
#include "platform/Strings.h"

namespace vantrel::instrument {
namespace {}  // namespace

PortMessage PortOpenMessage(const std::string& devicePath, int error, const std::string& group,
                            const std::vector<std::string>& present) {
  using Failure = platform::PosixSerialPort::OpenFailure;
  const std::u16string path = platform::FromUtf8(devicePath);
  switch (platform::PosixSerialPort::ClassifyOpenError(error)) {
    case Failure::kNoPermission:
      if (!group.empty() && group != "root") {
        return {kMsgPortNoPermissionGroup, platform::FromUtf8(group)};
      }
      return {kMsgPortNoPermission, path};
    case Failure::kNoDevice: {
      if (present.empty()) return {kMsgPortNoDeviceAtAll, path};
      std::string list;
      for (const std::string& device : present) {
        if (!list.empty()) list += ", ";
        list += device;
      }
      return {kMsgPortNoDevice, platform::FromUtf8(list)};
    }
    case Failure::kBusy:
      return {kMsgPortBusy, path};
    case Failure::kNotSerial:
      return {kMsgPortNotSerial, path};
    case Failure::kOther:
      break;
  }
  return {ids::kMsgPortFailed, {}};
}

PortMessage DiagnosePortOpen(const std::string& devicePath, int error) {
  return PortOpenMessage(devicePath, error, platform::PosixSerialPort::DeviceGroup(devicePath),
                         platform::PosixSerialPort::PresentDevices());
}

}  // namespace vantrel::instrument
