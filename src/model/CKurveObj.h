// One curve of a measurement: its samples, the recording facts that came with them, its
// display settings and the preview/commit low-pass filter. Sample i lies at
// xOffset + i x sampleInterval seconds.
// The samples live in storage that copies of the curve share (the undo history keeps such
// copies): every change detaches into a curve's own storage first, except appending, which
// extends shared storage in place because no copy ever reads past the samples it holds.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/CValueObj.h"
#include "model/Units.h"
#include "platform/Canvas.h"
#include "platform/MessageService.h"
#include "platform/TextSource.h"
#include "platform/TimeStamp.h"

namespace vantrel::model {

class CMessungObj;

/// Which part of a sample is plotted.
enum ValueMode : int {
  kModeMinimum = 0,
  kModeMaximum = 1,
  kModeMean = 2,
  kModeBar = 3,
  kModeValue = 4
};

/// Where a curve came from.
enum CurveOrigin : int {
  kOriginMeasured = 0,
  kOriginImported = 1,
  kOriginComputed = 2,
  kOriginSpecial = 3
};

/// The plotted y of a sample by value mode: min, max, mean, min (bar start) or value, plus
/// the offset; 0 for an unknown mode. The bar end of mode 3 is `maximum + offset`.
float PlottedValue(const CValueObj& sample, int valueMode, float yOffset);

class CKurveObj {
 public:
  /// `messages` answers the out-of-memory question; may be null (then Cancel).
  explicit CKurveObj(platform::MessageService* messages = nullptr);
  /// A copy shares the samples and the filter preview, and is the same curve (IsSameCurveAs).
  CKurveObj(const CKurveObj&) = default;
  CKurveObj& operator=(const CKurveObj&) = default;

  // Samples.
  /// Appends a sample; false when memory ran out and the user cancelled.
  bool AddSample(float minimum, float maximum, float value);
  /// Null when the index is out of range.
  const CValueObj* GetSample(long long index) const;
  /// Detaches shared samples: use the const overload for reading.
  CValueObj* GetSample(long long index);
  long long GetSampleCount() const { return static_cast<long long>(samples_->size()); }
  const std::vector<CValueObj>& Samples() const { return *samples_; }
  /// Bulk access for loaders and the filter; callers keep the curve consistent. Detaches
  /// shared samples (one copy), so copies of the curve keep theirs.
  std::vector<CValueObj>& MutableSamples();
  const std::vector<CValueObj>& FilteredSamples() const { return *filteredSamples_; }
  /// The samples Draw plots: the filtered ones while a preview is shown.
  const std::vector<CValueObj>& DisplayedSamples() const {
    return previewCutoff_ != 0.0F ? *filteredSamples_ : *samples_;
  }
  /// Whether both curves share one sample storage.
  bool SharesSamplesWith(const CKurveObj& other) const { return samples_ == other.samples_; }

  // Identity and recording facts.
  void SetName(const std::u16string& name) { name_ = name; }
  const std::u16string& GetName() const { return name_; }
  void SetStartTime(platform::TimeStamp seconds) { startTime_ = seconds; }
  platform::TimeStamp GetStartTime() const { return startTime_; }
  void SetDuration(std::int32_t seconds) { duration_ = seconds; }
  std::int32_t GetDuration() const { return duration_; }
  void SetSampleInterval(double seconds) { sampleInterval_ = seconds; }
  double GetSampleInterval() const { return sampleInterval_; }
  /// Code kUnitCustom also sets the text; other codes keep it.
  void SetUnit(int code, const std::u16string& text) {
    unitCode_ = code;
    if (code == kUnitCustom) unitText_ = text;
  }
  /// Returns the code; fills `text` only when the code is kUnitCustom.
  int GetUnit(std::u16string* text) const {
    if (unitCode_ == kUnitCustom && text != nullptr) *text = unitText_;
    return unitCode_;
  }
  std::u16string GetUnitName(const platform::TextSource& texts) const;

  int GetTriggerInPercent() const { return triggerInPercent_; }
  void SetTriggerInPercent(int v) { triggerInPercent_ = v; }
  float GetSensorRange() const { return sensorRange_; }
  void SetSensorRange(float v) { sensorRange_ = v; }
  int GetTriggerMode() const { return triggerMode_; }
  void SetTriggerMode(int v) { triggerMode_ = v; }
  int GetTriggerChannel() const { return triggerChannel_; }
  void SetTriggerChannel(int v) { triggerChannel_ = v; }
  float GetTriggerLevel() const { return triggerLevel_; }
  void SetTriggerLevel(float v) { triggerLevel_ = v; }
  int GetTriggerEdge() const { return triggerEdge_; }
  void SetTriggerEdge(int v) { triggerEdge_ = v; }
  float GetPretrigger() const { return pretrigger_; }
  void SetPretrigger(float v) { pretrigger_ = v; }
  int GetSourceNumber() const { return sourceNumber_; }
  void SetSourceNumber(int v) { sourceNumber_ = v; }
  int GetChannelNumber() const { return channelNumber_; }
  void SetChannelNumber(int v) { channelNumber_ = v; }
  int GetRecordingKind() const { return recordingKind_; }
  void SetRecordingKind(int v) { recordingKind_ = v; }
  int GetOrigin() const { return origin_; }
  void SetOrigin(int v) { origin_ = v; }
  const std::u16string& GetSourceText() const { return sourceText_; }
  void SetSourceText(const std::u16string& v) { sourceText_ = v; }
  int GetUnitCode() const { return unitCode_; }
  const std::u16string& GetUnitText() const { return unitText_; }
  void SetUnitText(const std::u16string& v) { unitText_ = v; }
  float GetPeakValue() const { return peakValue_; }
  void SetPeakValue(float v) { peakValue_ = v; }

  // Display settings.
  platform::Color GetColor() const { return color_; }
  void SetColor(platform::Color v) { color_ = v; }
  int GetValueMode() const { return valueMode_; }
  void SetValueMode(int v) { valueMode_ = v; }
  float GetXOffset() const { return xOffset_; }
  void SetXOffset(float v) { xOffset_ = v; }
  float GetYOffset() const { return yOffset_; }
  void SetYOffset(float v) { yOffset_ = v; }
  int GetAxisIndex() const { return axisIndex_; }
  void SetAxisIndex(int v) { axisIndex_ = v; }
  float GetFilterCutoff() const { return filterCutoff_; }
  void SetFilterCutoff(float v) { filterCutoff_ = v; }
  int GetDrawOrder() const { return drawOrder_; }
  void SetDrawOrder(int v) { drawOrder_ = v; }
  int GetVisible() const { return visible_; }
  void SetVisible(int v) { visible_ = v; }
  float GetPreviewCutoff() const { return previewCutoff_; }

  /// The sample at time t seconds from the first: all three parts 0 past `duration` or past
  /// the last sample.
  void ValueAt(double t, float* minimum, float* maximum, float* value) const;

  /// Computes the low-pass preview with cut-off `cutoffHz` into the filtered samples; false
  /// when memory ran out and the user cancelled (the preview is then dropped).
  bool PreviewFilter(float cutoffHz);
  /// Replaces the samples by the preview and records its cut-off; the preview stays.
  void CommitFilter();
  /// Drops the preview.
  void DiscardFilter();

  /// Draws the curve into `plot` against the axes of `measurement` (their visible windows
  /// must have been computed by the axes' Draw).
  void Draw(platform::Canvas& canvas, const platform::Rect& plot,
            const CMessungObj& measurement) const;

  void SetMessageService(platform::MessageService* messages) { messages_ = messages; }

  // Identity and stored state, for the undo history.
  /// Whether `other` is this curve or a copy of it (or of a curve it was copied from).
  bool IsSameCurveAs(const CKurveObj& other) const { return identity_ == other.identity_; }
  /// Makes the curve a curve of its own (a curve copied into a measurement as a new one).
  void TakeNewIdentity();
  /// Whether every stored setting except the samples and the duration is equal.
  bool SameSettingsAs(const CKurveObj& other) const;
  /// Becomes `state` (sharing its samples) without the filter preview. Samples this curve
  /// holds beyond the end of the state's storage were appended since (a recording) and are
  /// kept, and so is the duration that belongs to them.
  void RestoreState(const CKurveObj& state);

 private:
  using SampleStorage = std::shared_ptr<std::vector<CValueObj>>;
  /// Gives the curve its own copy of shared samples.
  void DetachSamples();
  bool operator==(const CKurveObj&) const = default;

  platform::MessageService* messages_ = nullptr;
  SampleStorage samples_;
  SampleStorage filteredSamples_;
  // Compared by address only: copies share it.
  std::shared_ptr<const char> identity_;
  int triggerInPercent_ = 0;
  float sensorRange_ = 0.0F;
  std::u16string name_;
  platform::TimeStamp startTime_ = 0;
  std::int32_t duration_ = 0;
  double sampleInterval_ = 0.0;
  int triggerMode_ = 0;
  int triggerChannel_ = 1;
  float triggerLevel_ = 0.0F;
  int triggerEdge_ = 0;
  float pretrigger_ = 0.0F;
  int sourceNumber_ = 0;
  int channelNumber_ = 0;
  int recordingKind_ = 0;
  int origin_ = 0;
  std::u16string sourceText_;
  int unitCode_ = 0;
  std::u16string unitText_;
  float peakValue_ = 0.0F;
  platform::Color color_ = 0;
  int valueMode_ = 2;
  float xOffset_ = 0.0F;
  float yOffset_ = 0.0F;
  int axisIndex_ = 0;
  float filterCutoff_ = 0.0F;
  int drawOrder_ = 0;
  int visible_ = 1;
  float previewCutoff_ = 0.0F;
};

}  // namespace vantrel::model
