// Online recording: header reading, curve set-up, the two worker loops and the hand-over of
// sample sets to the owning thread.
#include "instrument/OnlineRecorder.h"

#include <cstring>

#include "instrument/CInstrumentLink.h"

namespace vantrel::instrument {
namespace {

/// Read time-out for waiting on a record: 2000 ms per whole second of the sample period.
std::uint32_t RecordTimeout(int periodSeconds) {
  return static_cast<std::uint32_t>(periodSeconds) * 2000U;
}

}  // namespace

void AppendOnlineSets(OnlineAxisGrowth& growth, model::CMessungObj& measurement,
                      std::span<const OnlineSampleSet> sets, int channelCount) {
  for (const OnlineSampleSet& set : sets) {
    for (int j = 0; j < channelCount; ++j) {
      const OnlineSampleSet::Triple& triple = set.channels[static_cast<std::size_t>(j)];
      growth.AddOnlineSample(j, triple.minimum, triple.maximum, triple.value);
    }
  }
  if (!sets.empty()) measurement.SetFormulaUpdatePending(1);
}

OnlineRecorder::OnlineRecorder(CInstrumentLink& link, model::CMessungObj& measurement,
                               const AxisSettings& settings)
    : link_(link), measurement_(measurement), growth_(measurement, settings) {}

OnlineRecorder::~OnlineRecorder() {
  if (worker_.joinable()) {
    stopRequested_.store(true);
    if (link_.Port() != nullptr) link_.Port()->Wake();
    worker_.join();
  }
}

bool OnlineRecorder::Start() {
  link_.SetState(kStateOnlineStart);
  link_.SendCommand('*');
  link_.SetBytesToRead(0);
  link_.PumpMessages();
  if (!link_.SetReadTimeouts(0, 40, 500)) return false;
  return link_.Variant() == 1 ? StartLineFormat() : StartFieldFormat();
}

bool OnlineRecorder::FailStart() {
  if (link_.Messages() != nullptr) {
    link_.Messages()->ShowMessage(kMsgTransferFailed, platform::Buttons::Ok,
                                  platform::Icon::Exclamation);
  }
  return false;
}

bool OnlineRecorder::ReadLine(std::string* line, std::size_t limit) {
  line->clear();
  for (;;) {
    if (!link_.ReadBytes(1)) return false;
    line->push_back(static_cast<char>(link_.ReceiveBuffer()[0]));
    if (IsCompleteLine(*line)) return true;
    if (line->size() >= limit) return false;
  }
}

bool OnlineRecorder::StartLineFormat() {
  if (!link_.ReadBytes(kLineFormatStartAnswer.size()) ||
      std::memcmp(link_.ReceiveBuffer(), kLineFormatStartAnswer.data(),
                  kLineFormatStartAnswer.size()) != 0) {
    return FailStart();
  }
  link_.PumpMessages();
  std::array<std::string, 6> lines;
  for (std::string& line : lines) {
    link_.PumpMessages();
    if (!ReadLine(&line, kMaxHeaderLine)) return FailStart();
  }
  const OnlineHeader header = ParseLineFormatHeader(lines);
  if (!link_.SetReadTimeouts(50, 0, RecordTimeout(header.periodSeconds))) return false;
  MakeCurves(header, 1);
  running_.store(true);
  worker_ = std::thread([this] { RunLineWorker(); });
  link_.SetState(kStateIdle);
  return true;
}

bool OnlineRecorder::StartFieldFormat() {
  std::string line;
  for (int i = 0; i < 4; ++i) {
    if (!ReadLine(&line, kMaxHeaderLine)) return FailStart();
  }
  std::vector<std::string> lines;
  bool ended = false;
  for (int k = 0; k < kFieldHeaderLines && !ended; ++k) {
    if (!ReadLine(&line, kMaxHeaderLine)) return FailStart();
    lines.push_back(line);
    ended = IsFieldHeaderEnd(line, k);
  }
  // Without its TAB line the header tells no channel count: refuse it.
  if (!ended) return FailStart();
  const OnlineHeader header = ParseFieldFormatHeader(lines);
  if (!link_.SetReadTimeouts(20, 0, RecordTimeout(header.periodSeconds))) return false;
  MakeCurves(header, 0);
  link_.PumpMessages();
  const auto waitTimeout = static_cast<std::uint32_t>(link_.GetReadTotalTimeout());
  running_.store(true);
  worker_ = std::thread([this, waitTimeout] { RunFieldWorker(waitTimeout); });
  link_.SetState(kStateIdle);
  return true;
}

void OnlineRecorder::MakeCurves(const OnlineHeader& header, int triggerInPercent) {
  channelCount_ = 0;
  for (const OnlineChannel& channel : header.channels) {
    model::CKurveObj* curve = measurement_.AddCurve();
    if (curve == nullptr) break;
    curve->SetTriggerInPercent(triggerInPercent);
    curve->SetColor(PaletteColor(channelCount_));
    curve->SetChannelNumber(channel.channelNumber);
    curve->SetDrawOrder(channel.channelNumber);
    curve->SetSampleInterval(header.sampleInterval);
    curve->SetStartTime(header.startTime);
    curve->SetRecordingKind(0);
    curve->SetOrigin(channel.origin);
    curve->SetAxisIndex(-1);
    curve->SetUnit(channel.unit.code, channel.unit.text);
    ++channelCount_;
  }
}

bool OnlineRecorder::WorkerReadByte(std::uint8_t* byte) {
  if (stopRequested_.load()) return false;
  if (link_.ReadBytes(1)) {
    *byte = link_.ReceiveBuffer()[0];
    return true;
  }
  // A stop or cancel request that woke the read ends the recording quietly.
  if (!link_.LastReadWoken() && !stopRequested_.load() && !link_.CancelRequested()) {
    workerFailed_ = true;
  }
  return false;
}

void OnlineRecorder::EndWorker() {
  queue_.Finish(workerFailed_);
  running_.store(false);
}

void OnlineRecorder::RunLineWorker() {
  std::string line;
  OnlineSampleSet set;
  std::uint8_t byte = 0;
  for (;;) {
    line.clear();
    for (;;) {
      if (!WorkerReadByte(&byte)) return EndWorker();
      line.push_back(static_cast<char>(byte));
      if (IsCompleteLine(line)) break;
      if (line.size() >= kMaxDataLine) {
        workerFailed_ = true;
        return EndWorker();
      }
    }
    if (!ParseLineRecord(line, channelCount_, &set)) {
      workerFailed_ = true;
      return EndWorker();
    }
    queue_.Push(set);
  }
}

void OnlineRecorder::RunFieldWorker(std::uint32_t waitTimeout) {
  std::string text;
  OnlineSampleSet set;
  std::uint8_t byte = 0;
  const int fields = 3 * channelCount_;
  for (;;) {
    link_.SetReadTimeouts(0, 0, waitTimeout);
    if (link_.CancelRequested()) {
      link_.ClearCancel();
      return EndWorker();
    }
    for (int i = 0; i < 8; ++i) {
      if (!WorkerReadByte(&byte)) return EndWorker();
    }
    link_.SetReadTimeouts(0, 0, 100);
    text.clear();
    for (int field = 0; field < fields; ++field) {
      if (!WorkerReadByte(&byte)) return EndWorker();
      for (std::size_t i = 0; i < kFieldWidth; ++i) {
        if (!WorkerReadByte(&byte)) return EndWorker();
        text.push_back(static_cast<char>(byte));
      }
    }
    ParseFieldRecord(text, channelCount_, &set);
    queue_.Push(set);
    for (int i = 0; i < 2; ++i) {
      if (!WorkerReadByte(&byte)) return EndWorker();
    }
  }
}

int OnlineRecorder::Drain() {
  const SampleQueue::End end = queue_.TakeAll(drained_);
  AppendOnlineSets(growth_, measurement_, drained_, channelCount_);
  if (sink_ != nullptr && !drained_.empty()) sink_->SetsAppended(drained_, channelCount_);
  if (end == SampleQueue::End::kFailed && !failureShown_) {
    failureShown_ = true;
    if (link_.Messages() != nullptr) {
      link_.Messages()->ShowMessage(kMsgTransferFailed, platform::Buttons::Ok,
                                    platform::Icon::Exclamation);
    }
  }
  return static_cast<int>(drained_.size());
}

void OnlineRecorder::Stop() {
  if (worker_.joinable()) {
    stopRequested_.store(true);
    if (link_.Port() != nullptr) link_.Port()->Wake();
    worker_.join();
    link_.ClearCancel();
  }
  Drain();
  measurement_.SetOnlineActive(0);
}

}  // namespace vantrel::instrument
