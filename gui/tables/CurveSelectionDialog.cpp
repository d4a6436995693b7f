#include "gui/tables/CurveSelectionDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/platform/QtServices.h"
#include "gui/tables/CLegende.h"
#include "gui/tables/TableModel.h"
#include "gui/widgets/DialogParts.h"
#include "gui/widgets/Swatches.h"
#include "tables/CurveSelectionList.h"

namespace vantrel::gui {
namespace {

constexpr int kTemplate = 155;
constexpr int kListControl = 1010;

}  // namespace

CurveSelectionDialog::CurveSelectionDialog(const model::CMessungObj& measurement,
                                           const app::BrandedTexts& texts,
                                           const tables::TextConventions& conventions,
                                           QWidget* parent)
    : QDialog(parent), measurement_(measurement) {
  setWindowTitle(DialogCaption(texts, kTemplate));

  model_ = new TableModel(this);
  model_->SetContents(
      std::make_unique<tables::CurveSelectionList>(measurement, texts, conventions));

  list_ = new QTableView(this);
  list_->setObjectName(QStringLiteral("control1010"));
  list_->setModel(model_);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setShowGrid(false);
  list_->setWordWrap(false);
  list_->setIconSize(kSwatchSize);
  list_->verticalHeader()->hide();
  list_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 4);
  list_->horizontalHeader()->setHighlightSections(false);
  list_->horizontalHeader()->setSectionsClickable(false);
  list_->horizontalHeader()->setStretchLastSection(true);
  const std::vector<int> widths =
      ColumnWidthsFor(model_->Contents()->Columns(), list_->horizontalHeader()->fontMetrics());
  int total = 0;
  for (std::size_t c = 0; c < widths.size(); ++c) {
    // A column is never narrower than its texts, so names and plotted values read in full.
    const int width = std::max(
        widths[c], static_cast<QAbstractItemView*>(list_)->sizeHintForColumn(static_cast<int>(c)));
    list_->setColumnWidth(static_cast<int>(c), width);
    total += width;
  }
  const int rowsShown = std::clamp(model_->rowCount(), 6, tables::kMaxSelection);
  list_->setMinimumSize(total + 2 * list_->frameWidth() + 4,
                        list_->horizontalHeader()->sizeHint().height() +
                            rowsShown * list_->verticalHeader()->defaultSectionSize() +
                            2 * list_->frameWidth());
  if (model_->rowCount() > 0) list_->setCurrentIndex(model_->index(0, 0));
  list_->clearSelection();
  connect(list_, &QTableView::doubleClicked, this, [this] { accept(); });

  QLabel* label = BuddyLabel(texts, kTemplate, kListControl, list_);
  QDialogButtonBox* buttons = MakeOkCancelButtons(*this, texts, kTemplate).box;

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(list_, 1);
  layout->addWidget(buttons);
  list_->setFocus();
}

CurveSelectionDialog::~CurveSelectionDialog() = default;

void CurveSelectionDialog::accept() {
  std::vector<int> rows;
  for (const QModelIndex& index : list_->selectionModel()->selectedRows()) {
    rows.push_back(index.row());
  }
  selection_ = tables::SelectionFromRows(std::move(rows), measurement_.GetCurveCount());
  QDialog::accept();
}

}  // namespace vantrel::gui
