// The program icon: a blue tile with a yellow curve over white axes. It is drawn here at
// any size (the build renders the installed PNG files from it) and, in a running program,
// read from the installed icon files next to the data folder when they are there.
#pragma once

#include <QIcon>
#include <QImage>
#include <QPainter>
#include <array>
#include <filesystem>

namespace vantrel::gui {

/// The program's desktop id (reverse-DNS from the maker): the name of the desktop entry,
/// the icon files, the file-type registration and the AppStream data.
inline constexpr const char* kDesktopId = "de.vantrel_messtechnik.Vantrel";

/// The square sizes in pixels the icon is installed at (besides the SVG file).
inline constexpr std::array<int, 8> kIconSizes{16, 22, 24, 32, 48, 64, 128, 256};

/// Paints the icon into the square (0, 0, size, size) of `painter`'s units.
void PaintProgramIcon(QPainter& painter, qreal size);

/// The icon drawn into a transparent picture of `size` x `size` pixels.
QImage ProgramIconImage(int size);

/// The program icon: the installed PNG files of "<dataFolder>/../icons/hicolor" when found,
/// else drawn at every installed size.
QIcon ProgramIcon(const std::filesystem::path& dataFolder);

}  // namespace vantrel::gui
