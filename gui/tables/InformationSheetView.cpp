#include "gui/tables/InformationSheetView.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include "gui/platform/QtServices.h"
#include "gui/tables/TableModel.h"
#include "gui/widgets/Swatches.h"

namespace vantrel::gui {

SheetLayout SheetLayoutFor(const tables::TableContents& sheet, const std::vector<int>& columnWidths,
                           int rowHeight, int clientWidth) {
  SheetLayout layout;
  const int columns = static_cast<int>(std::min(columnWidths.size(), sheet.Columns().size()));
  int totalWidth = 0;
  for (int c = 0; c < columns; ++c) totalWidth += columnWidths[static_cast<std::size_t>(c)];
  const long long rows = sheet.RowCount();
  for (long long r = 0; r < rows; ++r) {
    const int top = static_cast<int>(r) * rowHeight;
    int left = 0;
    for (int c = 0; c < columns; ++c) {
      const int width = columnWidths[static_cast<std::size_t>(c)];
      const auto color = sheet.CellColor(r, c);
      layout.cells.push_back(SheetCell{QRect(left, top, width, rowHeight),
                                       ToQString(sheet.CellText(r, c)),
                                       color ? ToQColor(*color) : QColor(Qt::black)});
      left += width;
    }
    layout.rowEnds.emplace_back(left, top, std::max(clientWidth - left, 0), rowHeight);
  }
  layout.size = QSize(totalWidth, static_cast<int>(rows) * rowHeight);
  return layout;
}

InformationSheetView::InformationSheetView(TableModel& model, QWidget* parent)
    : QAbstractScrollArea(parent), model_(model) {
  header_ = new QHeaderView(Qt::Horizontal, this);
  header_->setModel(&model_);
  header_->setSectionResizeMode(QHeaderView::Interactive);
  header_->setSectionsClickable(false);
  header_->setHighlightSections(false);
  header_->setStretchLastSection(false);
  connect(header_, &QHeaderView::sectionResized, this, [this](int section, int, int size) {
    if (section >= 0 && static_cast<std::size_t>(section) < widths_.size()) {
      widths_[static_cast<std::size_t>(section)] = size;
      UpdateGeometry();
    }
  });
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(true);
}

int InformationSheetView::RowHeight() const { return fontMetrics().height() + 2; }

void InformationSheetView::Rebuild(const std::vector<int>& columnWidths) {
  widths_ = columnWidths;
  const QSignalBlocker quiet(header_);
  for (std::size_t c = 0; c < widths_.size(); ++c) {
    header_->resizeSection(static_cast<int>(c), widths_[c]);
  }
  UpdateGeometry();
}

void InformationSheetView::UpdateGeometry() {
  const int headerHeight = header_->sizeHint().height();
  setViewportMargins(0, headerHeight, 0, 0);
  const QRect area = viewport()->geometry();
  header_->setGeometry(area.left(), area.top() - headerHeight, area.width(), headerHeight);
  layout_ = model_.Contents() != nullptr
                ? SheetLayoutFor(*model_.Contents(), widths_, RowHeight(), viewport()->width())
                : SheetLayout{};
  horizontalScrollBar()->setRange(0, std::max(layout_.size.width() - viewport()->width(), 0));
  horizontalScrollBar()->setPageStep(viewport()->width());
  verticalScrollBar()->setRange(0, std::max(layout_.size.height() - viewport()->height(), 0));
  verticalScrollBar()->setPageStep(viewport()->height());
  verticalScrollBar()->setSingleStep(RowHeight());
  header_->setOffset(horizontalScrollBar()->value());
  viewport()->update();
}

void InformationSheetView::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(viewport());
  const QPoint offset(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
  const QColor background = palette().color(QPalette::Base);
  constexpr int kTextIndent = 2;
  for (const SheetCell& cell : layout_.cells) {
    const QRect rect = cell.rect.translated(offset);
    painter.fillRect(rect, background);
    painter.setPen(cell.color);
    // A text longer than its column (a long file name) is cut with an ellipsis.
    const QRect textRect = rect.adjusted(kTextIndent, 0, 0, 0);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop,
                     painter.fontMetrics().elidedText(cell.text, Qt::ElideRight, textRect.width()));
  }
  // The rest of each row right of the last column, as wide as the window is now.
  const int width = viewport()->width();
  for (const QRect& end : layout_.rowEnds) {
    QRect rect = end.translated(offset);
    rect.setRight(std::max(rect.left(), width));
    painter.fillRect(rect, background);
  }
}

void InformationSheetView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateGeometry();
}

void InformationSheetView::scrollContentsBy(int /*dx*/, int /*dy*/) {
  header_->setOffset(horizontalScrollBar()->value());
  viewport()->update();
}

}  // namespace vantrel::gui
