// Event loop of the simulated instrument.
#include "SimInstrument.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

#include "OnlineStream.h"

namespace vantrel::sim {
namespace {

std::uint64_t NowNs() {
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                        std::chrono::steady_clock::now().time_since_epoch())
                                        .count());
}

}  // namespace

SimStatistics SimInstrument::Statistics() const {
  SimStatistics statistics;
  statistics.bytesSent = bytesSent_.load();
  statistics.measurementSends = sends_.load();
  statistics.accepted = accepted_.load();
  statistics.rejected = rejected_.load();
  statistics.onlineSetsSent = onlineSent_.load();
  return statistics;
}

void SimInstrument::Queue(const std::vector<std::uint8_t>& bytes) {
  if (outPosition_ == out_.size()) {
    out_.clear();
    outPosition_ = 0;
  }
  out_.insert(out_.end(), bytes.begin(), bytes.end());
}

void SimInstrument::Queue(const std::string& text) {
  Queue(std::vector<std::uint8_t>(text.begin(), text.end()));
}

void SimInstrument::SendMeasurement(int index) {
  const int send = ++sends_;
  const auto& measurement = options_.measurements[static_cast<std::size_t>(index)];
  const bool seven = options_.sevenChannelSends.count(send) != 0;
  const bool bad = options_.badCheckSends.count(send) != 0;
  Queue(EncodeBlockMeasurement(measurement, seven ? 7 : 0, bad));
  current_ = index;
  state_ = State::kSending;
}

void SimInstrument::HandleByte(std::uint8_t byte) {
  const int count = options_.mode == SimMode::kLegacy
                        ? static_cast<int>(options_.legacyMeasurements.size())
                        : static_cast<int>(options_.measurements.size());
  switch (byte) {
    case 0x11:
    case 0x13:
      return;  // flow control bytes of the host's receiver
    case 'A':
      Queue(std::string(1, options_.hello));
      return;
    case '*':
      out_.clear();
      outPosition_ = 0;
      startAnsweredNs_ = 0;
      switch (options_.mode) {
        case SimMode::kBlock:
        case SimMode::kAuto:
          if (options_.garbageStarts > 0) {
            --options_.garbageStarts;
            Queue(std::string("#?\x01\x7F"));
            state_ = State::kIdle;
          } else {
            Queue(EncodeBlockStart(std::min(count, 255)));
            state_ = State::kAwaitStartReply;
            if (options_.mode == SimMode::kAuto) startAnsweredNs_ = NowNs();
          }
          return;
        case SimMode::kLegacy:
          Queue(EncodeLegacyStart(count));
          legacyNext_ = 0;
          legacyQuietSinceNs_ = 0;
          state_ = State::kIdle;
          return;
        case SimMode::kLineFormat:
        case SimMode::kFieldFormat:
          StartStream(options_.mode);
          return;
      }
      return;
    case 0x06:
      startAnsweredNs_ = 0;
      if (state_ == State::kAwaitStartReply) {
        if (count > 0)
          SendMeasurement(0);
        else
          state_ = State::kIdle;
      } else if (state_ == State::kAwaitReply) {
        ++accepted_;
        if (current_ + 1 < count)
          SendMeasurement(current_ + 1);
        else
          state_ = State::kIdle;
      }
      return;
    case 0x16:
      startAnsweredNs_ = 0;
      if (state_ == State::kSending) {
        // The host gave up in the middle of a measurement: it cancelled.
        out_.clear();
        outPosition_ = 0;
        state_ = State::kIdle;
      } else if (state_ == State::kAwaitReply) {
        ++rejected_;
        SendMeasurement(current_);
      } else if (state_ == State::kAwaitStartReply) {
        state_ = State::kIdle;
      }
      return;
    default:
      return;
  }
}

void SimInstrument::StartStream(SimMode format) {
  const int channels =
      std::clamp(options_.onlineChannels, 1, format == SimMode::kLineFormat ? 3 : 6);
  options_.onlineChannels = channels;
  streamFormat_ = format;
  Queue(format == SimMode::kLineFormat ? LineFormatHeader(channels, options_.intervalText)
                                       : FieldFormatHeader(channels, options_.intervalText));
  streamStartNs_ = NowNs();
  nextSequence_ = 0;
  state_ = State::kStreaming;
}

void SimInstrument::StreamIfStartUnanswered() {
  if (startAnsweredNs_ == 0 || state_ != State::kAwaitStartReply) return;
  if (NowNs() - startAnsweredNs_ < std::uint64_t{kAutoStreamDelayMs} * 1'000'000U) return;
  // The field-format host drops its first four lines unread, so the block start it received
  // becomes part of the first of them.
  startAnsweredNs_ = 0;
  StartStream(SimMode::kFieldFormat);
}

void SimInstrument::HandleHostFlush() {
  if (state_ != State::kStreaming) return;
  out_.clear();
  outPosition_ = 0;
  pendingRecords_.clear();
  state_ = State::kIdle;
}

void SimInstrument::QueueDueOnlineSets() {
  if (state_ != State::kStreaming || out_.size() - outPosition_ > 65536) return;
  const double elapsed = static_cast<double>(NowNs() - streamStartNs_) * 1e-9;
  auto due = static_cast<std::uint64_t>(elapsed * options_.onlineRate) + 1;
  if (options_.onlineCount != 0) due = std::min(due, options_.onlineCount);
  std::string text;
  const std::uint64_t queuedEnd = bytesSent_.load() + (out_.size() - outPosition_);
  while (nextSequence_ < due && text.size() < 65536) {
    const StreamSet set = options_.onlineCounting
                              ? CountingSet(options_.onlineChannels, nextSequence_)
                              : MachineCycleSet(options_.onlineChannels, nextSequence_,
                                                options_.onlineRate, options_.seed);
    const std::string record =
        streamFormat_ == SimMode::kLineFormat ? LineFormatRecord(set) : FieldFormatRecord(set);
    text += record;
    if (sendLog_ != nullptr) {
      pendingRecords_.push_back({queuedEnd + text.size(), record.substr(0, record.size() - 2)});
    }
    ++nextSequence_;
  }
  if (!text.empty()) {
    Queue(text);
    onlineSent_.store(nextSequence_);
  }
}

void SimInstrument::QueueNextLegacyMeasurement() {
  if (options_.mode != SimMode::kLegacy || legacyNext_ >= options_.legacyMeasurements.size() ||
      outPosition_ < out_.size()) {
    return;
  }
  // The instrument pauses after each measurement's data, so that the host's chunk read ends
  // on the end marker before the next header comes.
  const std::uint64_t now = NowNs();
  if (legacyQuietSinceNs_ == 0) legacyQuietSinceNs_ = now;
  if (now - legacyQuietSinceNs_ < 60'000'000U && legacyNext_ > 0) return;
  Queue(EncodeLegacyMeasurement(options_.legacyMeasurements[legacyNext_]));
  ++legacyNext_;
  legacyQuietSinceNs_ = 0;
}

bool SimInstrument::Flush(int fd) {
  while (outPosition_ < out_.size()) {
    std::size_t size = out_.size() - outPosition_;
    const std::uint64_t sent = bytesSent_.load();
    if (options_.muteAfterBytes >= 0) {
      const auto limit = static_cast<std::uint64_t>(options_.muteAfterBytes);
      if (sent >= limit) {
        outPosition_ = out_.size();
        if (state_ == State::kSending) state_ = State::kAwaitReply;
        return true;
      }
      size = std::min<std::size_t>(size, limit - sent);
    }
    if (options_.silenceAfterBytes >= 0 && !silenceUsed_) {
      const auto limit = static_cast<std::uint64_t>(options_.silenceAfterBytes);
      if (sent >= limit) {
        // Fall silent for the rest of this send; the host's time-out rejects it.
        silenceUsed_ = true;
        outPosition_ = out_.size();
        if (state_ == State::kSending) state_ = State::kAwaitReply;
        return true;
      }
      size = std::min<std::size_t>(size, limit - sent);
    }
    const ssize_t put = ::write(fd, out_.data() + outPosition_, size);
    if (put < 0) {
      if (errno == EAGAIN || errno == EINTR) return true;
      return errno == EIO;  // nobody has the terminal open right now
    }
    outPosition_ += static_cast<std::size_t>(put);
    bytesSent_ += static_cast<std::uint64_t>(put);
    LogSentRecords();
  }
  if (state_ == State::kSending) state_ = State::kAwaitReply;
  return true;
}

void SimInstrument::LogSentRecords() {
  if (sendLog_ == nullptr || pendingRecords_.empty()) return;
  const std::uint64_t sent = bytesSent_.load();
  const std::uint64_t now = NowNs();
  while (!pendingRecords_.empty() && pendingRecords_.front().end <= sent) {
    std::fprintf(sendLog_.get(), "%llu %s\n", static_cast<unsigned long long>(now),
                 pendingRecords_.front().text.c_str());
    pendingRecords_.pop_front();
  }
  std::fflush(sendLog_.get());
}

int SimInstrument::Run(int fd, const std::atomic<bool>& stop) {
  if (!options_.sendLogPath.empty()) {
    sendLog_.reset(std::fopen(options_.sendLogPath.c_str(), "w"));
    if (sendLog_ == nullptr) return 1;
  }
  std::uint8_t input[4096];
  // Packet mode reports the host's flushes (its port opening) as control bytes.
  int packet = 1;
  const bool packetMode = ::ioctl(fd, TIOCPKT, &packet) == 0;
  while (!stop.load()) {
    StreamIfStartUnanswered();
    QueueDueOnlineSets();
    QueueNextLegacyMeasurement();
    const bool pending = outPosition_ < out_.size();
    pollfd poller{fd, static_cast<short>(POLLIN | (pending ? POLLOUT : 0)), 0};
    const int timeout = state_ == State::kStreaming || startAnsweredNs_ != 0 ? 1 : 20;
    const int ready = ::poll(&poller, 1, timeout);
    if (ready < 0 && errno != EINTR) return 1;
    if (ready <= 0) continue;
    if ((poller.revents & POLLIN) != 0) {
      const ssize_t got = ::read(fd, input, sizeof input);
      ssize_t first = 0;
      if (packetMode && got > 0) {
        first = 1;
        if (input[0] != TIOCPKT_DATA &&
            (input[0] & (TIOCPKT_FLUSHREAD | TIOCPKT_FLUSHWRITE)) != 0) {
          HandleHostFlush();
        }
      }
      for (ssize_t i = first; i < got; ++i) HandleByte(input[i]);
    }
    if ((poller.revents & POLLOUT) != 0 && !Flush(fd)) return 1;
    if ((poller.revents & (POLLHUP | POLLERR)) != 0 && (poller.revents & POLLIN) == 0) {
      // No slave open at the moment: wait for the next one without spinning.
      ::poll(nullptr, 0, 10);
    }
  }
  return 0;
}

}  // namespace vantrel::sim
