// Converting a document file without holding its samples: the output must be, byte for
// byte, what loading and saving the file writes, and every file the load refuses must be
// refused the same way, leaving the target as it was.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <bit>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "FileSizeLimit.h"
#include "TempFolder.h"
#include "app/MessageIds.h"
#include "document/MeasurementArchive.h"
#include "platform/FileErrors.h"
#include "platform/OrdinaryFile.h"

namespace vantrel::document {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

/// Three curves: 70 000 samples (a long count, long class references past index 7FFF, runs
/// across every internal boundary, unusual float bit patterns), none, and five; with texts,
/// lines, notes and the imported flag.
std::unique_ptr<model::CMessungObj> Measurement(int longCurveSamples = 70000) {
  auto m = std::make_unique<model::CMessungObj>();
  m->GetXAxis().SetRaw(2, 10.0F, 0.0F, 4, u"s");
  m->AddYAxis()->SetRaw(4, 100.0F, 0.0F, 3, u"bar");
  const float odd[] = {std::bit_cast<float>(0x7F800001U), std::bit_cast<float>(0xFFC01234U), -0.0F,
                       std::numeric_limits<float>::infinity(),
                       std::numeric_limits<float>::denorm_min()};
  model::CKurveObj* longCurve = m->AddCurve();
  for (int i = 0; i < longCurveSamples; ++i) {
    longCurve->AddSample(odd[i % 5], 0.25F * static_cast<float>(i), static_cast<float>(i));
  }
  longCurve->SetName(u"P1");
  m->AddCurve()->SetName(u"empty");
  model::CKurveObj* shortCurve = m->AddCurve();
  for (int i = 0; i < 5; ++i) shortCurve->AddSample(1.0F, 2.0F, 3.0F);
  shortCurve->SetColor(0x00FF00);
  m->AddText(u"Anmerkung", 10, 0.5, 0.5);
  m->AddLine(0.1, 0.2, 0.3, 0.4);
  m->SetNotes(Bytes{'{', '\\', 'r', 't', 'f', '1', '}'});
  m->SetName(u"Prüfstand 3", 12);
  return m;
}

class DocumentConversion : public ::testing::Test {
 protected:
  fs::path Write(const std::string& name, const Bytes& bytes) {
    const fs::path path = dir_ / name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path;
  }
  static Bytes Read(const fs::path& path) {
    return platform::ReadOrdinaryFile(path, std::uintmax_t{1} << 30, ids::kMsgFileError);
  }
  std::size_t EntryCount() const {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
  }

  vantrel::testing::TempFolder folder_;
  const fs::path dir_ = folder_.Path();
};

TEST_F(DocumentConversion, WritesWhatLoadingAndSavingWrites) {
  const Bytes original = DocumentBytes(*Measurement(), 1);
  // A file the program did not write itself: a text (the x axis unit) in the eight-bit
  // form, which a save turns into UTF-16.
  Bytes eightBit = DocumentBytes(model::CMessungObj(), 0);
  const Bytes unicodeEmptyName = {0xFF, 0xFE, 0xFF, 0x00};
  const auto name = std::search(eightBit.begin(), eightBit.end(), unicodeEmptyName.begin(),
                                unicodeEmptyName.end());
  ASSERT_NE(name, eightBit.end());
  const auto at = eightBit.erase(name, name + 4);
  eightBit.insert(at, {0x02, 0xC4, 'x'});

  for (const Bytes& input : {original, eightBit}) {
    const fs::path in = Write("in.vqb", input);
    const fs::path out = dir_ / "out.vqb";
    ASSERT_FALSE(ConvertDocumentFile(in, out));
    const LoadedDocument loaded = ReadDocumentFile(in);
    EXPECT_EQ(Read(out), DocumentBytes(*loaded.measurement, loaded.imported));
  }
  // Onto itself: the file is read to its end before it is replaced.
  const fs::path self = Write("self.vqb", original);
  ASSERT_FALSE(ConvertDocumentFile(self, self));
  EXPECT_EQ(Read(self), original);
  EXPECT_EQ(EntryCount(), 3U);
}

TEST_F(DocumentConversion, RefusesEveryDamagedFileAsTheLoadDoesAndKeepsTheTarget) {
  const Bytes sound = DocumentBytes(*Measurement(6000), 0);
  std::vector<Bytes> damaged;
  for (std::size_t size = 0; size < sound.size(); size += size < 200 ? 1 : 977) {
    damaged.emplace_back(sound.begin(), sound.begin() + static_cast<std::ptrdiff_t>(size));
  }
  for (std::size_t size = sound.size() - 300; size < sound.size(); ++size) {
    damaged.emplace_back(sound.begin(), sound.begin() + static_cast<std::ptrdiff_t>(size));
  }
  Bytes longer = sound;
  longer.push_back(0);
  damaged.push_back(longer);
  // Flipped bytes: in the head, in sample tags and records (also where runs and blocks
  // meet) and in the tail. Some still make a sound document, with other values.
  for (std::size_t at : {0UL, 5UL, 60UL, 90UL, 120UL, 4096UL * 14, 65536UL, 65537UL,
                         sound.size() - 150, sound.size() - 40, sound.size() - 1}) {
    Bytes flipped = sound;
    flipped[at] ^= 0xFF;
    damaged.push_back(flipped);
  }
  const Bytes old = {'o', 'l', 'd'};
  const fs::path out = Write("out.vqb", old);
  int refused = 0;
  for (std::size_t i = 0; i < damaged.size(); ++i) {
    SCOPED_TRACE("case " + std::to_string(i));
    const fs::path in = Write("in.vqb", damaged[i]);
    std::string expected;
    Bytes expectedBytes;
    try {
      const LoadedDocument loaded = ReadDocumentFile(in);
      expectedBytes = DocumentBytes(*loaded.measurement, loaded.imported);
    } catch (const ArchiveError& e) {
      expected = e.what();
    }
    try {
      ASSERT_FALSE(ConvertDocumentFile(in, out));
      EXPECT_EQ(expected, "");
      EXPECT_EQ(Read(out), expectedBytes);
      Write("out.vqb", old);
    } catch (const ArchiveError& e) {
      ++refused;
      EXPECT_EQ(e.what(), expected);
      EXPECT_EQ(Read(out), old);
    }
    EXPECT_EQ(EntryCount(), 2U);
  }
  EXPECT_GT(refused, 300);
}

TEST_F(DocumentConversion, ReportsASaveFailureOnlyForASoundInput) {
  const Bytes sound = DocumentBytes(*Measurement(), 0);
  const fs::path good = Write("good.vqb", sound);
  const fs::path bad = Write("bad.vqb", Bytes(sound.begin(), sound.end() - 1));
  const fs::path nowhere = dir_ / "missing" / "out.vqb";
  const std::exception_ptr failure = ConvertDocumentFile(good, nowhere);
  ASSERT_TRUE(failure);
  try {
    std::rethrow_exception(failure);
  } catch (const platform::FileError& e) {
    EXPECT_EQ(e.MessageId(), platform::kMsgFileNotFound);
    EXPECT_EQ(e.File(), nowhere);
  }
  EXPECT_THROW((void)ConvertDocumentFile(bad, nowhere), ArchiveError);

  // A disk that fills up while the samples are written.
  const Bytes old = {'o', 'l', 'd'};
  const fs::path out = Write("out.vqb", old);
  {
    vantrel::testing::FileSizeLimit full(100000);
    if (!full.Applied()) GTEST_SKIP() << "no file size limit here";
    EXPECT_TRUE(ConvertDocumentFile(good, out));
    EXPECT_THROW((void)ConvertDocumentFile(bad, out), ArchiveError);
  }
  EXPECT_EQ(Read(out), old);
  EXPECT_EQ(EntryCount(), 3U);
}

TEST_F(DocumentConversion, GivesAPipeNothingOfADamagedFile) {
  const fs::path pipe = dir_ / "pipe";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  ASSERT_GE(reader, 0);
  // Room for the whole document, so that writing it never waits for this reader.
  ASSERT_GE(::fcntl(reader, F_SETPIPE_SZ, 1 << 20), 1 << 20);
  const Bytes sound = DocumentBytes(*Measurement(20000), 0);
  ASSERT_GT(sound.size(), 2 * 65536U);
  ASSERT_LT(sound.size(), 1U << 20);
  const auto drain = [reader] {
    Bytes got(2U << 20);
    const ssize_t n = ::read(reader, got.data(), got.size());
    got.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return got;
  };
  const fs::path bad = Write("bad.vqb", Bytes(sound.begin(), sound.end() - 1));
  EXPECT_THROW((void)ConvertDocumentFile(bad, pipe), ArchiveError);
  EXPECT_EQ(drain().size(), 0U);
  ASSERT_FALSE(ConvertDocumentFile(Write("good.vqb", sound), pipe));
  EXPECT_EQ(drain(), sound);
  ::close(reader);
}

}  // namespace
}  // namespace vantrel::document
