#include <gtest/gtest.h>

#include <fstream>

#include "TempFolder.h"
#include "app/ProductInfo.h"
#include "platform/Strings.h"

namespace vantrel::app {
namespace {

const std::string kComplete =
    "[Application]\nName=Brand\nVersion=5.1\nxVersion=5.1.2\noldVersion=3.0\n"
    "[Manufacturer]\nName=Maker\nDevision=Div\nStreet=Str\nTown=Town\nTelephone=Tel\nFax=Fax\n"
    "[Device]\nName=Gauge\n";

void WriteInfo(const std::filesystem::path& folder, const std::string& text) {
  std::ofstream out(folder / "mvdl4.ini", std::ios::binary);
  out << text;
}

std::string Without(std::string text, const std::string& line) {
  text.erase(text.find(line), line.size());
  return text;
}

TEST(ProductInfo, FileCopiedNextToTheProgramsNamesTheProductAndItsMaker) {
  const std::filesystem::path resources = std::filesystem::path(VANTREL_BINARY_DIR) / "bin";
  ProductInfo info;
  ASSERT_TRUE(ReadProductInfo(resources, info));
  EXPECT_EQ(info.applicationName, u"Vantrel");
  EXPECT_EQ(info.version, u"4.0");
  EXPECT_EQ(info.oldVersion, u"2.0");
  EXPECT_EQ(info.deviceName, u"Trevanometrix");
  EXPECT_FALSE(info.manufacturerName.empty());
  EXPECT_EQ(info.infoFilePath, resources / "mvdl4.ini");
  EXPECT_EQ(info.Names().maker, info.manufacturerName);
}

TEST(ProductInfo, ReadsEveryKeyIntoItsField) {
  testing::TempFolder folder;
  WriteInfo(folder.Path(), kComplete);
  ProductInfo info;
  ASSERT_TRUE(ReadProductInfo(folder.Path(), info));
  const std::u16string fields[] = {
      info.applicationName,  info.version,  info.extendedVersion, info.oldVersion,
      info.manufacturerName, info.division, info.street,          info.town,
      info.telephone,        info.fax,      info.deviceName};
  const std::u16string expected[] = {u"Brand", u"5.1",  u"5.1.2", u"3.0", u"Maker", u"Div",
                                     u"Str",   u"Town", u"Tel",   u"Fax", u"Gauge"};
  for (std::size_t i = 0; i < std::size(fields); ++i) EXPECT_EQ(fields[i], expected[i]) << i;
  const ProductNames names = info.Names();
  EXPECT_EQ(names.applicationName, u"Brand");
  EXPECT_EQ(names.version, u"5.1");
  EXPECT_EQ(names.oldVersion, u"3.0");
  EXPECT_EQ(names.deviceName, u"Gauge");
  EXPECT_EQ(names.maker, u"Maker");
}

TEST(ProductInfo, AMissingOrEmptyRequiredKeyMakesReadingFail) {
  const struct {
    const char* name;
    std::string text;
  } cases[] = {
      {"no file", ""},
      {"no application name", Without(kComplete, "Name=Brand\n")},
      {"no version", Without(kComplete, "Version=5.1\n")},
      {"no extended version", Without(kComplete, "xVersion=5.1.2\n")},
      {"no maker", Without(kComplete, "Name=Maker\n")},
      {"empty device name", Without(kComplete, "Gauge")},
      {"blank device name", Without(kComplete, "Gauge") + "Name=   \n"},
      {"device name in another section", Without(kComplete, "[Device]\n")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    testing::TempFolder folder;
    if (!c.text.empty()) WriteInfo(folder.Path(), c.text);
    ProductInfo info;
    EXPECT_FALSE(ReadProductInfo(folder.Path(), info));
  }
}

TEST(ProductInfo, OptionalKeysMayBeMissing) {
  testing::TempFolder folder;
  std::string text = kComplete;
  for (const char* line : {"oldVersion=3.0\n", "Devision=Div\n", "Street=Str\n", "Town=Town\n",
                           "Telephone=Tel\n", "Fax=Fax\n"}) {
    text = Without(text, line);
  }
  WriteInfo(folder.Path(), text);
  ProductInfo info;
  ASSERT_TRUE(ReadProductInfo(folder.Path(), info));
  EXPECT_EQ(info.fax, u"");
  EXPECT_EQ(info.oldVersion, u"");
  EXPECT_EQ(info.Names().oldVersion, u"2.0");  // the placeholder stays as it is
}

TEST(ProductInfo, ValuesAreCutTo255Characters) {
  testing::TempFolder folder;
  std::string text = kComplete;
  text.replace(text.find("Town=Town"), 9, "Town=" + std::string(300, 't'));
  WriteInfo(folder.Path(), text);
  ProductInfo info;
  ASSERT_TRUE(ReadProductInfo(folder.Path(), info));
  EXPECT_EQ(info.town, std::u16string(255, u't'));
}

TEST(PortSettings, WithoutStoredValuesThePortIsCom1At1200Baud) {
  testing::TempFolder folder;
  const ProfileStore profile(folder.Path() / "p.ini");
  EXPECT_EQ(GetPortNumber(profile), 1);
  EXPECT_EQ(GetBaudRate(profile), 1200);
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "p.ini"));  // reading writes nothing
}

TEST(PortSettings, SettersWriteTheCommSectionAtOnce) {
  testing::TempFolder folder;
  ProfileStore profile(folder.Path() / "p.ini");
  ASSERT_TRUE(SetPortNumber(profile, 3));
  EXPECT_FALSE(ProfileStore(folder.Path() / "p.ini").HasValue("Comm", "Baud-Rate"));
  ASSERT_TRUE(SetBaudRate(profile, 19200));
  const ProfileStore reread(folder.Path() / "p.ini");
  EXPECT_EQ(GetPortNumber(reread), 3);
  EXPECT_EQ(GetBaudRate(reread), 19200);
  EXPECT_EQ(reread.GetProfileString("Comm", "Baud-Rate", u""), u"19200");

  // Both together, or neither when the profile cannot be written.
  ASSERT_TRUE(SetPortSettings(profile, 5, 9600));
  EXPECT_EQ(GetPortNumber(ProfileStore(folder.Path() / "p.ini")), 5);
  EXPECT_EQ(GetBaudRate(ProfileStore(folder.Path() / "p.ini")), 9600);
  ProfileStore blocked(folder.Path() / "folder.ini");
  std::filesystem::create_directories(folder.Path() / "folder.ini");
  EXPECT_FALSE(SetPortSettings(blocked, 7, 2400));
  EXPECT_EQ(GetPortNumber(blocked), 1);
  EXPECT_EQ(GetBaudRate(blocked), 1200);
}

TEST(PortSettings, GarbageStoredValuesGiveTheDefaults) {
  testing::TempFolder folder;
  ProfileStore profile(folder.Path() / "p.ini");
  ASSERT_TRUE(profile.WriteProfileValues(
      "Comm", {{"Port", std::u16string(u"x")}, {"Baud-Rate", std::u16string(u"")}}));
  EXPECT_EQ(GetPortNumber(profile), 1);
  EXPECT_EQ(GetBaudRate(profile), 1200);
}

}  // namespace
}  // namespace vantrel::app
