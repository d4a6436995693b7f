// Memory readout: the block protocol's measurement loop and the legacy text protocol.
#include "instrument/MemoryReadout.h"

#include <cfloat>
#include <cmath>
#include <cstring>
#include <string>

#include "instrument/BlockProtocol.h"
#include "instrument/CInstrumentLink.h"
#include "instrument/ProtocolText.h"
#include "platform/NumberFormat.h"
#include "platform/Strings.h"

namespace vantrel::instrument {
namespace {

/// Most bytes dropped while waiting for a quiet line after a rejection: more than the
/// largest measurement the header can announce.
constexpr std::size_t kMaxDiscardBytes = 8U << 20;

std::int32_t WholeSeconds(double seconds) {
  const double up = std::ceil(seconds);
  if (!(up >= 0.0)) return 0;
  return up < 2147483647.0 ? static_cast<std::int32_t>(up) : INT32_MAX;
}

}  // namespace

int MemoryReadout::Run() { return link_.Variant() == 0 ? RunBlock() : RunLegacy(); }

void MemoryReadout::ShowTransferFailed() {
  if (link_.Messages() != nullptr) {
    link_.Messages()->ShowMessage(kMsgTransferFailed, platform::Buttons::Ok,
                                  platform::Icon::Exclamation);
  }
}

void MemoryReadout::ResetMinimumValues() { minimumValues_.fill(FLT_MAX); }

// ---------------------------------------------------------------------------------------
// Block protocol

int MemoryReadout::RunBlock() {
  link_.SetState(kStateReadout);
  measurementIndex_ = 0;
  retryCount_ = 0;
  if (!link_.SetReadTimeouts(100, 0, 500)) return 0;
  bool started = false;
  for (int attempt = 0; attempt < 3 && !started; ++attempt) {
    link_.SendCommand('*');
    if (link_.ReadBytes(4) && std::memcmp(link_.ReceiveBuffer(), "/AN", 3) == 0) {
      link_.SendReply(true);
      started = true;
      break;
    }
    if (link_.CancelRequested()) {
      link_.ClearCancel();
      return 0;
    }
    link_.SendReply(false);
    ++retryCount_;
  }
  if (!started) {
    ShowTransferFailed();
    return 0;
  }
  measurementCount_ = link_.ReceiveBuffer()[3];
  if (auto* observer = link_.Observer()) observer->SetProgressRange(0, 3 * measurementCount_);

  while (measurementIndex_ < measurementCount_) {
    switch (ReadBlockMeasurement()) {
      case Attempt::kAccepted:
        retryCount_ = 0;
        ++measurementIndex_;
        break;
      case Attempt::kRejected:
        if (retryCount_ >= 3) {
          DiscardAttempt();
          ShowTransferFailed();
          return measurementIndex_;
        }
        DiscardUntilQuiet();
        link_.SendReply(false);
        ++retryCount_;
        DiscardAttempt();
        break;
      case Attempt::kCancelled:
      case Attempt::kEnded:
        DiscardAttempt();
        return measurementIndex_;
    }
  }
  link_.ClearCancel();
  link_.SetState(kStateIdle);
  return measurementCount_;
}

MemoryReadout::Attempt MemoryReadout::Cancel(int replies) {
  for (int i = 0; i < replies; ++i) link_.SendReply(false);
  link_.ClearCancel();
  return Attempt::kCancelled;
}

MemoryReadout::Attempt MemoryReadout::ReadFailed(int cancelReplies) {
  if (link_.CancelRequested()) return Cancel(cancelReplies);
  return Attempt::kRejected;
}

void MemoryReadout::DiscardAttempt() {
  if (measurementMade_) list_.DiscardLast();
  measurementMade_ = false;
  measurement_ = nullptr;
}

void MemoryReadout::DiscardUntilQuiet() {
  if (!link_.SetReadTimeouts(0, 0, 100)) return;
  std::size_t dropped = 0;
  while (dropped < kMaxDiscardBytes && !link_.CancelRequested()) {
    link_.ReadBytes(CInstrumentLink::kReceiveBufferSize);
    if (link_.BytesRead() == 0 || link_.LastReadWoken()) break;
    dropped += link_.BytesRead();
    link_.PumpMessages();
  }
}

MemoryReadout::Attempt MemoryReadout::ReadBlockMeasurement() {
  TransferObserver* observer = link_.Observer();
  if (observer != nullptr) observer->ShowRunningNumber(measurementIndex_ + 1);
  ResetMinimumValues();
  link_.PumpMessages();
  if (link_.CancelRequested()) return Cancel(3);
  if (!link_.SetReadTimeouts(100, 0, 1000)) return Attempt::kEnded;
  if (!link_.ReadBytes(kBlockHeaderSize)) return ReadFailed(3);
  link_.PumpMessages();
  if (link_.CancelRequested()) return Cancel(3);
  if (observer != nullptr) observer->AdvanceProgress();
  std::uint16_t crc = UpdateCrc16(0, link_.ReceiveBuffer(), kBlockHeaderSize);
  const BlockHeader header = ParseBlockHeader(link_.ReceiveBuffer());

  measurement_ = list_.NewMeasurement();
  if (measurement_ == nullptr) return Attempt::kEnded;
  measurementMade_ = true;
  std::u16string name = platform::FromCp1252(header.name);
  if (name.empty() || name == u" ") name = platform::FormatC16("Nr_%d", measurementIndex_ + 1);
  measurement_->SetName(name, header.storageNumber);

  // More channels than slots: refuse the measurement as if its check bytes were wrong.
  if (header.channelCount > kMaxChannels) return Attempt::kRejected;
  channelCount_ = header.channelCount;
  const long long recordCount = static_cast<long long>(channelCount_) * header.samplesPerChannel;
  const double interval = static_cast<double>(header.intervalMs) * 0.001;
  const platform::TimeStamp startTime =
      LocalTimestamp(header.year, header.month, header.day, header.hour, header.minute, 0);
  const TriggerSetting trigger = TriggerFromLetter(header.triggerLetter);
  model::CXAchse& xAxis = measurement_->GetXAxis();

  for (int c = 0; c < channelCount_; ++c) {
    model::CKurveObj* curve = measurement_->AddCurve();
    if (curve == nullptr) return Attempt::kEnded;
    curves_[static_cast<std::size_t>(c)] = curve;
    curve->SetTriggerInPercent(0);
    curve->SetColor(PaletteColor(c));
    curve->SetTriggerLevel(header.triggerLevel);
    curve->SetSourceNumber(header.storageNumber);
    curve->SetSampleInterval(interval);
    curve->SetDuration(WholeSeconds(interval * header.samplesPerChannel));
    ApplyXAxisRule(xAxis, curve->GetDuration());
    curve->SetRecordingKind(1);
    curve->SetStartTime(startTime);
    curve->SetPretrigger(static_cast<float>(interval * header.pretriggerSamples));
    curve->SetTriggerMode(trigger.mode);
    if (trigger.channel >= 0) curve->SetTriggerChannel(trigger.channel);
    curve->SetTriggerEdge(header.triggerEdge);
  }

  for (int c = 0; c < channelCount_; ++c) {
    if (!link_.ReadBytes(kChannelBlockSize)) return ReadFailed(3);
    link_.PumpMessages();
    if (link_.CancelRequested()) return Cancel(3);
    crc = UpdateCrc16(crc, link_.ReceiveBuffer(), kChannelBlockSize);
    const ChannelBlock block = ParseChannelBlock(link_.ReceiveBuffer());
    model::CKurveObj& curve = *curves_[static_cast<std::size_t>(c)];
    curve.SetName(platform::FromCp1252(block.name));
    curve.SetUnit(block.unit.code, block.unit.text);
    if (block.channelNumber == kDerivedChannel) {
      curve.SetOrigin(model::kOriginSpecial);
      curve.SetChannelNumber(2);
    } else {
      curve.SetOrigin(model::kOriginMeasured);
      curve.SetChannelNumber(block.channelNumber);
    }
    curve.SetDrawOrder(curve.GetChannelNumber());
    channelScale_[static_cast<std::size_t>(c)] = block.sensorRange;
    curve.SetSensorRange(block.sensorRange);
  }

  if (observer != nullptr) observer->AdvanceProgress();
  if (!link_.ReadBytes(4)) return ReadFailed(3);
  if (std::memcmp(link_.ReceiveBuffer(), "/DAT", 4) != 0) return Attempt::kRejected;
  crc = UpdateCrc16(crc, link_.ReceiveBuffer(), 4);

  for (long long k = 0; k < recordCount; ++k) {
    if (!link_.ReadBytes(kDataRecordSize)) return ReadFailed(1);
    link_.PumpMessages();
    if (link_.CancelRequested()) return Cancel(1);
    const auto c = static_cast<std::size_t>(k % channelCount_);
    int rawMinimum = 0;
    int rawMaximum = 0;
    ParseDataRecord(link_.ReceiveBuffer(), &rawMinimum, &rawMaximum);
    const float minimum = static_cast<float>(rawMinimum) * channelScale_[c] * kRawScale;
    const float maximum = static_cast<float>(rawMaximum) * channelScale_[c] * kRawScale;
    model::CKurveObj& curve = *curves_[c];
    if (!curve.AddSample(minimum, maximum, 0.0F)) return Attempt::kEnded;
    minimumValues_[c] = std::min(minimumValues_[c], minimum);
    curve.SetPeakValue(std::max(curve.GetPeakValue(), maximum));
    crc = UpdateCrc16(crc, link_.ReceiveBuffer(), kDataRecordSize);
  }

  if (!link_.ReadBytes(2)) return ReadFailed(1);
  crc = UpdateCrc16(crc, link_.ReceiveBuffer(), 2);
  if (crc != 0) return Attempt::kRejected;
  link_.SendReply(true);
  AssignReadoutAxes(*measurement_, minimumValues_, settings_);
  if (observer != nullptr) observer->AdvanceProgress();
  measurementMade_ = false;
  return Attempt::kAccepted;
}

// ---------------------------------------------------------------------------------------
// Legacy text protocol

int MemoryReadout::FailLegacy() {
  // A read ended by a cancel request ends quietly; any other failure is reported.
  if (link_.CancelRequested()) {
    link_.ClearCancel();
  } else {
    ShowTransferFailed();
  }
  return measurementIndex_;
}

int MemoryReadout::RunLegacy() {
  link_.SetState(kStateReadout);
  measurementIndex_ = 0;
  retryCount_ = 0;
  swapFirstChannels_ = false;
  if (!link_.SetReadTimeouts(100, 0, 500)) return 0;
  link_.SendCommand('*');
  if (!link_.ReadBytes(4) ||
      std::memcmp(link_.ReceiveBuffer(), kLegacyStartAnswer.data(), 4) != 0) {
    return FailLegacy();
  }
  // The count may take its time: no total time-out, only a cancel request ends the wait.
  if (!link_.SetReadTimeouts(100, 0, 0)) return 0;
  if (!link_.ReadBytes(5)) return FailLegacy();
  const std::string_view countText(reinterpret_cast<const char*>(link_.ReceiveBuffer()), 5);
  measurementCount_ = std::max(0, IntegerAt(countText, 0));
  TransferObserver* observer = link_.Observer();
  if (observer != nullptr) observer->SetProgressRange(0, 2 * measurementCount_);
  if (!link_.ReadBytes(2)) return FailLegacy();

  while (measurementIndex_ < measurementCount_) {
    ResetMinimumValues();
    if (observer != nullptr) observer->ShowRunningNumber(measurementIndex_ + 1);
    link_.PumpMessages();
    if (link_.CancelRequested()) {
      link_.ClearCancel();
      return measurementIndex_;
    }
    if (!link_.SetReadTimeouts(100, 0, 500)) return measurementIndex_;
    if (!link_.ReadBytes(kLegacyHeaderSize)) return FailLegacy();
    const LegacyHeader header = ParseLegacyHeader(
        std::string_view(reinterpret_cast<const char*>(link_.ReceiveBuffer()), kLegacyHeaderSize));
    measurement_ = list_.NewMeasurement();
    if (measurement_ == nullptr) return measurementIndex_;
    BuildLegacyMeasurement(header);
    for (int block = 0; block < kLegacyBlockCount; ++block) {
      link_.PumpMessages();
      if (link_.CancelRequested()) {
        link_.ClearCancel();
        return measurementIndex_;
      }
      if (!link_.ReadBytes(kLegacyBlockSize)) return FailLegacy();
    }
    if (!link_.SetReadTimeouts(20, 0, 200)) return measurementIndex_;
    if (observer != nullptr) observer->AdvanceProgress();
    if (!ReadLegacyData()) return measurementIndex_;
    if (observer != nullptr) observer->AdvanceProgress();
    ++measurementIndex_;
    FinishLegacyMeasurement();
  }
  link_.ClearCancel();
  link_.SetState(kStateIdle);
  return measurementCount_;
}

void MemoryReadout::BuildLegacyMeasurement(const LegacyHeader& header) {
  channelCount_ = 0;
  // The channel order belongs to this measurement alone: a swapped pair in one measurement
  // must not swap the channels of the next.
  swapFirstChannels_ = false;
  samplesPerChannel_.fill(0);
  measurement_->SetName(platform::FormatC16("Nr_%d", measurementIndex_ + 1), header.storageNumber);
  for (int i = 0; i < kLegacyMaxChannels; ++i) {
    const auto instrumentChannel = static_cast<std::size_t>(i);
    if (header.types[instrumentChannel] <= 0) continue;
    if (i == 1 && header.channelMode == 1) continue;
    model::CKurveObj* curve = measurement_->AddCurve();
    if (curve == nullptr) continue;
    const auto n = static_cast<std::size_t>(channelCount_);
    curves_[n] = curve;
    curve->SetColor(PaletteColor(channelCount_));
    curve->SetChannelNumber(i + 1);
    curve->SetDrawOrder(i + 1);
    curve->SetRecordingKind(1);
    if (header.channelMode == 0) {
      curve->SetOrigin(model::kOriginMeasured);
    } else if (header.channelMode == 1) {
      if (n == 0) {
        curve->SetOrigin(model::kOriginSpecial);
      } else {
        curve->SetOrigin(model::kOriginMeasured);
        swapFirstChannels_ = true;
      }
    }
    LegacyChannelType& channel = legacyChannels_[n];
    channel = ClassifyLegacyChannel(header.types[instrumentChannel],
                                    header.rangeCodes[instrumentChannel]);
    if (channel.unitKnown) curve->SetUnit(channel.unitCode, channel.unitText);
    channelScale_[n] = channel.sensorRange;
    curve->SetSensorRange(channel.sensorRange);
    ++channelCount_;
  }
  const double interval = LegacySampleInterval(header);
  const platform::TimeStamp startTime =
      LocalTimestamp(header.year, header.month, header.day, header.hour, header.minute, 0);
  const int triggerMode = LegacyTriggerMode(header.triggerMode);
  for (int j = 0; j < channelCount_; ++j) {
    model::CKurveObj& curve = *curves_[static_cast<std::size_t>(j)];
    curve.SetTriggerInPercent(1);
    curve.SetSourceNumber(header.storageNumber);
    curve.SetYOffset(0.0F);
    curve.SetStartTime(startTime);
    curve.SetSampleInterval(interval);
    curve.SetPretrigger(static_cast<float>(header.pretrigger));
    curve.SetTriggerLevel(static_cast<float>(header.triggerLevel));
    curve.SetTriggerEdge(header.triggerEdge);
    if (triggerMode >= 0) curve.SetTriggerMode(triggerMode);
  }
}

bool MemoryReadout::ReadLegacyData() {
  for (;;) {
    link_.PumpMessages();
    if (link_.CancelRequested()) {
      link_.ClearCancel();
      return false;
    }
    const bool complete = link_.ReadBytes(kLegacyChunkSize);
    const std::size_t n = link_.BytesRead();
    const std::uint8_t* bytes = link_.ReceiveBuffer();
    const bool endMarker = n >= 4 && std::memcmp(bytes + n - 4, kLegacyEndMarker.data(), 4) == 0;
    if (!complete && (n <= 3 || !endMarker)) {
      FailLegacy();
      return false;
    }
    if (channelCount_ > 0) {
      const std::size_t groups = (n - (endMarker ? 4 : 0)) / 4;
      const auto channels = static_cast<std::size_t>(channelCount_);
      const std::size_t samples = groups / channels;
      const bool swap = swapFirstChannels_ && channelCount_ == 2;
      for (std::size_t s = 0; s < samples; ++s) {
        for (std::size_t j = 0; j < channels; ++j) {
          std::size_t group = s * channels + j;
          if (swap) group = s * 2 + (j == 0 ? 1 : 0);
          float minimum = 0.0F;
          float maximum = 0.0F;
          ScaleLegacyGroup(bytes + 4 * group, legacyChannels_[j], &minimum, &maximum);
          model::CKurveObj& curve = *curves_[j];
          if (!curve.AddSample(minimum, maximum, 0.0F)) return false;
          curve.SetPeakValue(std::max(curve.GetPeakValue(), maximum));
          ++samplesPerChannel_[j];
          minimumValues_[j] = std::min(minimumValues_[j], minimum);
        }
      }
    }
    if (endMarker) return true;
  }
}

void MemoryReadout::FinishLegacyMeasurement() {
  AssignReadoutAxes(*measurement_, minimumValues_, settings_);
  for (int j = 0; j < channelCount_; ++j) {
    const auto slot = static_cast<std::size_t>(j);
    model::CKurveObj& curve = *curves_[slot];
    curve.SetDuration(
        WholeSeconds(curve.GetSampleInterval() * static_cast<double>(samplesPerChannel_[slot])));
    ApplyXAxisRule(measurement_->GetXAxis(), curve.GetDuration());
    samplesPerChannel_[slot] = 0;
  }
}

}  // namespace vantrel::instrument
