#include "gui/tables/CLegende.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>

#include "gui/platform/QtServices.h"
#include "gui/tables/InformationSheetView.h"
#include "gui/tables/RowWindowTable.h"
#include "gui/tables/TableModel.h"
#include "gui/widgets/Swatches.h"

namespace vantrel::gui {

std::vector<int> ColumnWidthsFor(const std::vector<tables::Column>& columns,
                                 const QFontMetrics& metrics) {
  std::vector<int> widths;
  widths.reserve(columns.size());
  for (const tables::Column& column : columns) {
    widths.push_back(std::max(column.Width(metrics.horizontalAdvance(ToQString(column.title))), 1));
  }
  return widths;
}

void FitColumnsToTexts(const tables::TableContents& contents, const QFontMetrics& metrics,
                       int padding, int swatchWidth, std::vector<int>& widths) {
  if (!contents.FitsColumnsToTexts()) return;
  const int columns = static_cast<int>(std::min(widths.size(), contents.Columns().size()));
  for (long long row = 0; row < contents.RowCount(); ++row) {
    for (int c = 0; c < columns; ++c) {
      if (contents.IsUserText(row, c)) continue;
      const QString text = ToQString(contents.CellText(row, c));
      if (text.isEmpty()) continue;
      int needed = metrics.horizontalAdvance(text) + padding;
      if (c == 0 && contents.RowSwatch(row).has_value()) needed += swatchWidth;
      int& width = widths[static_cast<std::size_t>(c)];
      width = std::max(width, needed);
    }
  }
}

CLegende::CLegende(QWidget* parent) : QWidget(parent), model_(std::make_unique<TableModel>()) {
  stack_ = new QStackedLayout(this);
  stack_->setContentsMargins(0, 0, 0, 0);

  list_ = new QWidget(this);
  listLayout_ = new QGridLayout(list_);
  listLayout_->setContentsMargins(0, 0, 0, 0);
  listLayout_->setSpacing(0);
  rows_ = new QScrollBar(Qt::Vertical, list_);
  table_ = new RowWindowTable(*model_, *rows_, list_);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setShowGrid(false);
  table_->setWordWrap(false);
  table_->setIconSize(kSwatchSize);
  table_->setCornerButtonEnabled(false);
  table_->horizontalHeader()->setHighlightSections(false);
  table_->horizontalHeader()->setSectionsClickable(false);
  table_->horizontalHeader()->setStretchLastSection(false);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  // The row scroll bar sits beside the rows, below the height of the column titles.
  listLayout_->addWidget(table_, 0, 0, 2, 1);
  listLayout_->addItem(new QSpacerItem(0, table_->horizontalHeader()->sizeHint().height(),
                                       QSizePolicy::Minimum, QSizePolicy::Fixed),
                       0, 1);
  listLayout_->addWidget(rows_, 1, 1);
  stack_->addWidget(list_);

  sheet_ = new InformationSheetView(*model_, this);
  stack_->addWidget(sheet_);
  setFocusProxy(table_);
}

CLegende::~CLegende() {
  // The views go before the model they show.
  delete list_;
  delete sheet_;
}

QString CLegende::CellText(long long row, int column) const {
  const tables::TableContents* contents = model_->Contents();
  return contents != nullptr ? ToQString(contents->CellText(row, column)) : QString();
}

bool CLegende::ShowsSheet() const { return stack_->currentWidget() == sheet_; }

std::vector<int> CLegende::ColumnWidths() const {
  const tables::TableContents* contents = model_->Contents();
  if (contents == nullptr) return {};
  return ColumnWidthsFor(contents->Columns(), table_->horizontalHeader()->fontMetrics());
}

void CLegende::Show(std::unique_ptr<tables::TableContents> contents) {
  const int tableLeft = table_->horizontalScrollBar()->value();
  const bool painted = contents != nullptr && contents->OwnerDrawn();
  model_->SetContents(std::move(contents));
  std::vector<int> widths = ColumnWidths();
  if (painted) {
    // The row labels of the sheet are read in full: its first column is at least as wide
    // as the longest label.
    // So are the program's texts of the curve columns (the recording kind, the start time
    // with its seconds); the user's texts are cut to their column.
    const tables::TableContents& sheet = *model_->Contents();
    FitColumnsToTexts(sheet, sheet_->fontMetrics(), InformationSheetView::kTextPadding, 0, widths);
    stack_->setCurrentWidget(sheet_);
    sheet_->Rebuild(widths);
    setFocusProxy(sheet_);
    return;
  }
  stack_->setCurrentWidget(list_);
  setFocusProxy(table_);
  // A cell's text sits between the style's margins, beside the swatch in the first column.
  const int margin =
      table_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table_) + 1;
  FitColumnsToTexts(*model_->Contents(), table_->fontMetrics(), 2 * margin + 2,
                    table_->iconSize().width() + 2 * margin, widths);
  for (std::size_t c = 0; c < widths.size(); ++c) {
    table_->setColumnWidth(static_cast<int>(c), widths[c]);
  }
  table_->horizontalScrollBar()->setValue(tableLeft);
}

}  // namespace vantrel::gui
