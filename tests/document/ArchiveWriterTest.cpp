#include <gtest/gtest.h>

#include "ArchiveBytes.h"
#include "document/ArchiveWriter.h"

namespace vantrel::document {
namespace {

using testing::Bytes;

std::vector<std::uint8_t> Written(const std::function<void(ArchiveWriter&)>& write) {
  std::vector<std::uint8_t> out;
  ArchiveWriter w(
      [&out](const std::uint8_t* d, std::size_t n) { out.insert(out.end(), d, d + n); });
  write(w);
  w.Flush();
  return out;
}

TEST(ArchiveWriter, WritesPrimitivesLittleEndian) {
  const auto out = Written([](ArchiveWriter& w) {
    w.WriteByte(0xAB);
    w.WriteWord(0x1234);
    w.WriteDword(0x89ABCDEF);
    w.WriteInt(-2);
    w.WriteFloat(1.5F);
    w.WriteDouble(-0.25);
  });
  EXPECT_EQ(out, Bytes().B(0xAB).W(0x1234).D(0x89ABCDEF).D(0xFFFFFFFE).F(1.5F).Q(-0.25).v);
}

TEST(ArchiveWriter, WritesAnEmptyStringAsFourBytes) {
  EXPECT_EQ(Written([](ArchiveWriter& w) { w.WriteString(u""); }),
            (std::vector<std::uint8_t>{0xFF, 0xFE, 0xFF, 0x00}));
}

TEST(ArchiveWriter, ChoosesTheStringLengthFormByUnitCount) {
  struct Case {
    std::size_t length;
    std::vector<std::uint8_t> lengthBytes;
  };
  const Case cases[] = {
      {254, {0xFE}},
      {255, {0xFF, 0xFF, 0x00}},
      {0xFFFD, {0xFF, 0xFD, 0xFF}},
      {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
      {0x10000, {0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    const std::u16string text(c.length, u'\u00E4');
    const auto out = Written([&](ArchiveWriter& w) { w.WriteString(text); });
    std::vector<std::uint8_t> expected{0xFF, 0xFE, 0xFF};
    expected.insert(expected.end(), c.lengthBytes.begin(), c.lengthBytes.end());
    ASSERT_EQ(out.size(), expected.size() + 2 * c.length);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), out.begin()));
    EXPECT_EQ(out[expected.size()], 0xE4);
    EXPECT_EQ(out.back(), 0x00);
  }
}

TEST(ArchiveWriter, WritesCountsFromFFFFWithADword) {
  struct Case {
    std::uint64_t count;
    std::vector<std::uint8_t> bytes;
  };
  const Case cases[] = {
      {0, {0x00, 0x00}},
      {0xFFFE, {0xFE, 0xFF}},
      {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
      {0x12345678, {0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.count);
    EXPECT_EQ(Written([&](ArchiveWriter& w) { w.WriteCount(c.count); }), c.bytes);
  }
}

TEST(ArchiveWriter, IntroducesAClassOnceAndRefersBackAfterwards) {
  const auto out = Written([](ArchiveWriter& w) {
    w.BeginObject(ArchiveClass::TextObj);  // class 1, object 2
    w.BeginObject(ArchiveClass::LineObj);  // class 3, object 4
    w.BeginObject(ArchiveClass::TextObj);  // object 5
    w.WriteNullReference();
  });
  EXPECT_EQ(out, Bytes().Class("CTextObj").Class("CLineObj").W(0x8001).W(0x0000).v);
}

TEST(ArchiveWriter, UsesTheLongClassTagOnceTheClassIndexReaches7FFF) {
  std::vector<std::uint8_t> out;
  ArchiveWriter w(
      [&out](const std::uint8_t* d, std::size_t n) { out.insert(out.end(), d, d + n); });
  // Class 1 and objects 2..0x7FFE: the next class record takes index 0x7FFF.
  w.WriteObjectRun(ArchiveClass::ValueObj, 0x7FFD, 0, [](std::size_t, std::uint8_t*) {});
  ASSERT_EQ(w.NextIndex(), 0x7FFFU);
  w.Flush();
  out.clear();
  w.BeginObject(ArchiveClass::LineObj);  // class 0x7FFF, object 0x8000
  w.BeginObject(ArchiveClass::LineObj);
  w.BeginObject(ArchiveClass::ValueObj);
  w.Flush();
  EXPECT_EQ(out, Bytes().Class("CLineObj").W(0x7FFF).D(0x80007FFF).W(0x8001).v);
}

TEST(ArchiveWriter, HandsBlocksOfSixtyFourKibToTheSink) {
  std::vector<std::size_t> blocks;
  ArchiveWriter w([&blocks](const std::uint8_t*, std::size_t n) { blocks.push_back(n); });
  for (int i = 0; i < 40000; ++i) w.WriteDword(0);
  w.Flush();
  ASSERT_EQ(blocks.size(), 3U);
  EXPECT_EQ(blocks[0], ArchiveWriter::kBlockSize);
  EXPECT_EQ(blocks[0] + blocks[1] + blocks[2], 160000U);
}

}  // namespace
}  // namespace vantrel::document
