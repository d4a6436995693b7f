// Time-out semantics of the POSIX serial port, over a real pseudo-terminal.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <thread>

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
    EXPECT_GE(elapsed, c.expectedMs - 5);
    EXPECT_LT(elapsed, c.expectedMs + 150);
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
  EXPECT_LT(TimedRead(4, &result), 500);
  EXPECT_EQ(result.count, 4U);
  TimedRead(6, &result);
  EXPECT_EQ(result.count, 6U);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer_), 6), "456789");
}

TEST_F(PosixSerialPortTest, IntervalTimeoutStartsOnlyAfterTheFirstByte) {
  ASSERT_TRUE(port_->SetTimeouts({60, 0, 0, 0, 100}));
  std::thread peer([this] {
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    PeerWrite("xy");
  });
  ReadResult result;
  const long long elapsed = TimedRead(10, &result);
  peer.join();
  EXPECT_EQ(result.count, 2U);
  // The wait for the first byte is unlimited; then 60 ms of silence end the read.
  EXPECT_GE(elapsed, 300);
  EXPECT_LT(elapsed, 600);
}

TEST_F(PosixSerialPortTest, WakeEndsAReadThatHasNoTimeoutAndStaysUntilCleared) {
  ASSERT_TRUE(port_->SetTimeouts({0, 0, 0, 0, 100}));
  std::thread waker([this] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    port_->Wake();
  });
  ReadResult result;
  const long long elapsed = TimedRead(1, &result);
  waker.join();
  EXPECT_TRUE(result.woken);
  EXPECT_LT(elapsed, 2000);
  EXPECT_TRUE(port_->Read(buffer_, 1).woken);
  port_->ClearWake();
  ASSERT_TRUE(port_->SetTimeouts({0, 0, 50, 0, 100}));
  EXPECT_FALSE(port_->Read(buffer_, 1).woken);
}

TEST_F(PosixSerialPortTest, WriteReachesThePeer) {
  ASSERT_TRUE(port_->SetTimeouts({0, 0, 100, 0, 100}));
  const std::uint8_t bytes[] = {0x06, 0x16, '*'};
  EXPECT_EQ(port_->Write(bytes, 3), 3U);
  std::uint8_t got[3] = {};
  for (int i = 0; i < 50 && ::read(terminal_->MasterFd(), got, 3) != 3; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(std::memcmp(got, bytes, 3), 0);
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
