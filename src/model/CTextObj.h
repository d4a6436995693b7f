// A text annotation placed on the chart in normalized chart units (top-left corner).
#pragma once

#include <string>

#include "platform/Canvas.h"

namespace vantrel::model {

class CMessungObj;

/// The height of a text of size 0: the device's default font height, 12 points at the
/// device's resolution.
inline constexpr int kDefaultTextPoints = 12;

class CTextObj {
 public:
  CTextObj() = default;
  CTextObj(std::u16string text, int fontSize, double x, double y)
      : text_(std::move(text)), fontSize_(fontSize), posX_(x), posY_(y) {}

  const std::u16string& GetText() const { return text_; }
  void SetText(const std::u16string& text) { text_ = text; }
  int GetFontSize() const { return fontSize_; }
  void SetFontSize(int points) { fontSize_ = points; }
  double GetPosX() const { return posX_; }
  double GetPosY() const { return posY_; }
  void SetPos(double x, double y) {
    posX_ = x;
    posY_ = y;
  }
  const platform::Rect& GetDragRect() const { return dragRect_; }

  /// Draws the text with its top-left corner at its anchor, only when the anchor lies in `plot`.
  void Draw(platform::Canvas& canvas, const platform::Rect& plot, const CMessungObj& m);
  /// Moves the text to (x, y) while it is dragged and draws the exclusive-or feedback;
  /// returns false and changes nothing when the new anchor lies outside `plot`.
  bool DragTo(double x, double y, platform::Canvas& canvas, const platform::Rect& plot,
              const CMessungObj& m);
  /// The screen rectangle of the text (anchor plus text extent), whether inside the plot or not.
  platform::Rect ScreenRect(platform::Canvas& canvas, const platform::Rect& plot,
                            const CMessungObj& m) const;

 private:
  std::u16string text_;
  int fontSize_ = 10;
  double posX_ = 0.0;
  double posY_ = 0.0;
  platform::Rect dragRect_;
};

/// The pixel anchor of normalized point (p, q) in `plot` at the zoom and scroll of `m`.
platform::Point AnchorOf(double p, double q, const platform::Rect& plot, const CMessungObj& m);

}  // namespace vantrel::model
