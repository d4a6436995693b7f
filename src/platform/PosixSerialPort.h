// Serial port on POSIX terminals (serial devices and pseudo-terminals): termios line
// settings, poll-based reads with the link's interval and total time-outs, and an eventfd
// that wakes a waiting read; why a device cannot be opened, and which serial devices exist.
// Does not resolve port numbers to device paths.
#pragma once

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/SerialPort.h"

namespace vantrel::platform {

class PosixSerialPort final : public SerialPort {
 public:
  /// Opens `devicePath` for reading and writing, exclusively, and drops anything left in its
  /// buffers. Null when the device cannot be opened; `error` (optional) receives errno
  /// (ENOTTY for a file that is not a terminal, EBUSY when another program holds the device
  /// exclusively).
  static std::unique_ptr<PosixSerialPort> Open(const std::string& devicePath, int* error = nullptr);

  /// Why opening a device failed, from the errno Open reported.
  enum class OpenFailure { kNoPermission, kNoDevice, kBusy, kNotSerial, kOther };
  static OpenFailure ClassifyOpenError(int error);
  /// Name of the group that owns `devicePath`; empty when it cannot be found.
  static std::string DeviceGroup(const std::string& devicePath);
  /// The serial devices in `devDirectory`: ttyS*, ttyUSB* and ttyACM* followed by a number,
  /// sorted by kind and number (ttyS2 before ttyS10).
  static std::vector<std::string> PresentDevices(
      const std::filesystem::path& devDirectory = "/dev");

  ~PosixSerialPort() override;
  PosixSerialPort(const PosixSerialPort&) = delete;
  PosixSerialPort& operator=(const PosixSerialPort&) = delete;
  PosixSerialPort(PosixSerialPort&& other) noexcept;
  PosixSerialPort& operator=(PosixSerialPort&& other) noexcept;

  bool ConfigurePort(int baudRate) override;
  bool SetTimeouts(const SerialTimeouts& timeouts) override;
  SerialTimeouts GetTimeouts() const override { return timeouts_; }
  ReadResult Read(std::uint8_t* buffer, std::size_t size) override;
  std::size_t Write(const std::uint8_t* data, std::size_t size) override;
  void Wake() override;
  void ClearWake() override;
  void DiscardInput() override;

  /// Closes the device; false when the system reported an error. The destructor closes
  /// quietly.
  bool Close();
  bool IsOpen() const { return fd_ >= 0; }

 private:
  PosixSerialPort(int fd, int wakeFd) : fd_(fd), wakeFd_(wakeFd) {}
  /// Moves bytes from the device into the read-ahead buffer; false on end of file or error.
  bool Fill();

  int fd_ = -1;
  int wakeFd_ = -1;
  SerialTimeouts timeouts_;
  // Read-ahead: bytes fetched from the device but not yet handed out, as a driver's
  // receive queue would hold them.
  std::array<std::uint8_t, 16384> pending_{};
  std::size_t pendingStart_ = 0;
  std::size_t pendingEnd_ = 0;
};

}  // namespace vantrel::platform
