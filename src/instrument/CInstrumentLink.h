// The serial link to the instrument: opening and configuring the port, read time-outs per
// protocol phase, block reads into the receive buffer, command and reply bytes, the connect
// and check handshakes, and the entry points of the memory readout and online recording
// (their protocols live in MemoryReadout and OnlineRecorder).
#pragma once

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "app/MessageIds.h"
#include "instrument/AxisAssignment.h"
#include "instrument/OnlineSetSink.h"
#include "instrument/ReadoutList.h"
#include "instrument/TransferObserver.h"
#include "model/CMessungObj.h"
#include "platform/MessageService.h"
#include "platform/SerialPort.h"

namespace vantrel::instrument {

/// Message shown when an instrument transfer fails.
using ids::kMsgTransferFailed;
/// Message shown (Retry/Cancel) when the port cannot be opened or configured.
using ids::kMsgPortFailed;

/// Link states.
enum LinkState : int {
  kStateClosed = 0,
  kStateIdle = 1,
  kStateReadout = 2,
  kStateOnlineStart = 3,
  kStateCheckHandshake = 4,
  kStateConnectHandshake = 5,
};

/// Opens a serial device by path; null when it cannot be opened, with the system's error
/// number in `*error` (0 when there is none to tell).
using PortOpener =
    std::function<std::unique_ptr<platform::SerialPort>(const std::string&, int* error)>;

/// The POSIX opener.
std::unique_ptr<platform::SerialPort> OpenPosixPort(const std::string& devicePath, int* error);

class OnlineRecorder;

class CInstrumentLink {
 public:
  static constexpr std::size_t kReceiveBufferSize = 1000;

  /// `messages` shows messages 32903, 32904 and 33060..33065 and answers their buttons.
  explicit CInstrumentLink(platform::MessageService* messages, PortOpener opener = OpenPosixPort);
  /// Stops a running online recording, then closes the port.
  ~CInstrumentLink();
  CInstrumentLink(const CInstrumentLink&) = delete;
  CInstrumentLink& operator=(const CInstrumentLink&) = delete;

  /// The port that Open uses: a device path (port numbers are resolved by the caller) and
  /// the baud rate.
  void SetPortSettings(std::string devicePath, int baudRate);
  const std::string& DevicePath() const { return devicePath_; }
  int BaudRate() const { return baudRate_; }
  /// Receives progress and PumpMessages calls; may be null.
  void SetObserver(TransferObserver* observer) { observer_ = observer; }
  TransferObserver* Observer() const { return observer_; }
  platform::MessageService* Messages() const { return messages_; }

  // Port primitives.
  /// Closes any open port, then opens and configures the configured one; each failure asks
  /// with Retry/Cancel: why the device cannot be opened (33060..33065, see PortOpenMessage)
  /// or 32904. True (state 1) when the port is ready.
  bool Open(int variant);
  /// `error` (optional) receives the opener's error number on failure.
  bool OpenPort(const std::string& devicePath, int* error = nullptr);
  bool ConfigurePort(int baudRate);
  /// Read time-outs in ms; the write time-out is always 100 ms.
  bool SetReadTimeouts(std::uint32_t interval, std::uint32_t multiplier, std::uint32_t constant);
  /// The read total constant in force.
  int GetReadTotalTimeout() const;
  /// Reads `BytesToRead()` bytes to the start of the receive buffer; true only when all came.
  bool Read();
  /// Sets the byte count and reads.
  bool ReadBytes(std::size_t count) {
    bytesToRead_ = static_cast<std::uint32_t>(std::min(count, kReceiveBufferSize));
    return Read();
  }
  void SendCommand(std::uint8_t byte);
  /// Writes 0x06 (ok) or 0x16; true when the byte went out.
  bool SendReply(bool ok);
  /// Writes bytes; true when all went out.
  bool SendBytes(const std::uint8_t* data, std::size_t size);
  /// Drops what the port received but nobody read yet.
  void DiscardInput();

  /// "A" sent, "B" (either case) expected, "OK" sent. Leaves state 5 and the port open on
  /// failure.
  bool ConnectHandshake(const std::string& devicePath, int baudRate);
  /// On the open port: "A" sent, "A" (either case) expected.
  bool CheckHandshake();
  /// Stops an online recording and closes the port; state 0.
  void Close();

  void PumpMessages();
  /// Asks a running readout or online recording to stop and wakes a waiting read. Safe from
  /// any thread.
  void RequestCancel();
  bool CancelRequested() const { return cancelRequested_.load() != 0; }
  /// Clears the request (and the port's wake-up).
  void ClearCancel();

  const std::uint8_t* ReceiveBuffer() const { return receiveBuffer_.data(); }
  std::uint32_t BytesRead() const { return bytesRead_; }
  std::uint32_t BytesToRead() const { return bytesToRead_; }
  void SetBytesToRead(std::uint32_t count) {
    bytesToRead_ = std::min<std::uint32_t>(count, kReceiveBufferSize);
  }
  /// True when the last failed read was ended by a wake-up (cancel or stop).
  bool LastReadWoken() const { return lastReadWoken_; }
  int State() const { return state_; }
  void SetState(int state) { state_ = state; }
  int Variant() const { return variant_; }
  bool IsOpen() const { return port_ != nullptr; }
  platform::SerialPort* Port() { return port_.get(); }

  // Memory readout.
  /// Reads every measurement from the instrument over the port opened by Open into `list`;
  /// returns how many were transferred completely (the first ones of the list).
  int ReadMemory(ReadoutList& list, const AxisSettings& settings);

  // Online recording.
  /// Reads the instrument's header, makes the curves in `measurement` and starts the worker
  /// thread; true when the recording runs. The measurement must outlive StopOnline.
  bool StartOnline(model::CMessungObj& measurement, const AxisSettings& settings);
  /// On the thread that owns the measurement: appends every sample set received so far and
  /// shows message 32903 once if the worker ended on a failed read. Returns the number of
  /// sample sets appended.
  int DrainOnline();
  /// True while the worker thread receives.
  bool OnlineRunning() const;
  /// Hands every sample set the running recording appends to `sink` as well (null: none);
  /// ends with the recording. Owning thread only.
  void SetOnlineSink(OnlineSetSink* sink);
  /// Stops the worker cooperatively, appends what it received and clears the measurement's
  /// onlineActive. The port stays open.
  void StopOnline();

 private:
  platform::MessageService* messages_;
  PortOpener opener_;
  TransferObserver* observer_ = nullptr;
  std::string devicePath_;
  int baudRate_ = 1200;
  std::atomic<int> cancelRequested_{0};
  // Guards the port pointer against RequestCancel from another thread while the owning
  // thread opens or closes the port.
  std::mutex portMutex_;
  std::unique_ptr<platform::SerialPort> port_;
  std::unique_ptr<OnlineRecorder> online_;
  std::array<std::uint8_t, kReceiveBufferSize> receiveBuffer_{};
  std::uint32_t bytesToRead_ = 0;
  std::uint32_t bytesRead_ = 0;
  bool lastReadWoken_ = false;
  int state_ = kStateClosed;
  int variant_ = 0;
};

}  // namespace vantrel::instrument
