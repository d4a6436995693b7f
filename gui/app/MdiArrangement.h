// The window menu's arrangements of the work area: cascading, tiling one above another,
// tiling side by side, and the row of minimised windows at the bottom. The geometry is
// computed by the static functions (client size in, window rectangles out) and applied
// by Apply: a maximised window is restored first, minimised windows keep their row below
// the arranged ones.
#pragma once

#include <QMdiArea>
#include <QRect>
#include <QSize>
#include <vector>

namespace vantrel::gui {

class MdiArrangement {
 public:
  enum class Kind { Cascade, OneAboveAnother, SideBySide, Icons };

  /// `count` windows cascading from the top left, each `step` pixels right of and below
  /// the one before, four fifths of the client area large (as new windows are placed).
  static std::vector<QRect> Cascade(QSize client, int count, int step);
  /// `count` windows of the client's full width, dividing its height.
  static std::vector<QRect> OneAboveAnother(QSize client, int count);
  /// `count` windows of the client's full height, dividing its width.
  static std::vector<QRect> SideBySide(QSize client, int count);
  /// `count` minimised windows of size `icon` in rows along the bottom, left to right,
  /// further rows above.
  static std::vector<QRect> IconRows(QSize client, QSize icon, int count);
  /// The height the rows of `count` minimised windows of size `icon` take at the bottom.
  static int IconRowsHeight(QSize client, QSize icon, int count);

  /// Arranges the windows of `area` (in the order they were opened).
  static void Apply(QMdiArea& area, Kind kind);
};

}  // namespace vantrel::gui
