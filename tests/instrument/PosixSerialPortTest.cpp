// Time-out semantics of the POSIX serial port, over a real pseudo-terminal; why a path
// cannot be opened, the owning group and the serial devices present.
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "PollUntil.h"
#include "PseudoTerminal.h"
#include "platform/PosixSerialPort.h"

namespace vantrel::platform {
namespace {

using Clock = std::chrono::steady_clock;

class PosixSerialPortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    terminal_ = sim::PseudoTerminal::Open();
    ASSERT_NE(terminal_, nullptr);
    port_ = PosixSerialPort::Open(terminal_->SlavePath());
    ASSERT_NE(port_, nullptr);
    ASSERT_TRUE(port_->ConfigurePort(38400));
  }
  void PeerWrite(const char* text) {
    ASSERT_EQ(::write(terminal_->MasterFd(), text, std::strlen(text)),
              static_cast<ssize_t>(std::strlen(text)));
  }
  /// Reads `size` bytes and returns the elapsed milliseconds.
  long long TimedRead(std::size_t size, ReadResult* result) {
    const auto start = Clock::now();
    *result = port_->Read(buffer_, size);
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
  }

  std::unique_ptr<sim::PseudoTerminal> terminal_;
  std::unique_ptr<PosixSerialPort> port_;
  std::uint8_t buffer_[64] = {};
};

TEST_F(PosixSerialPortTest, ReadWithTotalTimeoutGivesUpAfterMultiplierTimesCountPlusConstant) {
  struct Case {
    std::uint32_t multiplier, constant;
    std::size_t size;
    long long expectedMs;
  };
  for (const Case& c : {Case{0, 150, 4, 150}, Case{20, 0, 10, 200}, Case{10, 50, 5, 100}}) {
    SCOPED_TRACE(c.expectedMs);
    ASSERT_TRUE(port_->SetTimeouts({0, c.multiplier, c.constant, 0, 100}));
    ReadResult result;
    const long long elapsed = TimedRead(c.size, &result);
    EXPECT_EQ(result.count, 0U);
    EXPECT_FALSE(result.woken);
    EXPECT_GE(elapsed, c.expectedMs - 5);  // how late it may be is measured in bench/
  }
}

TEST_F(PosixSerialPortTest, ShortReadReportsHowManyBytesArrived) {
  ASSERT_TRUE(port_->SetTimeouts({0, 0, 150, 0, 100}));
  PeerWrite("abc");
  ReadResult result;
  TimedRead(10, &result);
  EXPECT_EQ(result.count, 3U);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer_), 3), "abc");
}

TEST_F(PosixSerialPortTest, CompleteReadReturnsAtOnceAndKeepsTheRestForTheNextRead) {
  ASSERT_TRUE(port_->SetTimeouts({0, 0, 2000, 0, 100}));
  PeerWrite("0123456789");
  ReadResult result;
  TimedRead(4, &result);
  EXPECT_EQ(result.count, 4U);
  EXPECT_FALSE(result.woken);
  TimedRead(6, &result);
  EXPECT_EQ(result.count, 6U);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer_), 6), "456789");
}

TEST_F(PosixSerialPortTest, IntervalTimeoutStartsOnlyAfterTheFirstByte) {
  ASSERT_TRUE(port_->SetTimeouts({60, 0, 0, 0, 100}));
  const pid_t reader = testing::ThisThreadId();
  const auto start = Clock::now();
  // The first bytes come when the read has waited longer than the interval time-out.
  std::thread peer([&] {
    EXPECT_TRUE(testing::PollUntil([&] {
      return testing::ThreadIsBlocked(reader) &&
             Clock::now() - start > std::chrono::milliseconds(250);
    }));
    PeerWrite("xy");
  });
  ReadResult result;
  const long long elapsed = TimedRead(10, &result);
  peer.join();
  EXPECT_EQ(result.count, 2U);
  // The wait for the first byte is unlimited; then 60 ms of silence end the read.
  EXPECT_GE(elapsed, 300);
}

TEST_F(PosixSerialPortTest, WakeEndsAReadThatHasNoTimeoutAndStaysUntilCleared) {
  ASSERT_TRUE(port_->SetTimeouts({0, 0, 0, 0, 100}));
  const pid_t reader = testing::ThisThreadId();
  std::thread waker([&] {
    EXPECT_TRUE(testing::PollUntil([&] { return testing::ThreadIsBlocked(reader); }));
    port_->Wake();
  });
  ReadResult result;
  TimedRead(1, &result);
  waker.join();
  EXPECT_TRUE(result.woken);
  EXPECT_TRUE(port_->Read(buffer_, 1).woken);
  port_->ClearWake();
  ASSERT_TRUE(port_->SetTimeouts({0, 0, 50, 0, 100}));
  EXPECT_FALSE(port_->Read(buffer_, 1).woken);
}

TEST_F(PosixSerialPortTest, WriteReachesThePeer) {
  ASSERT_TRUE(port_->SetTimeouts({0, 0, 100, 0, 100}));
  const std::uint8_t bytes[] = {0x06, 0x16, '*'};
  EXPECT_EQ(port_->Write(bytes, 3), 3U);
  std::string got;
  EXPECT_TRUE(testing::PollUntil([&] { return got.size() >= 3; },
                                 [&] {
                                   char part[3];
                                   const ssize_t n = ::read(terminal_->MasterFd(), part, 3);
                                   if (n > 0) got.append(part, static_cast<std::size_t>(n));
                                 }));
  EXPECT_EQ(got, std::string(reinterpret_cast<const char*>(bytes), 3));
}

TEST(PosixSerialPort, OpeningAMissingDeviceFailsWithItsError) {
  int error = 0;
  EXPECT_EQ(PosixSerialPort::Open("/dev/no-such-port", &error), nullptr);
  EXPECT_EQ(error, ENOENT);
}

TEST(PosixSerialPort, UnknownBaudRateIsRefused) {
  auto terminal = sim::PseudoTerminal::Open();
  ASSERT_NE(terminal, nullptr);
  auto port = PosixSerialPort::Open(terminal->SlavePath());
  ASSERT_NE(port, nullptr);
  EXPECT_FALSE(port->ConfigurePort(12345));
  EXPECT_TRUE(port->ConfigurePort(1200));
}

}  // namespace
}  // namespace vantrel::platform

namespace vantrel::platform {
namespace {

/// A fresh folder under the system's temporary folder, removed afterwards.
class ScratchFolder {
 public:
  ScratchFolder() {
    path_ = std::filesystem::temp_directory_path() /
            ("vantrel-serial-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() { std::filesystem::remove_all(path_); }
  const std::filesystem::path& Path() const { return path_; }
  std::string Touch(const std::string& name) const {
    std::ofstream((path_ / name).string()) << "";
    return (path_ / name).string();
  }

 private:
  std::filesystem::path path_;
};

TEST(PosixSerialPortOpen, ReportsWhyAPathCannotBeOpened) {
  ScratchFolder folder;
  const std::string file = folder.Touch("plain");
  const std::string fifo = (folder.Path() / "fifo").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  struct Case {
    std::string path;
    PosixSerialPort::OpenFailure failure;
  };
  const Case cases[] = {
      {(folder.Path() / "missing").string(), PosixSerialPort::OpenFailure::kNoDevice},
      {(folder.Path() / "plain" / "below").string(), PosixSerialPort::OpenFailure::kNoDevice},
      {file, PosixSerialPort::OpenFailure::kNotSerial},
      {fifo, PosixSerialPort::OpenFailure::kNotSerial},
      {folder.Path().string(), PosixSerialPort::OpenFailure::kNotSerial}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    int error = 0;
    EXPECT_EQ(PosixSerialPort::Open(c.path, &error), nullptr);
    EXPECT_EQ(PosixSerialPort::ClassifyOpenError(error), c.failure) << error;
  }
  EXPECT_EQ(PosixSerialPort::ClassifyOpenError(EACCES),
            PosixSerialPort::OpenFailure::kNoPermission);
  EXPECT_EQ(PosixSerialPort::ClassifyOpenError(EBUSY), PosixSerialPort::OpenFailure::kBusy);
  EXPECT_EQ(PosixSerialPort::ClassifyOpenError(EIO), PosixSerialPort::OpenFailure::kOther);
}

TEST(PosixSerialPortOpen, NamesTheGroupThatOwnsADevice) {
  ScratchFolder folder;
  const std::string file = folder.Touch("device");
  struct group* own = ::getgrgid(::getegid());
  ASSERT_NE(own, nullptr);
  EXPECT_EQ(PosixSerialPort::DeviceGroup(file), own->gr_name);
  EXPECT_EQ(PosixSerialPort::DeviceGroup((folder.Path() / "missing").string()), "");
}

TEST(PosixSerialPortOpen, ListsTheSerialDevicesPresentByKindAndNumber) {
  ScratchFolder folder;
  for (const char* name : {"ttyUSB1", "ttyS10", "ttyACM0", "ttyS2", "ttyUSB0", "ttyS0", "tty5",
                           "ttyUSBx", "ttyS", "console", "ttyACM01x"}) {
    folder.Touch(name);
  }
  std::vector<std::string> expected;
  for (const char* name : {"ttyS0", "ttyS2", "ttyS10", "ttyUSB0", "ttyUSB1", "ttyACM0"}) {
    expected.push_back((folder.Path() / name).string());
  }
  EXPECT_EQ(PosixSerialPort::PresentDevices(folder.Path()), expected);
  EXPECT_TRUE(PosixSerialPort::PresentDevices(folder.Path() / "missing").empty());
}

}  // namespace
}  // namespace vantrel::platform
