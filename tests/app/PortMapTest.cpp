#include <gtest/gtest.h>

#include <fstream>

#include "ExpectMessage.h"
#include "TempFolder.h"
#include "app/PortMap.h"
#include "platform/Error.h"

namespace vantrel::app {
namespace {

int ErrorIdOf(const PortMap& map, int number) {
  return testing::MessageIdOf([&] { map.DevicePath(number); }).value_or(0);
}

TEST(PortMap, NumbersMapToSerialUsbAndAcmDevices) {
  const struct {
    int number;
    const char* device;
  } cases[] = {{1, "/dev/ttyS0"},     {32, "/dev/ttyS31"},  {33, "/dev/ttyUSB0"},
               {64, "/dev/ttyUSB31"}, {65, "/dev/ttyACM0"}, {96, "/dev/ttyACM31"}};
  const PortMap map;
  for (const auto& c : cases) EXPECT_EQ(map.DevicePath(c.number), c.device) << c.number;
}

TEST(PortMap, NumbersWithoutADeviceAreThePortError) {
  const PortMap map;
  for (int number : {0, -1, 97, 255, 256}) {
    EXPECT_EQ(ErrorIdOf(map, number), ids::kMsgPortFailed) << number;
  }
}

TEST(PortMap, RunOverridesBeatProfileOverridesBeatTheDefault) {
  testing::TempFolder folder;
  ProfileStore profile(folder.Path() / "p.ini");
  ASSERT_TRUE(profile.WriteProfileValues("Comm", {{"COM2", std::u16string(u"/dev/pts/7")},
                                                  {"COM3", std::u16string(u"/dev/pts/8")},
                                                  {"COM200", std::u16string(u"/dev/pts/9")},
                                                  {"COM4", std::u16string(u"")}}));
  PortMap map = PortMap::FromProfile(profile);
  ASSERT_TRUE(map.SetOverride(3, "/dev/run3"));
  EXPECT_EQ(map.DevicePath(1), "/dev/ttyS0");
  EXPECT_EQ(map.DevicePath(2), "/dev/pts/7");
  EXPECT_EQ(map.DevicePath(3), "/dev/run3");
  EXPECT_EQ(map.DevicePath(4), "/dev/ttyS3");  // an empty override is no override
  EXPECT_EQ(map.DevicePath(200), "/dev/pts/9");
}

TEST(PortMap, MapOptionsNeedANumberInRangeAndAPath) {
  const struct {
    const char* option;
    bool accepted;
  } cases[] = {
      {"5=/dev/x", true}, {"COM6=/dev/y", true}, {"255=/dev/z", true},     {"=/dev/x", false},
      {"5=", false},      {"x=/dev/x", false},   {"0=/dev/x", false},      {"256=/dev/x", false},
      {"5", false},       {"-1=/dev/x", false},  {"99999999999=/x", false}};
  for (const auto& c : cases) {
    PortMap map;
    EXPECT_EQ(map.AddOverride(c.option), c.accepted) << c.option;
  }
  PortMap map;
  ASSERT_TRUE(map.AddOverride("COM6=/dev/pts/3"));
  EXPECT_EQ(map.DevicePath(6), "/dev/pts/3");
}

TEST(PortMap, PortArgumentsAreNumbersNamesOrDevicePaths) {
  PortMap map;
  ASSERT_TRUE(map.SetOverride(2, "/dev/pts/5"));
  EXPECT_EQ(map.Resolve("2"), "/dev/pts/5");
  EXPECT_EQ(map.Resolve("COM34"), "/dev/ttyUSB1");
  EXPECT_EQ(map.Resolve("com1"), "/dev/ttyS0");
  EXPECT_EQ(map.Resolve("/dev/pts/11"), "/dev/pts/11");
  for (const char* bad : {"", "0", "97", "COM0", "99999999999"}) {
    EXPECT_THROW(map.Resolve(bad), platform::VantrelError) << bad;
  }
}

TEST(PortMap, PortNamesAreComAndTheNumber) {
  EXPECT_EQ(PortMap::PortName(1), u"COM1");
  EXPECT_EQ(PortMap::PortName(12), u"COM12");
}

TEST(PortMap, ListsThePresentDevicesWithTheNumbersThatReachThem) {
  testing::TempFolder folder;
  const std::filesystem::path dev = folder.Path() / "dev";
  std::filesystem::create_directories(dev);
  for (const char* name : {"ttyS0", "ttyUSB0", "ttyACM2", "ttyS40", "ttyUSB2"}) {
    std::ofstream((dev / name).string()) << "";
  }
  const std::string adapter = (folder.Path() / "adapter").string();
  std::ofstream(adapter) << "";
  PortMap map;
  ASSERT_TRUE(map.SetOverride(7, adapter));
  ASSERT_TRUE(map.SetOverride(120, (dev / "ttyS40").string()));         // beyond the default rule
  ASSERT_TRUE(map.SetOverride(35, (folder.Path() / "gone").string()));  // ttyUSB2 loses 35
  ASSERT_TRUE(map.SetOverride(4, (dev / "ttyUSB0").string()));          // lower than 33
  const std::vector<PortMap::PresentPort> expected = {
      {1, (dev / "ttyS0").string()},    {120, (dev / "ttyS40").string()},
      {4, (dev / "ttyUSB0").string()},  {0, (dev / "ttyUSB2").string()},
      {67, (dev / "ttyACM2").string()}, {7, adapter}};
  EXPECT_EQ(map.PresentPorts(dev), expected);
}

}  // namespace
}  // namespace vantrel::app
