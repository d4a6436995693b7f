// Port primitives and handshakes of the instrument link; the readout and the online
// recording are delegated to MemoryReadout and OnlineRecorder.
#include "instrument/CInstrumentLink.h"

#include <cctype>

#include "instrument/MemoryReadout.h"
#include "instrument/OnlineRecorder.h"
#include "instrument/PortOpenMessage.h"
#include "platform/PosixSerialPort.h"

namespace vantrel::instrument {
std::unique_ptr<platform::SerialPort> OpenPosixPort(const std::string& devicePath, int* error) {
  return platform::PosixSerialPort::Open(devicePath, error);
}

CInstrumentLink::CInstrumentLink(platform::MessageService* messages, PortOpener opener)
    : messages_(messages), opener_(std::move(opener)) {}

CInstrumentLink::~CInstrumentLink() {
  StopOnline();
  Close();
}

void CInstrumentLink::SetPortSettings(std::string devicePath, int baudRate) {
  devicePath_ = std::move(devicePath);
  baudRate_ = baudRate;
}

bool CInstrumentLink::Open(int variant) {
  variant_ = variant;
  Close();
  auto askRetry = [this](const PortMessage& message) {
    return messages_ != nullptr &&
           messages_->ShowMessage(message.id, platform::Buttons::RetryCancel,
                                  platform::Icon::Exclamation,
                                  message.argument) == platform::Answer::Retry;
  };
  int error = 0;
  while (!OpenPort(devicePath_, &error)) {
    const PortMessage message =
        error != 0 ? DiagnosePortOpen(devicePath_, error) : PortMessage{kMsgPortFailed, {}};
    if (!askRetry(message)) return false;
  }
  while (!ConfigurePort(baudRate_)) {
    if (!askRetry({kMsgPortFailed, {}})) {
      Close();
      return false;
    }
  }
  state_ = kStateIdle;
  return true;
}

bool CInstrumentLink::OpenPort(const std::string& devicePath, int* error) {
  int openError = 0;
  std::unique_ptr<platform::SerialPort> opened =
      opener_ ? opener_(devicePath, &openError) : nullptr;
  if (error != nullptr) *error = opened == nullptr ? openError : 0;
  if (opened == nullptr) return false;
  std::lock_guard lock(portMutex_);
  port_ = std::move(opened);
  if (cancelRequested_.load() != 0) port_->Wake();
  return true;
}

bool CInstrumentLink::ConfigurePort(int baudRate) {
  return port_ != nullptr && port_->ConfigurePort(baudRate);
}

bool CInstrumentLink::SetReadTimeouts(std::uint32_t interval, std::uint32_t multiplier,
                                      std::uint32_t constant) {
  if (port_ == nullptr) return false;
  platform::SerialTimeouts timeouts;
  timeouts.readInterval = interval;
  timeouts.readTotalMultiplier = multiplier;
  timeouts.readTotalConstant = constant;
  timeouts.writeTotalMultiplier = 0;
  timeouts.writeTotalConstant = 100;
  return port_->SetTimeouts(timeouts);
}

int CInstrumentLink::GetReadTotalTimeout() const {
  if (port_ == nullptr) return 0;
  const std::uint32_t constant = port_->GetTimeouts().readTotalConstant;
  return constant > 0x7FFFFFFFU ? 0x7FFFFFFF : static_cast<int>(constant);
}

bool CInstrumentLink::Read() {
  lastReadWoken_ = false;
  if (port_ == nullptr) {
    bytesRead_ = 0;
    return false;
  }
  const platform::ReadResult result = port_->Read(receiveBuffer_.data(), bytesToRead_);
  bytesRead_ = static_cast<std::uint32_t>(result.count);
  lastReadWoken_ = result.woken;
  return bytesRead_ != 0 && bytesRead_ == bytesToRead_;
}

void CInstrumentLink::SendCommand(std::uint8_t byte) { SendBytes(&byte, 1); }

bool CInstrumentLink::SendReply(bool ok) {
  const std::uint8_t reply = ok ? 0x06 : 0x16;
  return SendBytes(&reply, 1);
}

bool CInstrumentLink::SendBytes(const std::uint8_t* data, std::size_t size) {
  return port_ != nullptr && port_->Write(data, size) == size;
}

void CInstrumentLink::DiscardInput() {
  if (port_ != nullptr) port_->DiscardInput();
}

bool CInstrumentLink::ConnectHandshake(const std::string& devicePath, int baudRate) {
  Close();
  state_ = kStateConnectHandshake;
  if (!OpenPort(devicePath)) return false;
  if (!ConfigurePort(baudRate)) return false;
  if (!SetReadTimeouts(0, 0, 1000)) return false;
  PumpMessages();
  SendCommand('A');
  receiveBuffer_[0] = 0;
  if (!ReadBytes(1)) return false;
  if (std::tolower(receiveBuffer_[0]) != 'b') return false;
  static constexpr std::uint8_t kOk[] = {'O', 'K'};
  SendBytes(kOk, sizeof kOk);
  state_ = kStateIdle;
  return true;
}

bool CInstrumentLink::CheckHandshake() {
  state_ = kStateCheckHandshake;
  if (!SetReadTimeouts(0, 0, 500)) return false;
  SendCommand('A');
  receiveBuffer_[0] = 0;
  if (!ReadBytes(1)) return false;
  if (std::tolower(receiveBuffer_[0]) != 'a') return false;
  state_ = kStateIdle;
  return true;
}

void CInstrumentLink::Close() {
  StopOnline();
  std::lock_guard lock(portMutex_);
  // A failed connect handshake or configuration may leave a port open in any state.
  port_.reset();
  state_ = kStateClosed;
}

void CInstrumentLink::PumpMessages() {
  if (observer_ != nullptr) observer_->PumpMessages();
}

void CInstrumentLink::RequestCancel() {
  cancelRequested_.store(1);
  std::lock_guard lock(portMutex_);
  if (port_ != nullptr) port_->Wake();
}

void CInstrumentLink::ClearCancel() {
  cancelRequested_.store(0);
  std::lock_guard lock(portMutex_);
  if (port_ != nullptr) port_->ClearWake();
}

int CInstrumentLink::ReadMemory(ReadoutList& list, const AxisSettings& settings) {
  MemoryReadout readout(*this, list, settings);
  return readout.Run();
}

bool CInstrumentLink::StartOnline(model::CMessungObj& measurement, const AxisSettings& settings) {
  StopOnline();
  online_ = std::make_unique<OnlineRecorder>(*this, measurement, settings);
  if (online_->Start()) return true;
  online_.reset();
  return false;
}

int CInstrumentLink::DrainOnline() { return online_ != nullptr ? online_->Drain() : 0; }

void CInstrumentLink::SetOnlineSink(OnlineSetSink* sink) {
  if (online_ != nullptr) online_->SetSink(sink);
}

bool CInstrumentLink::OnlineRunning() const { return online_ != nullptr && online_->Running(); }

void CInstrumentLink::StopOnline() {
  if (online_ == nullptr) return;
  online_->Stop();
  online_.reset();
}

}  // namespace vantrel::instrument
