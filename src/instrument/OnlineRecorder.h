// Online recording over an opened link: reads the instrument's header (line or field format),
// makes one curve per channel, and runs the worker thread that reads and parses records.
// The worker never touches the measurement: it queues sample sets, and the owning thread
// appends them with Drain, so the measurement is only ever used by one thread.
#pragma once

#include <atomic>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "instrument/AxisAssignment.h"
#include "instrument/OnlineFormats.h"
#include "instrument/OnlineSetSink.h"
#include "instrument/SampleQueue.h"
#include "model/CMessungObj.h"

namespace vantrel::instrument {

class CInstrumentLink;

/// The one append path of online sample sets: each set's channels go through
/// OnlineAxisGrowth::AddOnlineSample in slot order, and the measurement's formula curves are
/// marked for an update. The recording and the rebuilding of a crashed recording both use it.
void AppendOnlineSets(OnlineAxisGrowth& growth, model::CMessungObj& measurement,
                      std::span<const OnlineSampleSet> sets, int channelCount);

class OnlineRecorder {
 public:
  OnlineRecorder(CInstrumentLink& link, model::CMessungObj& measurement,
                 const AxisSettings& settings);
  /// Stops the worker.
  ~OnlineRecorder();
  OnlineRecorder(const OnlineRecorder&) = delete;
  OnlineRecorder& operator=(const OnlineRecorder&) = delete;

  /// Sends the start byte, reads the header, makes the curves and starts the worker; false
  /// (message 32903 where a read failed) when the recording could not start.
  bool Start();
  /// Appends the queued sample sets to the measurement; shows 32903 once when the worker
  /// ended on a failure. Returns the number of sets appended.
  int Drain();
  /// True until the worker thread has ended.
  bool Running() const { return running_.load(); }
  /// Ends the worker cooperatively, then appends what it received; clears onlineActive.
  void Stop();
  int ChannelCount() const { return channelCount_; }
  /// Hands every appended sample set to `sink` too (null: none). Owning thread only.
  void SetSink(OnlineSetSink* sink) { sink_ = sink; }

 private:
  bool StartLineFormat();
  bool StartFieldFormat();
  /// Reads one header line byte by byte; false when a read fails or the line is too long.
  bool ReadLine(std::string* line, std::size_t limit);
  void MakeCurves(const OnlineHeader& header, int recordingTriggerInPercent);
  bool FailStart();

  void RunLineWorker();
  void RunFieldWorker(std::uint32_t waitTimeout);
  /// Reads one byte on the worker thread; false when the recording must end.
  bool WorkerReadByte(std::uint8_t* byte);
  void EndWorker();

  CInstrumentLink& link_;
  model::CMessungObj& measurement_;
  OnlineAxisGrowth growth_;
  int channelCount_ = 0;
  SampleQueue queue_;
  std::thread worker_;
  std::atomic<bool> stopRequested_{false};
  std::atomic<bool> running_{false};
  bool workerFailed_ = false;  // worker thread only
  bool failureShown_ = false;
  std::vector<OnlineSampleSet> drained_;  // owning thread only
  OnlineSetSink* sink_ = nullptr;         // owning thread only
};

}  // namespace vantrel::instrument
