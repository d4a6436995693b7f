// The sample table dialog.
#include "gui/samples/CSampleTableDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "gui/samples/CSampleEditDlg.h"
#include "gui/samples/SampleTableContents.h"
#include "gui/tables/CLegende.h"
#include "gui/tables/RowWindowTable.h"
#include "gui/tables/TableModel.h"
#include "gui/widgets/DialogParts.h"

namespace vantrel::gui {
namespace {

constexpr int kTemplate = 156;
constexpr int kListControl = 1010;
constexpr int kEditButton = 1049;
constexpr int kRowsShown = 18;

}  // namespace

CSampleTableDlg::CSampleTableDlg(model::CKurveObj& curve, const app::BrandedTexts& texts,
                                 platform::MessageService& messages, char decimalSeparator,
                                 std::function<void()> changed, QWidget* parent)
    : QDialog(parent),
      curve_(curve),
      texts_(texts),
      messages_(messages),
      decimalSeparator_(decimalSeparator),
      changed_(std::move(changed)),
      model_(std::make_unique<TableModel>()) {
  setWindowTitle(DialogCaption(texts, kTemplate));
  model_->SetContents(std::make_unique<SampleTableContents>(curve, texts, decimalSeparator));

  auto* listArea = new QWidget(this);
  auto* grid = new QGridLayout(listArea);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setSpacing(0);
  rows_ = new QScrollBar(Qt::Vertical, listArea);
  list_ = new RowWindowTable(*model_, *rows_, listArea);
  list_->setObjectName(QString::number(kListControl));
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setShowGrid(false);
  list_->setWordWrap(false);
  list_->setCornerButtonEnabled(false);
  list_->horizontalHeader()->setHighlightSections(false);
  list_->horizontalHeader()->setSectionsClickable(false);
  list_->horizontalHeader()->setStretchLastSection(true);
  const std::vector<int> widths =
      ColumnWidthsFor(model_->Contents()->Columns(), list_->horizontalHeader()->fontMetrics());
  int total = 0;
  for (std::size_t c = 0; c < widths.size(); ++c) {
    // Never narrower than a value text like "-12345,678".
    const int width = std::max(
        widths[c], list_->fontMetrics().horizontalAdvance(QStringLiteral("-00000,000")) + 12);
    list_->setColumnWidth(static_cast<int>(c), width);
    total += width;
  }
  const int rowHeight = list_->verticalHeader()->defaultSectionSize();
  list_->setMinimumSize(total + 2 * list_->frameWidth() + 4,
                        list_->horizontalHeader()->sizeHint().height() + kRowsShown * rowHeight +
                            2 * list_->frameWidth());
  grid->addWidget(list_, 0, 0, 2, 1);
  grid->addItem(new QSpacerItem(0, list_->horizontalHeader()->sizeHint().height(),
                                QSizePolicy::Minimum, QSizePolicy::Fixed),
                0, 1);
  grid->addWidget(rows_, 1, 1);
  grid->setRowStretch(1, 1);
  connect(list_, &QAbstractItemView::doubleClicked, this, [this] { EditCurrentSample(); });

  auto* label = new QLabel(ControlLabel(texts, kTemplate, kListControl), this);
  label->setBuddy(list_);

  auto* edit = new QPushButton(ControlLabel(texts, kTemplate, kEditButton), this);
  edit->setObjectName(QString::number(kEditButton));
  edit->setAutoDefault(false);
  QDialogButtonBox* buttons = MakeOkCancelButtons(*this, texts, kTemplate).box;
  connect(edit, &QPushButton::clicked, this, [this] { EditCurrentSample(); });
  auto* buttonRow = new QHBoxLayout;
  buttonRow->addWidget(edit);
  buttonRow->addStretch(1);
  buttonRow->addWidget(buttons);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(listArea, 1);
  layout->addLayout(buttonRow);
  if (model_->TotalRows() > 0) list_->SetCurrentRow(0);
  list_->setFocus();
}

CSampleTableDlg::~CSampleTableDlg() = default;

bool CSampleTableDlg::EditCurrentSample() {
  const long long row = list_->CurrentRow();
  const model::CValueObj* shown = std::as_const(curve_).GetSample(row);
  if (shown == nullptr) return false;
  const model::CValueObj before = *shown;
  CSampleEditDlg editor(before, texts_, messages_, decimalSeparator_, this);
  if (editor.exec() != QDialog::Accepted) return false;
  // Looked up again: the curve may have grown while the editor was open.
  model::CValueObj* sample = curve_.GetSample(row);
  if (sample == nullptr) return false;
  const model::CValueObj& entered = editor.Result();
  sample->Set(entered.minimum, entered.maximum, entered.value);
  // The rows in sight ask for their texts again.
  list_->viewport()->update();
  const bool changed = before.minimum != entered.minimum || before.maximum != entered.maximum ||
                       before.value != entered.value;
  if (changed && changed_) changed_();
  return changed;
}

}  // namespace vantrel::gui
