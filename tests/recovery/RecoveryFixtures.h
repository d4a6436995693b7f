// Shared pieces of the recovery tests: a temporary folder, a measurement set up as the
// online recording makes it, distinctive sample sets, and a recording driven through the
// recording's append path with its journal.
#pragma once

#include <bit>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include "document/MeasurementArchive.h"
#include "instrument/AxisAssignment.h"
#include "instrument/OnlineRecorder.h"
#include "model/CMessungObj.h"
#include "recovery/JournalFormat.h"
#include "recovery/RecordingJournal.h"

namespace vantrel::recovery::testing {

class ScratchFolder {
 public:
  ScratchFolder() {
    std::random_device device;
    path_ = std::filesystem::temp_directory_path() /
            ("vantrel-recovery-" + std::to_string(device()) + "-" + std::to_string(device()));
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

/// A measurement with `channels` curves set up as the online recording's start does.
inline std::unique_ptr<model::CMessungObj> RecordingMeasurement(int channels) {
  auto measurement = std::make_unique<model::CMessungObj>();
  measurement->SetName(u"Prüfstand 7", 3);
  for (int j = 0; j < channels; ++j) {
    model::CKurveObj* curve = measurement->AddCurve();
    curve->SetColor(instrument::PaletteColor(j));
    curve->SetChannelNumber(j + 1);
    curve->SetDrawOrder(j + 1);
    curve->SetSampleInterval(0.001);
    curve->SetStartTime(1165502120);
    curve->SetRecordingKind(0);
    curve->SetOrigin(1);
    curve->SetAxisIndex(-1);
    curve->SetUnit(j % 2 == 0 ? 1 : 5, j % 2 == 0 ? u"bar" : u"l/min");
  }
  return measurement;
}

/// Sample set `n`: values that differ per set and channel, with odd bit patterns mixed in.
inline instrument::OnlineSampleSet SampleSet(std::uint32_t n) {
  instrument::OnlineSampleSet set;
  for (std::size_t j = 0; j < set.channels.size(); ++j) {
    const float value = static_cast<float>(n) * 0.37F - static_cast<float>(j) * 11.0F;
    set.channels[j] = {value - 1.5F, value + 2.25F, value};
  }
  if (n % 7 == 3) set.channels[0].value = std::bit_cast<float>(0x7FC01234U);  // NaN payload
  if (n % 11 == 5) set.channels[1].minimum = -0.0F;
  return set;
}

inline std::vector<instrument::OnlineSampleSet> SampleSets(std::uint32_t first,
                                                           std::uint32_t count) {
  std::vector<instrument::OnlineSampleSet> sets;
  for (std::uint32_t n = first; n < first + count; ++n) sets.push_back(SampleSet(n));
  return sets;
}

inline JournalHeader HeaderFor(const model::CMessungObj& measurement, int channels,
                               instrument::AxisSettings axes = {}) {
  JournalHeader header;
  header.channelCount = channels;
  header.axes = axes;
  header.startedAt = 1765000000;
  header.title = measurement.GetName();
  header.templateExtension = u".vqa";
  header.image = document::DocumentBytes(measurement, 1);
  return header;
}

/// A recording in progress: the measurement, the growth the recorder uses, and its journal.
struct JournaledRecording {
  JournaledRecording(const std::filesystem::path& folder, int channels,
                     instrument::AxisSettings axes = {})
      : measurement(RecordingMeasurement(channels)),
        growth(*measurement, axes),
        channelCount(channels),
        journal(RecordingJournal::Start(folder, HeaderFor(*measurement, channels, axes))) {}

  /// Appends `sets` as the recorder's drain does and hands them to the journal.
  void Drain(const std::vector<instrument::OnlineSampleSet>& sets) {
    instrument::AppendOnlineSets(growth, *measurement, sets, channelCount);
    journal->SetsAppended(sets, channelCount);
  }
  /// The archive bytes a normal end would save.
  std::vector<std::uint8_t> SavedBytes() const { return document::DocumentBytes(*measurement, 1); }

  std::unique_ptr<model::CMessungObj> measurement;
  instrument::OnlineAxisGrowth growth;
  int channelCount;
  std::unique_ptr<RecordingJournal> journal;
};

}  // namespace vantrel::recovery::testing
