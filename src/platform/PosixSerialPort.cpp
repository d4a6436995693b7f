// termios + poll implementation of the serial port. Reads are served from a read-ahead
// buffer, so byte-by-byte protocol reads cost no system call per byte.
#include "platform/PosixSerialPort.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <string_view>
#include <utility>

namespace vantrel::platform {
namespace {

using Clock = std::chrono::steady_clock;

speed_t SpeedFor(int baudRate) {
  switch (baudRate) {
    case 300:
      return B300;
    case 600:
      return B600;
    case 1200:
      return B1200;
    case 2400:
      return B2400;
    case 4800:
      return B4800;
    case 9600:
      return B9600;
    case 19200:
      return B19200;
    case 38400:
      return B38400;
    case 57600:
      return B57600;
    case 115200:
      return B115200;
    case 230400:
      return B230400;
    default:
      return B0;
  }
}

/// Milliseconds left until `deadline`, rounded up, at least 0.
int MillisecondsUntil(Clock::time_point deadline) {
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
  return static_cast<int>(std::max<long long>(0, left.count()));
}

}  // namespace

std::unique_ptr<PosixSerialPort> PosixSerialPort::Open(const std::string& devicePath, int* error) {
  const int fd = ::open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (error != nullptr) *error = errno;
    return nullptr;
  }
  // Exclusive use, as the link opens its port without sharing. Refused by some devices
  // (plain files in tests): not fatal, as long as the descriptor is a terminal.
  if (::isatty(fd) == 0) {
    if (error != nullptr) *error = ENOTTY;
    ::close(fd);
    return nullptr;
  }
  ::ioctl(fd, TIOCEXCL);
  const int wakeFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  if (wakeFd < 0) {
    if (error != nullptr) *error = errno;
    ::close(fd);
    return nullptr;
  }
  ::tcflush(fd, TCIOFLUSH);
  return std::unique_ptr<PosixSerialPort>(new PosixSerialPort(fd, wakeFd));
}

PosixSerialPort::OpenFailure PosixSerialPort::ClassifyOpenError(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
      return OpenFailure::kNoPermission;
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case ENOTDIR:
      return OpenFailure::kNoDevice;
    case EBUSY:
      return OpenFailure::kBusy;
    case ENOTTY:
    case EISDIR:
      return OpenFailure::kNotSerial;
    default:
      return OpenFailure::kOther;
  }
}

std::string PosixSerialPort::DeviceGroup(const std::string& devicePath) {
  struct stat info {};
  if (::stat(devicePath.c_str(), &info) != 0) return {};
  std::vector<char> buffer(16384);
  struct group entry {};
  struct group* found = nullptr;
  if (::getgrgid_r(info.st_gid, &entry, buffer.data(), buffer.size(), &found) != 0 ||
      found == nullptr || found->gr_name == nullptr) {
    return {};
  }
  return found->gr_name;
}

std::vector<std::string> PosixSerialPort::PresentDevices(
    const std::filesystem::path& devDirectory) {
  static constexpr std::string_view kKinds[] = {"ttyS", "ttyUSB", "ttyACM"};
  struct Found {
    std::size_t kind;
    unsigned long number;
    std::string path;
  };
  std::vector<Found> found;
  std::error_code error;
  for (std::filesystem::directory_iterator it(devDirectory, error), end; !error && it != end;
       it.increment(error)) {
    const std::string name = it->path().filename().string();
    for (std::size_t kind = 0; kind < std::size(kKinds); ++kind) {
      const std::string_view prefix = kKinds[kind];
      if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
      const std::string digits = name.substr(prefix.size());
      if (digits.size() > 6 || digits.find_first_not_of("0123456789") != std::string::npos) {
        continue;
      }
      found.push_back({kind, std::stoul(digits), it->path().string()});
    }
  }
  std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
    return a.kind != b.kind ? a.kind < b.kind : a.number < b.number;
  });
  std::vector<std::string> paths;
  for (Found& f : found) paths.push_back(std::move(f.path));
  return paths;
}

PosixSerialPort::~PosixSerialPort() { Close(); }

PosixSerialPort::PosixSerialPort(PosixSerialPort&& other) noexcept { *this = std::move(other); }

PosixSerialPort& PosixSerialPort::operator=(PosixSerialPort&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = std::exchange(other.fd_, -1);
    wakeFd_ = std::exchange(other.wakeFd_, -1);
    timeouts_ = other.timeouts_;
    pending_ = other.pending_;
    pendingStart_ = std::exchange(other.pendingStart_, 0);
    pendingEnd_ = std::exchange(other.pendingEnd_, 0);
  }
  return *this;
}

bool PosixSerialPort::Close() {
  bool ok = true;
  if (fd_ >= 0) {
    ::ioctl(fd_, TIOCNXCL);
    ok = ::close(fd_) == 0;
    fd_ = -1;
  }
  if (wakeFd_ >= 0) {
    ::close(wakeFd_);
    wakeFd_ = -1;
  }
  pendingStart_ = pendingEnd_ = 0;
  return ok;
}

bool PosixSerialPort::ConfigurePort(int baudRate) {
  if (fd_ < 0) return false;
  const speed_t speed = SpeedFor(baudRate);
  if (speed == B0) return false;
  termios settings{};
  if (::tcgetattr(fd_, &settings) != 0) return false;
  // Raw bytes: no line editing, echo, signals or character translation (binary mode, no
  // parity checking, no null stripping).
  settings.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR |
                                             ICRNL | INPCK | IXON | IXANY);
  settings.c_oflag &= ~static_cast<tcflag_t>(OPOST);
  settings.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
  // 8 data bits, no parity, one stop bit; the receiver on, modem lines honoured.
  settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CLOCAL);
  settings.c_cflag |= CS8 | CREAD;
  // Flow control: XON/XOFF for what we receive (IXOFF), none for what we send (IXON and
  // hardware flow control off). termios cannot express the link's "DTR/RTS handshake"
  // control modes nor "DSR sensitivity"; the lines stay as the driver drives them, and
  // "continue sending after XOFF" is moot without output flow control.
  settings.c_iflag |= IXOFF;
  settings.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
  settings.c_cc[VMIN] = 0;
  settings.c_cc[VTIME] = 0;
  if (::cfsetispeed(&settings, speed) != 0 || ::cfsetospeed(&settings, speed) != 0) return false;
  return ::tcsetattr(fd_, TCSANOW, &settings) == 0;
}

bool PosixSerialPort::SetTimeouts(const SerialTimeouts& timeouts) {
  if (fd_ < 0) return false;
  timeouts_ = timeouts;
  return true;
}

bool PosixSerialPort::Fill() {
  if (pendingStart_ == pendingEnd_) pendingStart_ = pendingEnd_ = 0;
  if (pendingEnd_ == pending_.size()) {
    std::memmove(pending_.data(), pending_.data() + pendingStart_, pendingEnd_ - pendingStart_);
    pendingEnd_ -= pendingStart_;
    pendingStart_ = 0;
  }
  const ssize_t got = ::read(fd_, pending_.data() + pendingEnd_, pending_.size() - pendingEnd_);
  if (got > 0) {
    pendingEnd_ += static_cast<std::size_t>(got);
    return true;
  }
  return got < 0 && (errno == EAGAIN || errno == EINTR);
}

ReadResult PosixSerialPort::Read(std::uint8_t* buffer, std::size_t size) {
  ReadResult result;
  if (fd_ < 0 || size == 0) return result;
  const auto start = Clock::now();
  const std::uint64_t total = static_cast<std::uint64_t>(timeouts_.readTotalMultiplier) * size +
                              timeouts_.readTotalConstant;
  const bool hasTotal = total != 0;
  const auto totalDeadline = start + std::chrono::milliseconds(total);
  auto lastByte = start;

  for (;;) {
    const std::size_t available = pendingEnd_ - pendingStart_;
    if (available > 0) {
      const std::size_t take = std::min(available, size - result.count);
      std::memcpy(buffer + result.count, pending_.data() + pendingStart_, take);
      pendingStart_ += take;
      result.count += take;
      lastByte = Clock::now();
      if (result.count == size) return result;
    }
    // Wait for more: the earlier of the total deadline and, once a byte came, the gap
    // allowed after the last byte; -1 waits without limit.
    int wait = -1;
    if (hasTotal) wait = MillisecondsUntil(totalDeadline);
    if (timeouts_.readInterval != 0 && result.count > 0) {
      const int gap =
          MillisecondsUntil(lastByte + std::chrono::milliseconds(timeouts_.readInterval));
      wait = wait < 0 ? gap : std::min(wait, gap);
    }
    pollfd fds[2] = {{fd_, POLLIN, 0}, {wakeFd_, POLLIN, 0}};
    const int ready = ::poll(fds, 2, wait);
    if (ready < 0) {
      if (errno == EINTR) continue;
      return result;
    }
    if ((fds[1].revents & POLLIN) != 0) {
      result.woken = true;
      return result;
    }
    if (ready == 0) return result;  // a time-out ended the read
    if (fds[0].revents != 0) {
      // End of file, an error, or a hang-up with nothing to read ends the read with what
      // came so far.
      const std::size_t before = pendingEnd_ - pendingStart_;
      const bool filled = Fill();
      if (!filled || ((fds[0].revents & POLLIN) == 0 && pendingEnd_ - pendingStart_ == before)) {
        return result;
      }
    }
  }
}

std::size_t PosixSerialPort::Write(const std::uint8_t* data, std::size_t size) {
  if (fd_ < 0) return 0;
  const std::uint64_t total = static_cast<std::uint64_t>(timeouts_.writeTotalMultiplier) * size +
                              timeouts_.writeTotalConstant;
  const auto deadline = Clock::now() + std::chrono::milliseconds(total);
  std::size_t written = 0;
  while (written < size) {
    const ssize_t put = ::write(fd_, data + written, size - written);
    if (put > 0) {
      written += static_cast<std::size_t>(put);
      continue;
    }
    if (put < 0 && errno != EAGAIN && errno != EINTR) break;
    pollfd out{fd_, POLLOUT, 0};
    const int wait = total != 0 ? MillisecondsUntil(deadline) : -1;
    if (total != 0 && wait == 0) break;
    if (::poll(&out, 1, wait) == 0) break;
  }
  return written;
}

void PosixSerialPort::Wake() {
  if (wakeFd_ < 0) return;
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t put = ::write(wakeFd_, &one, sizeof one);
}

void PosixSerialPort::ClearWake() {
  if (wakeFd_ < 0) return;
  std::uint64_t value = 0;
  [[maybe_unused]] const ssize_t got = ::read(wakeFd_, &value, sizeof value);
}

void PosixSerialPort::DiscardInput() {
  pendingStart_ = pendingEnd_ = 0;
  if (fd_ >= 0) ::tcflush(fd_, TCIFLUSH);
}

}  // namespace vantrel::platform
