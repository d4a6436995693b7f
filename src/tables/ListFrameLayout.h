// The list window around a table: its title suffix by table mode and the size and position
// it gets when it is shown the first time.
#pragma once

#include "platform/Geometry.h"

namespace vantrel::tables {

/// String ID of the title suffix of a table mode (0 -> 32960, 1 -> 32963, 2 -> 32961,
/// 3 -> 32962); 0 for an unknown mode.
int TitleSuffixId(int tableMode);

struct FirstPlacement {
  bool move = false;  // true: move to `position`; false: keep the default position
  platform::Point position;
  platform::Size size;
};

/// The first placement: legend at x 0 and extremes at x 250, both 136 high just above the
/// main window's client bottom `clientBottom` (in the frame's outer coordinates) less the
/// frame's non-client height `nonClientHeight`; value tables and information sheets keep
/// their position and grow with the number of selected curves up to 640 pixels wide.
FirstPlacement FirstPlacementFor(int tableMode, int selectionCount, int clientBottom,
                                 int nonClientHeight);

}  // namespace vantrel::tables
