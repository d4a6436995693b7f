// The serial port as the instrument link sees it: blocking reads with interval and total
// time-outs, byte writes with a write time-out, line settings, and a wake-up that lets
// another thread end a waiting read. Implementations: PosixSerialPort (termios), test fakes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vantrel::platform {

/// Read and write time-outs in milliseconds.
///
/// A read of n bytes gives up when the total time-out `readTotalMultiplier` x n +
/// `readTotalConstant` has passed since the read began (no total limit when both are 0), or
/// when `readInterval` passes between two bytes after the first byte arrived (no interval
/// limit when 0). A write of n bytes gives up after `writeTotalMultiplier` x n +
/// `writeTotalConstant` (no limit when both are 0).
struct SerialTimeouts {
  std::uint32_t readInterval = 0;
  std::uint32_t readTotalMultiplier = 0;
  std::uint32_t readTotalConstant = 0;
  std::uint32_t writeTotalMultiplier = 0;
  std::uint32_t writeTotalConstant = 0;
};

/// What ended a read.
struct ReadResult {
  /// Bytes that arrived, at most the number asked for.
  std::size_t count = 0;
  /// True when a wake-up request ended the read before it was complete.
  bool woken = false;
};

class SerialPort {
 public:
  virtual ~SerialPort() = default;

  /// Sets the baud rate and the fixed line settings of the instrument link (8 data bits, no
  /// parity, one stop bit, raw bytes, XON/XOFF input flow control, no output flow control).
  /// False when the port refuses them (an unknown baud rate included).
  virtual bool ConfigurePort(int baudRate) = 0;
  /// False when the port refuses the values.
  virtual bool SetTimeouts(const SerialTimeouts& timeouts) = 0;
  virtual SerialTimeouts GetTimeouts() const = 0;

  /// Reads up to `size` bytes into `buffer`, blocking under the time-outs in force.
  virtual ReadResult Read(std::uint8_t* buffer, std::size_t size) = 0;
  /// Writes `size` bytes under the write time-out; returns how many were written.
  virtual std::size_t Write(const std::uint8_t* data, std::size_t size) = 0;

  /// Ends a waiting read now and every later read at once, until ClearWake. Safe to call
  /// from any thread while another thread reads.
  virtual void Wake() = 0;
  virtual void ClearWake() = 0;

  /// Drops bytes received but not yet read.
  virtual void DiscardInput() = 0;
};

}  // namespace vantrel::platform
