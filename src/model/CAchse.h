// Value axes (CAchse) and the time/x-source axis (CXAchse): range, divisions, unit, the
// visible window that zoom and scroll select, and the painting of ticks and labels.
// An axis never scans data; its owners set its range.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/Units.h"
#include "platform/Canvas.h"
#include "platform/TextSource.h"

namespace vantrel::model {

/// The visible window of an axis for one zoom and scroll, and where its ticks fall.
struct AxisWindow {
  /// value(i) for i = 0..N (N = divisions + 1), accumulated by repeated double additions.
  std::vector<double> tickValues;
  /// Pixel distance of two ticks along the axis (extent / N, real-valued).
  double pixelStep = 0.0;
  float visibleStart = 0.0F;
  float visibleEnd = 0.0F;
};

/// Ticks an axis computes at most (beyond them the tick list stops; the window does not).
inline constexpr long long kMaxAxisTicks = 100000;

/// Computes the visible window of range [min, max] with `divisions` inner ticks, shown at
/// `zoom` from the fraction `scroll` of the range, on an axis `extent` pixels long.
AxisWindow ComputeAxisWindow(double min, double max, int divisions, double zoom, double scroll,
                             int extent);

/// The decade exponent of the labels (0, -3, 3 or 6), chosen from the axis maximum alone.
int DecadeExponent(double maximum);

/// Truncates a real pixel position toward zero, clamped to +-2^28 so that values from
/// corrupt files (huge, infinite) stay representable; NaN gives 0. Drawing code converts
/// every computed position through it.
int TruncatePixel(double position);

class CAchse {
 public:
  CAchse() = default;
  virtual ~CAchse() = default;
  CAchse(const CAchse&) = default;
  CAchse& operator=(const CAchse&) = default;

  virtual float GetMin() const { return rangeMin_; }
  virtual float GetMax() const { return rangeMax_; }
  float GetVisibleStart() const { return visibleStart_; }
  float GetVisibleEnd() const { return visibleEnd_; }
  virtual int GetDivisions() const { return divisions_; }
  /// Returns the unit code; fills `text` with the custom text when the code is kUnitCustom.
  virtual int GetUnit(std::u16string* text) const;
  virtual void SetMin(float value) { rangeMin_ = value; }
  virtual void SetMax(float value) { rangeMax_ = value; }
  virtual void SetDivisions(int value) { divisions_ = value; }
  /// kUnitCustom sets code and text; 0..8 set the code only; any other code sets kUnitCustom
  /// and keeps the text.
  virtual void SetUnit(int code, const std::u16string& text);

  /// The display name of the axis unit.
  virtual std::u16string UnitDisplayName(const platform::TextSource& texts) const;

  /// Draws the value axis along the right edge of `column` (see the chart layout). With
  /// `paint` false only records the visible window. `colors` are the colours of the curves
  /// drawn on this axis, bottom segment first. Labels use `decimalSeparator` (the user's).
  void Draw(platform::Canvas& canvas, const platform::Rect& column, double zoom, double scroll,
            const std::vector<platform::Color>& colors, bool paint,
            const platform::TextSource& texts, char decimalSeparator);

  // Raw field access for the archive and the dialogs (no mode switching).
  int RawUnitCode() const { return unitCode_; }
  const std::u16string& RawUnitText() const { return unitText_; }
  float RawMin() const { return rangeMin_; }
  float RawMax() const { return rangeMax_; }
  int RawDivisions() const { return divisions_; }
  void SetRaw(int unitCode, float max, float min, int divisions, std::u16string unitText) {
    unitCode_ = unitCode;
    rangeMax_ = max;
    rangeMin_ = min;
    divisions_ = divisions;
    unitText_ = std::move(unitText);
  }

 protected:
  /// Stores the visible window that Draw computed.
  void SetVisible(float start, float end) {
    visibleStart_ = start;
    visibleEnd_ = end;
  }

  float rangeMin_ = 0.0F;
  float rangeMax_ = 0.0F;
  float visibleStart_ = 0.0F;
  float visibleEnd_ = 0.0F;
  int unitCode_ = kUnitCustom;
  std::u16string unitText_;
  int divisions_ = 3;
};

class CXAchse final : public CAchse {
 public:
  CXAchse();

  float GetMin() const override { return xyMode_ != 0 ? xyMin_ : rangeMin_; }
  float GetMax() const override { return xyMode_ != 0 ? xyMax_ : rangeMax_; }
  int GetDivisions() const override { return xyMode_ != 0 ? xyDivisions_ : divisions_; }
  int GetUnit(std::u16string* text) const override;
  void SetMin(float value) override { (xyMode_ != 0 ? xyMin_ : rangeMin_) = value; }
  void SetMax(float value) override { (xyMode_ != 0 ? xyMax_ : rangeMax_) = value; }
  void SetDivisions(int value) override { (xyMode_ != 0 ? xyDivisions_ : divisions_) = value; }
  void SetUnit(int code, const std::u16string& text) override;
  std::u16string UnitDisplayName(const platform::TextSource& texts) const override;

  /// Enabling sets the x-source curve index first.
  void SetXYMode(int enable, int curveIndex) {
    if (enable != 0) xCurveIndex_ = curveIndex;
    xyMode_ = enable;
  }
  int GetXYMode() const { return xyMode_; }
  /// The x-source curve position, -1 while the axis is time.
  int GetXCurveIndex() const { return xyMode_ != 0 ? xCurveIndex_ : -1; }
  int GetDrawLines() const { return drawLines_; }
  void SetDrawLines(int value) { drawLines_ = value; }
  int GetTimeUnit() const { return timeUnit_; }

  /// Draws the horizontal axis along the top edge of `band`; with `paint` false only records
  /// the visible window. Labels use `decimalSeparator` (the user's).
  void Draw(platform::Canvas& canvas, const platform::Rect& band, double zoom, double scroll,
            bool paint, const platform::TextSource& texts, char decimalSeparator);

  // Raw field access for the archive.
  int RawDrawLines() const { return drawLines_; }
  int RawXYMode() const { return xyMode_; }
  int RawTimeUnit() const { return timeUnit_; }
  float RawXYMax() const { return xyMax_; }
  float RawXYMin() const { return xyMin_; }
  int RawXCurveIndex() const { return xCurveIndex_; }
  int RawXYDivisions() const { return xyDivisions_; }
  void SetRawX(int drawLines, int xyMode, int timeUnit, float xyMax, float xyMin, int xCurveIndex,
               int xyDivisions) {
    drawLines_ = drawLines;
    xyMode_ = xyMode;
    timeUnit_ = timeUnit;
    xyMax_ = xyMax;
    xyMin_ = xyMin;
    xCurveIndex_ = xCurveIndex;
    xyDivisions_ = xyDivisions;
  }

 private:
  int drawLines_ = 1;
  int timeUnit_ = 2;
  int xyMode_ = 0;
  int xCurveIndex_ = 0;
  float xyMin_ = 0.0F;
  float xyMax_ = 1.0F;
  int xyDivisions_ = 4;
};

}  // namespace vantrel::model
