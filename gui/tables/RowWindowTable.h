// The list of a table window: a QTableView that shows only the rows in sight. Its model
// holds a window of the table's rows, and a separate scroll bar (in rows) moves that window,
// so a value table of ten million rows opens and scrolls like one of ten. Keyboard moves,
// the wheel and the current row work in table rows; the view keeps the current row while
// the window moves under it.
#pragma once

#include <QScrollBar>
#include <QTableView>

namespace vantrel::gui {

class TableModel;

class RowWindowTable final : public QTableView {
  Q_OBJECT
 public:
  /// `rows` scrolls the window (placed beside the view by the owner); both must outlive
  /// the view's use of them.
  RowWindowTable(TableModel& model, QScrollBar& rows, QWidget* parent = nullptr);

  /// Fits the window to the view's height and the table's length (after new contents).
  void UpdateWindow();
  /// Scrolls the fewest rows so that table row `row` is fully in sight.
  void ShowRow(long long row);
  /// The current table row; -1 when none.
  long long CurrentRow() const { return current_; }
  /// Makes table row `row` current and selected, scrolling it into sight.
  void SetCurrentRow(long long row);
  /// Rows that fit fully in the view (at least 1).
  int FullRows() const;

  void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

 protected:
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void wheelEvent(QWheelEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void MoveWindow(int first);
  void RestoreCurrent();

  TableModel& model_;
  QScrollBar& rows_;
  long long current_ = -1;
  bool moving_ = false;
};

}  // namespace vantrel::gui
