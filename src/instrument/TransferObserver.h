// What a long transfer tells its caller and asks of it between reads: progress of a memory
// readout, the running measurement number, and PumpMessages, which the GUI binds to
// processing pending events so that its Cancel button stays usable.
#pragma once

namespace vantrel::instrument {

class TransferObserver {
 public:
  virtual ~TransferObserver() = default;
  /// Processes pending user-interface events; may call CInstrumentLink::RequestCancel.
  virtual void PumpMessages() {}
  /// The readout's progress runs from `low` to `high`.
  virtual void SetProgressRange(int low, int high) {
    static_cast<void>(low);
    static_cast<void>(high);
  }
  virtual void AdvanceProgress() {}
  /// Measurement `number` (1-based) is being transferred (message 32861 shows it).
  virtual void ShowRunningNumber(int number) { static_cast<void>(number); }
};

}  // namespace vantrel::instrument
