// The message for a serial port that cannot be opened: the reason by error number and the
// detail each message names.
#include <gtest/gtest.h>

#include <cerrno>

#include "FakeTexts.h"
#include "instrument/CInstrumentLink.h"
#include "instrument/PortOpenMessage.h"

namespace vantrel::instrument {
namespace {

TEST(PortOpenMessage, NamesTheReasonAndWhatToDo) {
  const std::vector<std::string> present = {"/dev/ttyS0", "/dev/ttyUSB0"};
  struct Case {
    int error;
    std::string group;
    std::vector<std::string> present;
    int id;
    std::u16string argument;
  };
  const Case cases[] = {
      {EACCES, "dialout", present, kMsgPortNoPermissionGroup, u"dialout"},
      {EPERM, "uucp", present, kMsgPortNoPermissionGroup, u"uucp"},
      {EACCES, "", present, kMsgPortNoPermission, u"/dev/ttyUSB3"},
      {EACCES, "root", present, kMsgPortNoPermission, u"/dev/ttyUSB3"},
      {ENOENT, "", present, kMsgPortNoDevice, u"/dev/ttyS0, /dev/ttyUSB0"},
      {ENXIO, "", {"/dev/ttyACM0"}, kMsgPortNoDevice, u"/dev/ttyACM0"},
      {ENOENT, "", {}, kMsgPortNoDeviceAtAll, u"/dev/ttyUSB3"},
      {EBUSY, "dialout", present, kMsgPortBusy, u"/dev/ttyUSB3"},
      {ENOTTY, "", present, kMsgPortNotSerial, u"/dev/ttyUSB3"},
      {EIO, "dialout", present, kMsgPortFailed, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.error);
    const PortMessage message = PortOpenMessage("/dev/ttyUSB3", c.error, c.group, c.present);
    EXPECT_EQ(message.id, c.id);
    EXPECT_EQ(message.argument, c.argument);
  }
}

TEST(PortOpenMessage, TheLinkAsksWithTheReasonItsOpenerReports) {
  struct Case {
    int error;
    int id;
  };
  for (const Case& c : {Case{EACCES, kMsgPortNoPermission}, Case{EBUSY, kMsgPortBusy},
                        Case{ENOTTY, kMsgPortNotSerial}, Case{0, kMsgPortFailed}}) {
    SCOPED_TRACE(c.error);
    testing::ScriptedMessages messages;
    CInstrumentLink link(&messages, [&c](const std::string&, int* error) {
      *error = c.error;
      return std::unique_ptr<platform::SerialPort>();
    });
    link.SetPortSettings("/nonexistent/ttyUSB9", 9600);
    EXPECT_FALSE(link.Open(0));
    EXPECT_EQ(messages.asked, std::vector<int>{c.id});
  }
  // A path that does not exist, opened for real.
  testing::ScriptedMessages messages;
  CInstrumentLink link(&messages);
  link.SetPortSettings("/nonexistent/ttyUSB9", 9600);
  EXPECT_FALSE(link.Open(0));
  ASSERT_EQ(messages.asked.size(), 1U);
  EXPECT_TRUE(messages.asked[0] == kMsgPortNoDevice || messages.asked[0] == kMsgPortNoDeviceAtAll)
      << messages.asked[0];
}

}  // namespace
}  // namespace vantrel::instrument
