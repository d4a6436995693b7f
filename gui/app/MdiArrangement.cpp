#include "gui/app/MdiArrangement.h"

#include <QMdiSubWindow>
#include <QStyle>
#include <algorithm>

#include "gui/app/DocumentManager.h"

namespace vantrel::gui {
namespace {

/// Splits `length` into `count` parts that differ by at most one pixel and fill it.
int PartStart(int length, int count, int index) {
  return static_cast<int>(static_cast<long long>(length) * index / count);
}

int IconsPerRow(QSize client, QSize icon) {
  return std::max(1, client.width() / std::max(1, icon.width()));
}

}  // namespace

std::vector<QRect> MdiArrangement::Cascade(QSize client, int count, int step) {
  std::vector<QRect> places;
  for (int i = 0; i < count; ++i) places.push_back(DocumentManager::CascadePlace(client, step, i));
  return places;
}

std::vector<QRect> MdiArrangement::OneAboveAnother(QSize client, int count) {
  std::vector<QRect> places;
  for (int i = 0; i < count; ++i) {
    const int top = PartStart(client.height(), count, i);
    const int bottom = PartStart(client.height(), count, i + 1);
    places.emplace_back(0, top, client.width(), bottom - top);
  }
  return places;
}

std::vector<QRect> MdiArrangement::SideBySide(QSize client, int count) {
  std::vector<QRect> places;
  for (int i = 0; i < count; ++i) {
    const int left = PartStart(client.width(), count, i);
    const int right = PartStart(client.width(), count, i + 1);
    places.emplace_back(left, 0, right - left, client.height());
  }
  return places;
}

std::vector<QRect> MdiArrangement::IconRows(QSize client, QSize icon, int count) {
  std::vector<QRect> places;
  const int perRow = IconsPerRow(client, icon);
  for (int i = 0; i < count; ++i) {
    const int row = i / perRow;
    const int column = i % perRow;
    places.emplace_back(QPoint(column * icon.width(), client.height() - (row + 1) * icon.height()),
                        icon);
  }
  return places;
}

int MdiArrangement::IconRowsHeight(QSize client, QSize icon, int count) {
  if (count <= 0) return 0;
  const int perRow = IconsPerRow(client, icon);
  return (count + perRow - 1) / perRow * icon.height();
}

void MdiArrangement::Apply(QMdiArea& area, Kind kind) {
  std::vector<QMdiSubWindow*> normal;
  std::vector<QMdiSubWindow*> minimised;
  for (QMdiSubWindow* window : area.subWindowList(QMdiArea::CreationOrder)) {
    if (window->isHidden()) continue;
    if (window->isMinimized()) {
      minimised.push_back(window);
    } else {
      if (window->isMaximized()) window->showNormal();
      normal.push_back(window);
    }
  }
  QMdiSubWindow* active = area.activeSubWindow();
  const QSize client = area.viewport()->size();
  QSize icon = minimised.empty() ? QSize() : minimised.front()->size();
  const auto icons = IconRows(client, icon, static_cast<int>(minimised.size()));
  for (std::size_t i = 0; i < minimised.size(); ++i) minimised[i]->setGeometry(icons[i]);
  if (kind == Kind::Icons) return;
  // The arranged windows leave the rows of the minimised ones free.
  const QSize room(
      client.width(),
      std::max(1,
               client.height() - IconRowsHeight(client, icon, static_cast<int>(minimised.size()))));
  const int count = static_cast<int>(normal.size());
  std::vector<QRect> places;
  switch (kind) {
    case Kind::Cascade: {
      const int step =
          normal.empty() ? 1 : normal.front()->style()->pixelMetric(QStyle::PM_TitleBarHeight);
      places = Cascade(room, count, step);
      break;
    }
    case Kind::OneAboveAnother:
      places = OneAboveAnother(room, count);
      break;
    case Kind::SideBySide:
      places = SideBySide(room, count);
      break;
    case Kind::Icons:
      break;
  }
  for (int i = 0; i < count; ++i) {
    normal[static_cast<std::size_t>(i)]->setGeometry(places[static_cast<std::size_t>(i)]);
    normal[static_cast<std::size_t>(i)]->raise();
  }
  // The active window stays in front.
  if (active != nullptr && !active->isMinimized()) active->raise();
}

}  // namespace vantrel::gui
