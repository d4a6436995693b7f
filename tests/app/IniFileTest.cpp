#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <optional>

#include "ExpectMessage.h"
#include "TempFolder.h"
#include "app/IniFile.h"
#include "platform/FileErrors.h"
#include "platform/Strings.h"

namespace vantrel::app {
namespace {

struct ReadCase {
  const char* name;
  std::string text;
  const char* section;
  const char* key;
  std::optional<std::u16string> expected;
};

TEST(IniFile, ReadsValuesTolerantOfLayoutEncodingAndCase) {
  const ReadCase cases[] = {
      {"plain", "[Comm]\nPort=3\n", "Comm", "Port", u"3"},
      {"section and key ignore case", "[comm]\nPORT=3\n", "Comm", "port", u"3"},
      {"blanks around key and value", "[Comm]\n  Port \t=  3  \n", "Comm", "Port", u"3"},
      {"CRLF lines", "[A]\r\nx=1\r\ny=2\r\n", "A", "y", u"2"},
      {"CR-only lines", "[A]\rx=1\ry=2", "A", "y", u"2"},
      {"byte order mark", "\xEF\xBB\xBF[A]\nx=1\n", "A", "x", u"1"},
      {"UTF-8 value",
       "[A]\nx=Stra\xC3\x9F"
       "e \xE2\x82\xAC\n",
       "A", "x", u"Stra\u00DFe \u20AC"},
      {"invalid UTF-8 does not stop reading", "[A]\nx=\xFF\ny=2\n", "A", "y", u"2"},
      {"matching double quotes removed", "[A]\nx=\" a \"\n", "A", "x", u" a "},
      {"matching single quotes removed", "[A]\nx='a'\n", "A", "x", u"a"},
      {"unmatched quote kept", "[A]\nx=\"a\n", "A", "x", u"\"a"},
      {"value holding '='", "[A]\nx=a=b\n", "A", "x", u"a=b"},
      {"empty value is stored", "[A]\nx=\n", "A", "x", u""},
      {"first of equal keys wins", "[A]\nx=1\nX=2\n", "A", "x", u"1"},
      {"first of equal sections wins", "[A]\ny=1\n[A]\nx=2\n", "A", "x", std::nullopt},
      {"comment is no key", "[A]\n;x=1\n#x=2\n", "A", "x", std::nullopt},
      {"malformed lines skipped", "[A]\ngarbage\n=5\nx=1\n", "A", "x", u"1"},
      {"header without bracket", "[A\nx=1\n", "A", "x", u"1"},
      {"keys before any section belong to none", "x=1\n[A]\n", "A", "x", std::nullopt},
      {"missing section", "[A]\nx=1\n", "B", "x", std::nullopt},
      {"no line end at the end", "[A]\nx=1", "A", "x", u"1"},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(IniFile::Parse(c.text).Get(c.section, c.key), c.expected);
  }
}

TEST(IniFile, IntegersFollowTheProfileParserAndGarbageGivesTheDefault) {
  const struct {
    const char16_t* text;
    int expected;
  } cases[] = {
      {u"12", 12},
      {u"  -5", -5},
      {u"+7", 7},
      {u"12abc", 12},
      {u"0x1F", 31},
      {u"2147483647", 2147483647},
      {u"-2147483648", -2147483647 - 1},
      {u"abc", 77},
      {u"", 77},
      {u"-", 77},
      {u"99999999999", 77},
      {u"2147483648", 77},
      {u"\u0661", 77},  // non-ASCII digits are no number
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(platform::ToUtf8(c.text));
    IniFile file;
    ASSERT_TRUE(file.SetString("A", "x", c.text));
    EXPECT_EQ(file.GetInt("A", "x", 77), c.expected);
  }
  EXPECT_EQ(IniFile().GetInt("A", "missing", 77), 77);
}

TEST(IniFile, WritingKeepsUnknownSectionsCommentsAndMalformedLines) {
  IniFile file = IniFile::Parse(
      "; profile\n[Other]\nkeep = this \ngarbage line\n\n[Comm]\n; port\nPort=1\n\n");
  ASSERT_TRUE(file.SetInt("comm", "port", 4));
  ASSERT_TRUE(file.SetInt("Comm", "Baud-Rate", 9600));
  ASSERT_TRUE(file.SetString("Einstellungen", "Druck", u"3"));
  EXPECT_EQ(file.Serialize(),
            "; profile\n[Other]\nkeep = this \ngarbage line\n\n[Comm]\n; port\nPort=4\n"
            "Baud-Rate=9600\n\n[Einstellungen]\nDruck=3\n");
}

TEST(IniFile, ValuesReadBackExactlyAsWritten) {
  const std::u16string values[] = {
      u"plain",    u"  padded ",      u"\"quoted\"", u"'single'",
      u"a = b",    u";not a comment", u"",           u"\u00C4\u20AC\U0001F600",
      u"C:\\dir\\"};
  for (const std::u16string& value : values) {
    IniFile file;
    ASSERT_TRUE(file.SetString("A", "x", value));
    EXPECT_EQ(IniFile::Parse(file.Serialize()).Get("A", "x"), value);
  }
}

TEST(IniFile, RefusesWhatWouldAddLinesOrBreakNames) {
  IniFile file = IniFile::Parse("[A]\nx=1\n");
  const std::string before = file.Serialize();
  EXPECT_FALSE(file.SetString("A", "x", u"1\n[Comm]\nPort=9"));
  EXPECT_FALSE(file.SetString("A", "x", u"a\rb"));
  EXPECT_FALSE(file.SetString("A", "x", std::u16string(u"a\0b", 3)));
  EXPECT_FALSE(file.SetString("A", "k=v", u"1"));
  EXPECT_FALSE(file.SetString("A", "", u"1"));
  EXPECT_FALSE(file.SetString("A", ";k", u"1"));
  EXPECT_FALSE(file.SetString("A]", "k", u"1"));
  EXPECT_FALSE(file.SetString("", "k", u"1"));
  EXPECT_EQ(file.Serialize(), before);
}

TEST(IniFile, RemovesKeysAndListsSections) {
  IniFile file = IniFile::Parse("[A]\nx=1\ny=2\n[B]\n");
  EXPECT_TRUE(file.Remove("a", "X"));
  EXPECT_FALSE(file.Remove("A", "x"));
  EXPECT_FALSE(file.Remove("C", "x"));
  EXPECT_EQ(file.Serialize(), "[A]\ny=2\n[B]\n");
  EXPECT_EQ(file.SectionNames(), (std::vector<std::string>{"A", "B"}));
}

TEST(IniFile, SavesAtomicallyAndLeavesNoTemporaryFile) {
  testing::TempFolder folder;
  const auto path = folder.Path() / "p.ini";
  IniFile file;
  ASSERT_TRUE(file.SetInt("Comm", "Port", 2));
  file.Save(path);
  ASSERT_TRUE(file.SetInt("Comm", "Port", 3));
  file.Save(path);
  const IniLoadResult loaded = IniFile::Load(path);
  ASSERT_EQ(loaded.status, IniLoadStatus::kOk);
  EXPECT_EQ(loaded.file.GetInt("Comm", "Port", 0), 3);
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
    ++entries;
  }
  EXPECT_EQ(entries, 1);
}

TEST(IniFile, SavingKeepsAccessRightsAndSymbolicLinks) {
  testing::TempFolder folder;
  const auto target = folder.Path() / "real.ini";
  const auto link = folder.Path() / "link.ini";
  IniFile file;
  file.Save(target);
  std::filesystem::permissions(
      target, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  std::filesystem::create_symlink(target, link);
  ASSERT_TRUE(file.SetInt("Comm", "Port", 4));
  file.Save(link);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(IniFile::Load(target).file.GetInt("Comm", "Port", 0), 4);
  EXPECT_EQ(std::filesystem::status(target).permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

TEST(IniFile, SavingIntoAMissingFolderThrowsTheFileError) {
  testing::TempFolder folder;
  EXPECT_EQ(testing::MessageIdOf([&] { IniFile().Save(folder.Path() / "missing" / "p.ini"); }),
            platform::kMsgFileNotFound);
}

TEST(IniFile, LoadTellsMissingUnreadableAndTooLargeApart) {
  testing::TempFolder folder;
  EXPECT_EQ(IniFile::Load(folder.Path() / "none.ini").status, IniLoadStatus::kMissing);
  const IniLoadResult ofFolder = IniFile::Load(folder.Path());
  EXPECT_EQ(ofFolder.status, IniLoadStatus::kUnreadable);
  EXPECT_EQ(ofFolder.messageId, platform::kMsgFileIsFolder);
  // A named pipe is refused without waiting for a writer.
  ASSERT_EQ(::mkfifo((folder.Path() / "pipe.ini").c_str(), 0600), 0);
  const IniLoadResult ofPipe = IniFile::Load(folder.Path() / "pipe.ini");
  EXPECT_EQ(ofPipe.status, IniLoadStatus::kUnreadable);
  EXPECT_EQ(ofPipe.messageId, platform::kMsgFileNotOrdinary);
  const auto big = folder.Path() / "big.ini";
  {
    std::ofstream out(big, std::ios::binary);
    out << "[A]\nx=1\n" << std::string(IniFile::kMaxBytes, ';');
  }
  EXPECT_EQ(IniFile::Load(big).status, IniLoadStatus::kTooLarge);
}

}  // namespace
}  // namespace vantrel::app
