// The simulated instrument: plays one instrument on the master side of a pseudo-terminal.
// Answers the handshake byte "A", the start byte "*" with the memory readout (block or
// legacy protocol) or an online stream (line or field format), and injects faults on request.
// In the automatic mode it serves both requests of a host that uses the block readout and the
// field-format online recording: it answers "*" with the block start and streams when the host
// does not acknowledge that answer. A host that opens the port again ends a running stream.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "SimMeasurements.h"

namespace vantrel::sim {

enum class SimMode { kBlock, kLegacy, kLineFormat, kFieldFormat, kAuto };

/// How long the automatic mode waits for the host's acknowledgement of the block start
/// before it takes the start byte as an online request. The readout host acknowledges at
/// once; the online host waits at least 540 ms for the first header byte.
constexpr int kAutoStreamDelayMs = 250;

struct SimOptions {
  SimMode mode = SimMode::kBlock;
  /// Answer to the handshake byte "A": 'B' for the connect handshake, 'A' for the check.
  char hello = 'B';
  std::vector<SimMeasurement> measurements;
  std::vector<SimLegacyMeasurement> legacyMeasurements;
  // Online streaming.
  int onlineChannels = 3;
  double onlineRate = 10.0;          ///< sample sets per second
  std::uint64_t onlineCount = 0;     ///< sets to send, 0 = until stopped
  std::string intervalText = "0.1";  ///< sample interval as the header states it
  /// Stream the counting pattern instead of the machine cycle (order and completeness checks).
  bool onlineCounting = false;
  std::uint32_t seed = 1;  ///< noise of the machine cycle
  // Faults.
  std::set<int>
      badCheckSends;  ///< measurement sends (1-based, repeats counted) with bad check bytes
  std::set<int> sevenChannelSends;   ///< sends whose header announces 7 channels
  long long silenceAfterBytes = -1;  ///< drop the rest of the send in progress once, after k bytes
  long long muteAfterBytes = -1;     ///< send nothing at all after k bytes
  int garbageStarts = 0;             ///< answer the first n start bytes with garbage
  /// When set: every online record is logged there once its last byte was written, one line
  /// each: the steady clock in ns, a blank, the record without its CR LF.
  std::string sendLogPath;
};

/// What the simulator saw, for tests.
struct SimStatistics {
  std::uint64_t bytesSent = 0;
  int measurementSends = 0;
  int accepted = 0;
  int rejected = 0;
  std::uint64_t onlineSetsSent = 0;
};

class SimInstrument {
 public:
  explicit SimInstrument(SimOptions options) : options_(std::move(options)) {}

  /// Plays the instrument on `fd` (non-blocking master side) until `stop` becomes true or
  /// the other side's hang-up is final. Returns 0, or 1 on an I/O error.
  int Run(int fd, const std::atomic<bool>& stop);
  SimStatistics Statistics() const;

 private:
  enum class State { kIdle, kAwaitStartReply, kSending, kAwaitReply, kStreaming };

  void HandleByte(std::uint8_t byte);
  /// The host flushed its queues, as it does when it opens the port: a stream ends.
  void HandleHostFlush();
  /// Starts the online stream of the given format.
  void StartStream(SimMode format);
  /// Automatic mode: streams when the block start went unacknowledged for too long.
  void StreamIfStartUnanswered();
  void SendMeasurement(int index);
  void Queue(const std::vector<std::uint8_t>& bytes);
  void Queue(const std::string& text);
  void QueueDueOnlineSets();
  void QueueNextLegacyMeasurement();
  /// Writes what the line takes; false on an I/O error.
  bool Flush(int fd);
  /// Logs the online records whose bytes have all been written.
  void LogSentRecords();

  struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  /// An online record waiting in out_: where its bytes end in the whole output, its text.
  struct PendingRecord {
    std::uint64_t end = 0;
    std::string text;
  };

  SimOptions options_;
  State state_ = State::kIdle;
  int current_ = 0;
  std::vector<std::uint8_t> out_;
  std::size_t outPosition_ = 0;
  bool silenceUsed_ = false;
  std::uint64_t streamStartNs_ = 0;
  SimMode streamFormat_ = SimMode::kFieldFormat;
  std::uint64_t startAnsweredNs_ = 0;
  std::uint64_t nextSequence_ = 0;
  std::size_t legacyNext_ = 0;
  std::uint64_t legacyQuietSinceNs_ = 0;
  mutable std::atomic<std::uint64_t> bytesSent_{0};
  std::atomic<int> sends_{0};
  std::atomic<int> accepted_{0};
  std::atomic<int> rejected_{0};
  std::atomic<std::uint64_t> onlineSent_{0};
  std::unique_ptr<std::FILE, FileCloser> sendLog_;
  std::deque<PendingRecord> pendingRecords_;
};

}  // namespace vantrel::sim
