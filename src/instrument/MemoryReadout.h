// The memory readout over an opened link: the block protocol (variant 0) with check bytes,
// rejection and retries, and the legacy text protocol (other variants). Builds one
// measurement per transferred instrument measurement in the readout list.
#pragma once

#include <array>
#include <cstdint>

#include "instrument/AxisAssignment.h"
#include "instrument/LegacyProtocol.h"
#include "instrument/ReadoutList.h"
#include "model/CMessungObj.h"

namespace vantrel::instrument {

class CInstrumentLink;

class MemoryReadout {
 public:
  MemoryReadout(CInstrumentLink& link, ReadoutList& list, const AxisSettings& settings)
      : link_(link), list_(list), settings_(settings) {}

  /// Runs the protocol of the link's variant; returns the number of measurements transferred
  /// completely (the first ones of the list).
  int Run();

 private:
  /// How one attempt at a block measurement ended.
  enum class Attempt { kAccepted, kRejected, kCancelled, kEnded };

  int RunBlock();
  Attempt ReadBlockMeasurement();
  /// A read failed: a cancel request that woke it counts as cancel, else as rejection.
  Attempt ReadFailed(int cancelReplies);
  Attempt Cancel(int replies);
  /// Reads and drops what the instrument still sends of a rejected measurement, until the
  /// line stays quiet, so that the repeat starts on a clean line.
  void DiscardUntilQuiet();
  void DiscardAttempt();

  int RunLegacy();
  /// Reads the data chunks of one legacy measurement; false when the transfer ends.
  bool ReadLegacyData();
  void BuildLegacyMeasurement(const LegacyHeader& header);
  void FinishLegacyMeasurement();
  int FailLegacy();

  void ShowTransferFailed();
  void ResetMinimumValues();

  CInstrumentLink& link_;
  ReadoutList& list_;
  AxisSettings settings_;

  std::array<float, 6> minimumValues_{};
  std::array<float, 6> channelScale_{};
  std::array<model::CKurveObj*, 6> curves_{};
  model::CMessungObj* measurement_ = nullptr;
  bool measurementMade_ = false;
  int measurementIndex_ = 0;
  int measurementCount_ = 0;
  int retryCount_ = 0;
  int channelCount_ = 0;
  // Legacy protocol.
  std::array<LegacyChannelType, 3> legacyChannels_{};
  std::array<long long, 3> samplesPerChannel_{};
  bool swapFirstChannels_ = false;
};

}  // namespace vantrel::instrument
