// A straight line annotation: start point and extent in normalized chart units (dy upward).
#pragma once

#include "platform/Canvas.h"

namespace vantrel::model {

class CMessungObj;

class CLineObj {
 public:
  CLineObj() = default;
  CLineObj(double x, double y, double dx, double dy) : posX_(x), posY_(y), dx_(dx), dy_(dy) {}

  double GetPosX() const { return posX_; }
  double GetPosY() const { return posY_; }
  double GetDx() const { return dx_; }
  double GetDy() const { return dy_; }
  void Set(double x, double y, double dx, double dy) {
    posX_ = x;
    posY_ = y;
    dx_ = dx;
    dy_ = dy;
  }

  /// Draws the line in black, unclipped.
  void Draw(platform::Canvas& canvas, const platform::Rect& plot, const CMessungObj& m) const;
  /// The hit rectangle (normalized): the line's box grown by 2 pixels (see the hit test rules).
  platform::Rect HitRect(const platform::Rect& plot, const CMessungObj& m) const;

 private:
  double posX_ = 0.0;
  double posY_ = 0.0;
  double dx_ = 0.0;
  double dy_ = 0.0;
};

}  // namespace vantrel::model
