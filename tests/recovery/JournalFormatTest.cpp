// The journal's bytes: header round trip, refusal of other versions and damaged headers,
// and that a journal cut anywhere keeps exactly its intact records.
#include <gtest/gtest.h>

#include <bit>
#include <cstdio>

#include "RecoveryFixtures.h"
#include "recovery/JournalFormat.h"

namespace vantrel::recovery {
namespace {

using testing::SampleSets;

struct MemoryFile {
  explicit MemoryFile(const std::vector<std::uint8_t>& bytes) {
    file = std::tmpfile();
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::rewind(file);
  }
  ~MemoryFile() { std::fclose(file); }
  std::FILE* file;
};

JournalHeader SmallHeader() {
  JournalHeader header;
  header.channelCount = 3;
  header.axes = {2, 1};
  header.startedAt = -5;
  header.title = u"Müller \u20AC";
  header.templateExtension = u".vqa";
  header.image = {1, 2, 3, 0, 255};
  return header;
}

std::uint32_t BitsOf(float value) { return std::bit_cast<std::uint32_t>(value); }

TEST(JournalFormat, HeaderAndRecordsReadBackBitForBit) {
  const JournalHeader written = SmallHeader();
  std::vector<std::uint8_t> bytes = EncodeStartBlock(written);
  const auto sets = SampleSets(0, 40);
  AppendRecords(bytes, sets, written.channelCount);

  MemoryFile file(bytes);
  JournalScanner scanner(file.file);
  JournalHeader read;
  ASSERT_EQ(scanner.ReadHeader(&read), JournalScanner::HeaderStatus::kOk);
  EXPECT_EQ(read.channelCount, 3);
  EXPECT_EQ(read.axes.zusammenfassen, 2);
  EXPECT_EQ(read.axes.einteilung, 1);
  EXPECT_EQ(read.startedAt, -5);
  EXPECT_EQ(read.title, written.title);
  EXPECT_EQ(read.templateExtension, u".vqa");
  EXPECT_EQ(read.image, written.image);

  std::vector<instrument::OnlineSampleSet> got;
  ASSERT_TRUE(scanner.NextRecord(got));
  ASSERT_EQ(got.size(), sets.size());
  for (std::size_t i = 0; i < sets.size(); ++i) {
    for (int j = 0; j < 3; ++j) {
      EXPECT_EQ(BitsOf(got[i].channels[j].minimum), BitsOf(sets[i].channels[j].minimum));
      EXPECT_EQ(BitsOf(got[i].channels[j].maximum), BitsOf(sets[i].channels[j].maximum));
      EXPECT_EQ(BitsOf(got[i].channels[j].value), BitsOf(sets[i].channels[j].value));
    }
  }
  EXPECT_FALSE(scanner.NextRecord(got));
  EXPECT_FALSE(scanner.ReadFailed());
  EXPECT_EQ(scanner.IntactBytes(), bytes.size());
}

TEST(JournalFormat, LargeBatchesAreSplitIntoBoundedRecords) {
  std::vector<std::uint8_t> bytes = EncodeStartBlock(SmallHeader());
  AppendRecords(bytes, SampleSets(0, kMaxSetsPerRecord + 3), 3);
  MemoryFile file(bytes);
  JournalScanner scanner(file.file);
  JournalHeader header;
  ASSERT_EQ(scanner.ReadHeader(&header), JournalScanner::HeaderStatus::kOk);
  std::vector<instrument::OnlineSampleSet> got;
  ASSERT_TRUE(scanner.NextRecord(got));
  EXPECT_EQ(got.size(), kMaxSetsPerRecord);
  ASSERT_TRUE(scanner.NextRecord(got));
  EXPECT_EQ(got.size(), 3U);
}

TEST(JournalFormat, JournalCutAtEveryByteOfItsLastRecordsKeepsExactlyTheIntactRecords) {
  std::vector<std::uint8_t> bytes = EncodeStartBlock(SmallHeader());
  const std::size_t headerEnd = bytes.size();
  // Records of 1, 4 and 2 sets; their ends are where each becomes intact.
  std::vector<std::size_t> recordEnds;
  std::vector<std::size_t> setsBefore = {0};
  std::uint32_t next = 0;
  for (const std::uint32_t count : {1U, 4U, 2U}) {
    AppendRecords(bytes, SampleSets(next, count), 3);
    next += count;
    recordEnds.push_back(bytes.size());
    setsBefore.push_back(next);
  }
  for (std::size_t cut = headerEnd; cut <= bytes.size(); ++cut) {
    SCOPED_TRACE("cut at " + std::to_string(cut));
    MemoryFile file(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + cut));
    JournalScanner scanner(file.file);
    JournalHeader header;
    ASSERT_EQ(scanner.ReadHeader(&header), JournalScanner::HeaderStatus::kOk);
    std::size_t sets = 0;
    std::vector<instrument::OnlineSampleSet> got;
    while (scanner.NextRecord(got)) sets += got.size();
    std::size_t intact = 0;
    for (std::size_t r = 0; r < recordEnds.size(); ++r) {
      if (recordEnds[r] <= cut) intact = setsBefore[r + 1];
    }
    EXPECT_EQ(sets, intact);
    EXPECT_FALSE(scanner.ReadFailed());
  }
}

TEST(JournalFormat, RecordWithADamagedByteEndsTheIntactPart) {
  std::vector<std::uint8_t> bytes = EncodeStartBlock(SmallHeader());
  AppendRecords(bytes, SampleSets(0, 2), 3);
  const std::size_t firstEnd = bytes.size();
  AppendRecords(bytes, SampleSets(2, 2), 3);
  AppendRecords(bytes, SampleSets(4, 2), 3);
  for (const std::size_t offset : {firstEnd, firstEnd + 5, firstEnd + 20}) {
    SCOPED_TRACE("damaged byte at " + std::to_string(offset));
    std::vector<std::uint8_t> damaged = bytes;
    damaged[offset] ^= 0x10;
    MemoryFile file(damaged);
    JournalScanner scanner(file.file);
    JournalHeader header;
    ASSERT_EQ(scanner.ReadHeader(&header), JournalScanner::HeaderStatus::kOk);
    std::size_t sets = 0;
    std::vector<instrument::OnlineSampleSet> got;
    while (scanner.NextRecord(got)) sets += got.size();
    EXPECT_EQ(sets, 2U);
  }
}

TEST(JournalFormat, OtherVersionsAndDamagedHeadersAreRefused) {
  const std::vector<std::uint8_t> good = EncodeStartBlock(SmallHeader());
  struct Case {
    const char* name;
    std::size_t offset;  // byte changed; SIZE_MAX: cut instead
    std::size_t cut;
    JournalScanner::HeaderStatus expected;
  };
  const std::vector<Case> cases = {
      {"magic", 0, 0, JournalScanner::HeaderStatus::kDamaged},
      {"version", 8, 0, JournalScanner::HeaderStatus::kOtherVersion},
      {"header length", 15, 0, JournalScanner::HeaderStatus::kDamaged},
      {"header check value", 16, 0, JournalScanner::HeaderStatus::kDamaged},
      {"header payload", 30, 0, JournalScanner::HeaderStatus::kDamaged},
      {"cut in the start block", SIZE_MAX, 10, JournalScanner::HeaderStatus::kDamaged},
      {"cut in the header", SIZE_MAX, good.size() - 1, JournalScanner::HeaderStatus::kDamaged},
      {"empty file", SIZE_MAX, 0, JournalScanner::HeaderStatus::kDamaged},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::uint8_t> bytes = good;
    if (c.offset == SIZE_MAX) {
      bytes.resize(c.cut);
    } else {
      bytes[c.offset] ^= 0x41;
    }
    MemoryFile file(bytes);
    JournalScanner scanner(file.file);
    JournalHeader header;
    EXPECT_EQ(scanner.ReadHeader(&header), c.expected);
    std::vector<instrument::OnlineSampleSet> got;
    EXPECT_FALSE(scanner.NextRecord(got));
  }
}

}  // namespace
}  // namespace vantrel::recovery
