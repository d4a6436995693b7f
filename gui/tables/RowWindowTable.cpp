#include "gui/tables/RowWindowTable.h"

#include <QApplication>
#include <QHeaderView>
#include <QWheelEvent>
#include <algorithm>
#include <climits>

#include "gui/tables/TableModel.h"

namespace vantrel::gui {

RowWindowTable::RowWindowTable(TableModel& model, QScrollBar& rows, QWidget* parent)
    : QTableView(parent), model_(model), rows_(rows) {
  // A window from the start: the view never sees the table's full length.
  model_.SetRowWindow(0, 1);
  setModel(&model_);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  verticalHeader()->hide();
  // Rows of one fixed height: the window size follows from the view's height.
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  rows_.setOrientation(Qt::Vertical);
  rows_.setSingleStep(1);
  connect(&rows_, &QScrollBar::valueChanged, this, [this](int first) { MoveWindow(first); });
  connect(&model_, &QAbstractItemModel::modelReset, this, [this] {
    if (current_ >= model_.TotalRows()) current_ = -1;
    UpdateWindow();
  });
}

int RowWindowTable::FullRows() const {
  const int rowHeight = std::max(verticalHeader()->defaultSectionSize(), 1);
  return std::max(viewport()->height() / rowHeight, 1);
}

void RowWindowTable::UpdateWindow() {
  const long long total = model_.TotalRows();
  const int full = FullRows();
  const long long last = std::max<long long>(total - full, 0);
  const QSignalBlocker quiet(&rows_);
  rows_.setRange(0, static_cast<int>(std::min<long long>(last, INT_MAX)));
  rows_.setPageStep(full);
  rows_.setVisible(total > full);
  MoveWindow(rows_.value());
}

void RowWindowTable::MoveWindow(int first) {
  // One row more than fits fully: the partly visible row at the bottom.
  model_.SetRowWindow(first, FullRows() + 1);
  verticalScrollBar()->setValue(0);
  RestoreCurrent();
}

void RowWindowTable::RestoreCurrent() {
  if (selectionModel() == nullptr) return;
  moving_ = true;
  const long long row = current_ - model_.FirstRow();
  if (current_ >= 0 && row >= 0 && row < model_.rowCount()) {
    const QModelIndex index =
        model_.index(static_cast<int>(row), std::max(currentIndex().column(), 0));
    selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  } else {
    selectionModel()->clear();
  }
  moving_ = false;
}

void RowWindowTable::ShowRow(long long row) {
  const long long first = rows_.value();
  const int full = FullRows();
  if (row < first) {
    rows_.setValue(static_cast<int>(row));
  } else if (row >= first + full) {
    rows_.setValue(static_cast<int>(row - full + 1));
  }
}

void RowWindowTable::SetCurrentRow(long long row) {
  const long long total = model_.TotalRows();
  if (total == 0) return;
  current_ = std::clamp<long long>(row, 0, total - 1);
  ShowRow(current_);
  RestoreCurrent();
}

void RowWindowTable::scrollTo(const QModelIndex& index, ScrollHint hint) {
  if (!index.isValid()) return;
  const long long row = model_.FirstRow() + index.row();
  ShowRow(row);
  // Only the horizontal part is left to the table view; rows never scroll inside it.
  QTableView::scrollTo(model_.index(static_cast<int>(row - model_.FirstRow()), index.column()),
                       hint);
  verticalScrollBar()->setValue(0);
}

QModelIndex RowWindowTable::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  const long long total = model_.TotalRows();
  if (total == 0) return {};
  const long long page = std::max(FullRows() - 1, 1);
  long long target = std::max<long long>(current_, 0);
  switch (action) {
    case MoveUp:
      target -= 1;
      break;
    case MoveDown:
      target += current_ < 0 ? 0 : 1;
      break;
    case MovePageUp:
      target -= page;
      break;
    case MovePageDown:
      target += page;
      break;
    case MoveHome:
      target = 0;
      break;
    case MoveEnd:
      target = total - 1;
      break;
    default:
      return QTableView::moveCursor(action, modifiers);
  }
  target = std::clamp<long long>(target, 0, total - 1);
  ShowRow(target);
  current_ = target;
  return model_.index(static_cast<int>(target - model_.FirstRow()),
                      std::max(currentIndex().column(), 0));
}

void RowWindowTable::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);
  if (!moving_ && current.isValid()) current_ = model_.FirstRow() + current.row();
}

void RowWindowTable::wheelEvent(QWheelEvent* event) {
  if (event->angleDelta().y() != 0 && rows_.isVisible()) {
    QApplication::sendEvent(&rows_, event);
    return;
  }
  QTableView::wheelEvent(event);
}

void RowWindowTable::resizeEvent(QResizeEvent* event) {
  QTableView::resizeEvent(event);
  UpdateWindow();
}

}  // namespace vantrel::gui
