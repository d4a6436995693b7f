// Port primitives, handshakes, port check and auto-configuration of the instrument link.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "FakeTexts.h"
#include "PollUntil.h"
#include "PseudoTerminal.h"
#include "SimHarness.h"
#include "instrument/CInstrumentLink.h"
#include "instrument/InstrumentSetup.h"

namespace vantrel::instrument {
namespace {

using platform::Answer;
using testing::ScriptedMessages;

/// Reads what the link sent until `want` bytes are there (or the patience runs out).
std::string ReadPeer(int fd, std::size_t want) {
  std::string got;
  char buffer[64];
  testing::PollUntil([&] { return got.size() >= want; },
                     [&] {
                       const ssize_t n = ::read(fd, buffer, sizeof buffer);
                       if (n > 0) got.append(buffer, static_cast<std::size_t>(n));
                     });
  return got;
}

TEST(CInstrumentLink, ConnectHandshakeAcceptsBInEitherCaseAndAnswersOk) {
  struct Case {
    char reply;
    bool accepted;
    const char* peerSees;
  };
  for (const Case& c : {Case{'B', true, "AOK"}, Case{'b', true, "AOK"}, Case{'A', false, "A"}}) {
    SCOPED_TRACE(c.reply);
    auto terminal = sim::PseudoTerminal::Open();
    ASSERT_NE(terminal, nullptr);
    CInstrumentLink link(nullptr);
    std::thread peer([&] {
      ReadPeer(terminal->MasterFd(), 1);
      ASSERT_EQ(::write(terminal->MasterFd(), &c.reply, 1), 1);
    });
    const bool accepted = link.ConnectHandshake(terminal->SlavePath(), 9600);
    peer.join();
    EXPECT_EQ(accepted, c.accepted);
    EXPECT_EQ(link.State(), c.accepted ? kStateIdle : kStateConnectHandshake);
    EXPECT_EQ(ReadPeer(terminal->MasterFd(), c.accepted ? 2 : 0), c.accepted ? "OK" : "");
    link.Close();
    EXPECT_EQ(link.State(), kStateClosed);
  }
}

TEST(CInstrumentLink, SilentPeerFailsTheHandshakeAfterItsTimeout) {
  auto terminal = sim::PseudoTerminal::Open();
  ASSERT_NE(terminal, nullptr);
  CInstrumentLink link(nullptr);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(link.ConnectHandshake(terminal->SlavePath(), 1200));
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(950));
  EXPECT_EQ(link.BytesRead(), 0U);
}

TEST(CInstrumentLink, CloseOnAClosedLinkDoesNothing) {
  CInstrumentLink link(nullptr);
  link.Close();
  link.Close();
  EXPECT_EQ(link.State(), kStateClosed);
  EXPECT_FALSE(link.Read());
  EXPECT_FALSE(link.SendReply(true));
}

TEST(CInstrumentLink, OpenAsksRetryOrCancelOnEveryFailure) {
  ScriptedMessages messages;
  messages.answers = {Answer::Retry, Answer::Retry, Answer::Cancel};
  int opens = 0;
  CInstrumentLink link(&messages, [&opens](const std::string&, int*) {
    ++opens;
    return std::unique_ptr<platform::SerialPort>();
  });
  link.SetPortSettings("/dev/nowhere", 1200);
  EXPECT_FALSE(link.Open(0));
  EXPECT_EQ(opens, 3);
  EXPECT_EQ(messages.asked, (std::vector<int>{kMsgPortFailed, kMsgPortFailed, kMsgPortFailed}));
  EXPECT_EQ(link.State(), kStateClosed);
}

TEST(CInstrumentLink, OpenRefusesAnUnknownBaudRateAndClosesThePort) {
  auto terminal = sim::PseudoTerminal::Open();
  ASSERT_NE(terminal, nullptr);
  ScriptedMessages messages;
  CInstrumentLink link(&messages);
  link.SetPortSettings(terminal->SlavePath(), 1234);
  EXPECT_FALSE(link.Open(0));
  EXPECT_EQ(messages.asked, std::vector<int>{kMsgPortFailed});
  EXPECT_FALSE(link.IsOpen());
}

TEST(InstrumentSetup, PortCheckReportsWhetherTheInstrumentAnswers) {
  for (const char hello : {'A', 'a', 'B'}) {
    SCOPED_TRACE(hello);
    sim::SimOptions options;
    options.hello = hello;
    sim::SimHarness harness(options);
    ASSERT_TRUE(harness.Ready());
    CInstrumentLink link(nullptr);
    link.SetPortSettings(harness.Path(), 4800);
    EXPECT_EQ(CheckPort(link), hello == 'B' ? kStrCheckNoAnswer : kStrCheckAnswered);
    EXPECT_EQ(link.State(), kStateClosed);
  }
}

/// A port that answers the connect byte with "B" only at one baud rate.
class FakeInstrumentPort final : public platform::SerialPort {
 public:
  explicit FakeInstrumentPort(int answersAt) : answersAt_(answersAt) {}
  bool ConfigurePort(int baudRate) override {
    baud_ = baudRate;
    return true;
  }
  bool SetTimeouts(const platform::SerialTimeouts& timeouts) override {
    timeouts_ = timeouts;
    return true;
  }
  platform::SerialTimeouts GetTimeouts() const override { return timeouts_; }
  platform::ReadResult Read(std::uint8_t* buffer, std::size_t size) override {
    if (!asked_ || baud_ != answersAt_ || size == 0) return {};
    asked_ = false;
    buffer[0] = 'B';
    return {1, false};
  }
  std::size_t Write(const std::uint8_t* data, std::size_t size) override {
    if (size == 1 && data[0] == 'A') asked_ = true;
    return size;
  }
  void Wake() override {}
  void ClearWake() override {}
  void DiscardInput() override {}

 private:
  int answersAt_;
  int baud_ = 0;
  bool asked_ = false;
  platform::SerialTimeouts timeouts_;
};

TEST(InstrumentSetup, SearchFindsPortThreeAt9600AfterFifteenFailedTries) {
  CInstrumentLink link(nullptr,
                       [](const std::string& path, int*) -> std::unique_ptr<platform::SerialPort> {
                         if (path == "port1") return nullptr;  // cannot be opened: fails at once
                         return std::make_unique<FakeInstrumentPort>(path == "port3" ? 9600 : -1);
                       });
  std::vector<std::pair<int, int>> tries;
  const auto found = AutoConfigure(
      link, [](int port) { return "port" + std::to_string(port); },
      [&tries](int port, int baud) { tries.emplace_back(port, baud); });
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(found->portNumber, 3);
  EXPECT_EQ(found->baudRate, 9600);
  ASSERT_EQ(tries.size(), 16U);
  EXPECT_EQ(tries[6], std::make_pair(2, 1200));
  EXPECT_EQ(link.State(), kStateClosed);
  EXPECT_FALSE(AutoConfigure(link, [](int) { return std::string("port1"); }).has_value());
}

TEST(VantrelSim, ProgramServesAReadoutOnThePathItPrints) {
  const std::string command = std::string(VANTREL_BINARY_DIR) +
                              "/bin/vantrel-sim --count 2 --channels 2 --samples 10 --seconds 4";
  FILE* sim = ::popen(command.c_str(), "r");
  ASSERT_NE(sim, nullptr);
  char path[256] = {};
  ASSERT_NE(std::fgets(path, sizeof path, sim), nullptr);
  std::string device(path);
  device.erase(device.find_last_not_of("\r\n") + 1);
  ScriptedMessages messages;
  CInstrumentLink link(&messages);
  link.SetPortSettings(device, 38400);
  ASSERT_TRUE(link.Open(0));
  ReadoutList list;
  EXPECT_EQ(link.ReadMemory(list, {}), 2);
  EXPECT_EQ(list.At(1)->GetCurve(1)->GetSampleCount(), 10);
  link.Close();
  ::pclose(sim);
}

}  // namespace
}  // namespace vantrel::instrument
