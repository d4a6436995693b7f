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

TEST(ArchiveWriter, ObjectRunsWriteTheBytesOfOneObjectAtATime) {
  // Runs that cross the 64 KiB blocks at every offset, after short and after long class
  // references (a class whose index is past 0x7FFF), with a few bytes before them.
  const struct {
    const char* name;
    std::size_t objectsBefore;
    std::size_t count;
    std::size_t recordSize;
  } cases[] = {{"one", 0, 1, 12},
               {"two", 0, 2, 12},
               {"one block", 0, 4682, 12},
               {"many blocks", 3, 20001, 12},
               {"long tags", 0x8000, 9000, 12},
               {"long tags, odd record", 0x8000, 7001, 7}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto record = [](std::size_t i, std::uint8_t* out, std::size_t size) {
      for (std::size_t b = 0; b < size; ++b) out[b] = static_cast<std::uint8_t>(i * 31 + b);
    };
    const auto before = [&c](ArchiveWriter& w) {
      w.WriteByte(0x5A);
      w.WriteObjectRun(ArchiveClass::LineObj, c.objectsBefore, 0,
                       [](std::size_t, std::uint8_t*) {});
    };
    const auto run = Written([&](ArchiveWriter& w) {
      before(w);
      w.WriteObjectRun(ArchiveClass::ValueObj, c.count, c.recordSize,
                       [&](std::size_t i, std::uint8_t* out) { record(i, out, c.recordSize); });
    });
    const auto single = Written([&](ArchiveWriter& w) {
      before(w);
      std::vector<std::uint8_t> bytes(c.recordSize);
      for (std::size_t i = 0; i < c.count; ++i) {
        w.BeginObject(ArchiveClass::ValueObj);
        record(i, bytes.data(), bytes.size());
        w.WriteBytes(bytes.data(), bytes.size());
      }
    });
    EXPECT_EQ(run, single);
  }
}

}  // namespace
}  // namespace vantrel::document
