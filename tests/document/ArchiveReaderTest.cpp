#include <gtest/gtest.h>

#include "ArchiveBytes.h"
#include "app/MessageIds.h"
#include "document/ArchiveReader.h"

namespace vantrel::document {
namespace {

using testing::Bytes;
using Kind = ArchiveError::Kind;

/// Runs `read` over `bytes` and returns the kind of archive error it raised.
template <typename Read>
std::optional<Kind> ErrorOf(const Bytes& bytes, Read read) {
  ArchiveReader r(bytes.v);
  try {
    read(r);
  } catch (const ArchiveError& e) {
    EXPECT_EQ(e.MessageId(), ids::kMsgUnexpectedFileFormat);
    return e.GetKind();
  }
  return std::nullopt;
}

TEST(ArchiveReader, ReadsPrimitivesLittleEndian) {
  const Bytes b = Bytes().B(0xAB).W(0x1234).D(0x89ABCDEF).I(-2).F(1.5F).Q(-0.25);
  ArchiveReader r(b.v);
  EXPECT_EQ(r.ReadByte(), 0xAB);
  EXPECT_EQ(r.ReadWord(), 0x1234);
  EXPECT_EQ(r.ReadDword(), 0x89ABCDEFU);
  EXPECT_EQ(r.ReadInt(), -2);
  EXPECT_EQ(r.ReadFloat(), 1.5F);
  EXPECT_EQ(r.ReadDouble(), -0.25);
  EXPECT_TRUE(r.AtEnd());
}

TEST(ArchiveReader, ReadsBothStringForms) {
  struct Case {
    const char* name;
    Bytes bytes;
    std::u16string text;
  };
  const Case cases[] = {
      {"utf16 short", Bytes().S(u"\u00B0C"), u"\u00B0C"},
      {"utf16 word length", Bytes().B(0xFF).W(0xFFFE).B(0xFF).W(2).W(u'a').W(u'b'), u"ab"},
      {"utf16 dword length", Bytes().B(0xFF).W(0xFFFE).B(0xFF).W(0xFFFF).D(1).W(u'z'), u"z"},
      {"cp1252 byte length", Bytes().B(3).B('b').B(0xDF).B(0x80), u"b\u00DF\u20AC"},
      {"cp1252 word length", Bytes().B(0xFF).W(1).B('x'), u"x"},
      {"cp1252 dword length", Bytes().B(0xFF).W(0xFFFF).D(2).Raw("ok"), u"ok"},
      {"empty cp1252", Bytes().B(0), u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ArchiveReader r(c.bytes.v);
    EXPECT_EQ(r.ReadString(), c.text);
    EXPECT_TRUE(r.AtEnd());
  }
}

TEST(ArchiveReader, RejectsAStringLongerThanTheRestWithoutAllocatingIt) {
  EXPECT_EQ(ErrorOf(Bytes().B(0xFF).W(0xFFFE).B(0xFF).W(0xFFFF).D(0xFFFFFFFF).W(1),
                    [](ArchiveReader& r) { r.ReadString(); }),
            Kind::EndOfFile);
  EXPECT_EQ(ErrorOf(Bytes().B(5).Raw("abc"), [](ArchiveReader& r) { r.ReadString(); }),
            Kind::EndOfFile);
}

TEST(ArchiveReader, ReadsCountsWithTheDwordEscape) {
  const Bytes b = Bytes().W(0xFFFE).W(0xFFFF).D(0xFFFF).W(0xFFFF).D(0xFFFFFFFF);
  ArchiveReader r(b.v);
  EXPECT_EQ(r.ReadCount(), 0xFFFEU);
  EXPECT_EQ(r.ReadCount(), 0xFFFFU);
  EXPECT_EQ(r.ReadCount(), 0xFFFFFFFFU);
}

TEST(ArchiveReader, BoundsAnAnnouncedCountByTheBytesLeft) {
  const Bytes b = Bytes().Raw(std::string(100, 'x'));
  ArchiveReader r(b.v);
  EXPECT_EQ(r.BoundCount(0xFFFFFFFF, 14), 7U);
  EXPECT_EQ(r.BoundCount(3, 14), 3U);
}

TEST(ArchiveReader, ClassifiesMalformedTags) {
  struct Case {
    const char* name;
    Bytes bytes;
    ArchiveClass expected;
    Kind kind;
  };
  const Case cases[] = {
      {"schema 2", Bytes().Class("CAchse", 2), ArchiveClass::Achse, Kind::BadSchema},
      {"byte array with schema 1", Bytes().Class("CByteArray", 1), ArchiveClass::ByteArray,
       Kind::BadSchema},
      {"unlisted class", Bytes().Class("CMessungObj"), ArchiveClass::Achse, Kind::BadClass},
      {"x axis as object", Bytes().Class("CXAchse"), ArchiveClass::Achse, Kind::BadClass},
      {"name of 64 characters", Bytes().Class(std::string(64, 'C')), ArchiveClass::Achse,
       Kind::BadClass},
      {"other listed class", Bytes().Class("CKurveObj"), ArchiveClass::Achse, Kind::BadClass},
      {"null where required", Bytes().W(0), ArchiveClass::Achse, Kind::BadClass},
      {"class index never read", Bytes().W(0x8001), ArchiveClass::Achse, Kind::BadIndex},
      {"class index 0", Bytes().W(0x8000), ArchiveClass::Achse, Kind::BadIndex},
      {"object reference", Bytes().W(0x0001), ArchiveClass::Achse, Kind::BadIndex},
      {"long object reference", Bytes().W(0x7FFF).D(5), ArchiveClass::Achse, Kind::BadIndex},
      {"long class index never read", Bytes().W(0x7FFF).D(0xFFFFFFFF), ArchiveClass::Achse,
       Kind::BadIndex},
      {"truncated class name", Bytes().W(0xFFFF).W(1).W(6).Raw("CAc"), ArchiveClass::Achse,
       Kind::EndOfFile},
      {"truncated long tag", Bytes().W(0x7FFF).W(1), ArchiveClass::Achse, Kind::EndOfFile},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ErrorOf(c.bytes, [&](ArchiveReader& r) { r.ReadObjectTag(c.expected, false); }),
              c.kind);
  }
}

TEST(ArchiveReader, RejectsABackReferenceToAnObjectReadEarlier) {
  // Class 1 and object 2 are read; a second reference to object 2 would share it.
  const Bytes b = Bytes().Class("CTextObj").W(0x0002);
  EXPECT_EQ(ErrorOf(b,
                    [](ArchiveReader& r) {
                      r.ReadObjectTag(ArchiveClass::TextObj, false);
                      r.ReadObjectTag(ArchiveClass::TextObj, true);
                    }),
            Kind::BadIndex);
}

TEST(ArchiveReader, AcceptsShortAndLongClassReferencesAndRepeatedClassRecords) {
  const Bytes b = Bytes()
                      .Class("CLineObj")  // class 1, object 2
                      .W(0x8001)          // object 3
                      .W(0x7FFF)
                      .D(0x80000001)      // object 4
                      .Class("CLineObj")  // class 5, object 6
                      .W(0x8005)          // object 7
                      .W(0x8001)          // object 8
                      .W(0x0000);
  ArchiveReader r(b.v);
  for (int i = 0; i < 6; ++i) EXPECT_TRUE(r.ReadObjectTag(ArchiveClass::LineObj, false));
  EXPECT_FALSE(r.ReadObjectTag(ArchiveClass::ByteArray, true));
  EXPECT_TRUE(r.AtEnd());
}

TEST(ArchiveReader, ReadsARunOfObjectsWhateverTagFormEachUses) {
  Bytes b = Bytes().Class("CValueObj").B(1);  // class 1, object 2
  b.W(0x8001).B(2);                           // object 3
  b.W(0x7FFF).D(0x80000001).B(3);             // object 4, long form
  b.Class("CValueObj").B(4);                  // class 5, object 6
  b.W(0x8005).B(5);                           // object 7
  std::vector<int> seen;
  ArchiveReader r(b.v);
  r.ReadObjectRun(ArchiveClass::ValueObj, 5, 1, [&](const std::uint8_t* p) { seen.push_back(*p); });
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_TRUE(r.AtEnd());
}

TEST(ArchiveReader, StopsARunAtAReferenceToAnEarlierSample) {
  const Bytes b = Bytes().Class("CValueObj").Raw(std::string(12, '\0')).W(0x0002);
  EXPECT_EQ(ErrorOf(b,
                    [](ArchiveReader& r) {
                      r.ReadObjectRun(ArchiveClass::ValueObj, 2, 12, [](const std::uint8_t*) {});
                    }),
            Kind::BadIndex);
}

TEST(ArchiveReader, ReadsAFileInBlocksWithValuesSplitBetweenThem) {
  std::FILE* file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  Bytes b;
  b.B(7);  // every fourth dword now crosses a block boundary somewhere
  for (std::uint32_t i = 0; i < 50000; ++i) b.D(i);
  std::fwrite(b.v.data(), 1, b.v.size(), file);
  std::fflush(file);
  std::rewind(file);
  ArchiveReader r(file, b.v.size());
  EXPECT_EQ(r.Remaining(), 200001U);
  EXPECT_EQ(r.ReadByte(), 7);
  for (std::uint32_t i = 0; i < 50000; ++i) ASSERT_EQ(r.ReadDword(), i);
  EXPECT_EQ(r.Position(), 200001U);
  EXPECT_TRUE(r.AtEnd());
  EXPECT_THROW(r.ReadByte(), ArchiveError);
  std::fclose(file);
}

}  // namespace
}  // namespace vantrel::document
