// The program icon, drawn here so the program needs no image files: the window icon and the
// picture of the about box.
#pragma once

#include <QIcon>

namespace vantrel::gui {

QIcon ProgramIcon();

}  // namespace vantrel::gui
