#include "gui/chart/dialogs/CMarkerDlg.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "app/MessageIds.h"
#include "gui/platform/QtServices.h"
#include "gui/widgets/DialogParts.h"
#include "gui/widgets/Swatches.h"
#include "tables/CellTexts.h"

namespace vantrel::gui {
namespace {

constexpr int kCloseButton = 2;

tables::MarkerScroll ScrollCode(int action) {
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
      return tables::MarkerScroll::kLineLeft;
    case QAbstractSlider::SliderSingleStepAdd:
      return tables::MarkerScroll::kLineRight;
    case QAbstractSlider::SliderPageStepSub:
      return tables::MarkerScroll::kPageLeft;
    case QAbstractSlider::SliderPageStepAdd:
      return tables::MarkerScroll::kPageRight;
    case QAbstractSlider::SliderMove:
      return tables::MarkerScroll::kThumbTrack;
    default:
      return tables::MarkerScroll::kOther;
  }
}

}  // namespace

CMarkerDlg::CMarkerDlg(OpenDocument& document, const app::BrandedTexts& texts,
                       char decimalSeparator, QWidget* parent)
    : QDialog(parent),
      document_(&document),
      measurement_(*document.Measurement()),
      texts_(texts),
      decimalSeparator_(decimalSeparator) {
  setWindowTitle(DialogCaption(texts, kTemplate));

  markerA_ = Numbered(new QRadioButton(ControlLabel(texts, kTemplate, kMarkerA), this), kMarkerA);
  markerB_ = Numbered(new QRadioButton(ControlLabel(texts, kTemplate, kMarkerB), this), kMarkerB);
  auto* group = new QButtonGroup(this);
  group->addButton(markerA_, 0);
  group->addButton(markerB_, 1);
  scrollBar_ = Numbered(new QScrollBar(Qt::Horizontal, this), kScrollBar);
  scrollBar_->setFocusPolicy(Qt::StrongFocus);
  scrollBar_->setMinimumWidth(360);

  list_ = Numbered(new QTreeWidget(this), kValueList);
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setSelectionMode(QAbstractItemView::NoSelection);
  list_->setFocusPolicy(Qt::NoFocus);
  list_->setIconSize(kSwatchSize);
  list_->header()->setSectionsMovable(false);
  list_->header()->setStretchLastSection(true);
  const int titles[] = {ids::kStrColumnNumber,  ids::kStrColumnName,    ids::kStrColumnDisplay,
                        ids::kStrColumnMarkerA, ids::kStrColumnMarkerB, ids::kStrColumnDifference};
  QStringList headers;
  for (const int id : titles) headers << ToQString(texts.Text(id));
  list_->setHeaderLabels(headers);
  const QFontMetrics metrics = list_->header()->fontMetrics();
  const auto w = [&](int c) { return metrics.horizontalAdvance(headers[c]); };
  const int widths[] = {w(0) + 18, 3 * w(1), w(2) + 20, 4 * w(3), 4 * w(4), 5 * w(5)};
  int total = 0;
  for (int c = 0; c < 6; ++c) {
    const int width = std::max(widths[c], list_->header()->sectionSizeHint(c));
    list_->setColumnWidth(c, width);
    total += width;
  }
  list_->setMinimumWidth(total + 2 * list_->frameWidth() + 4);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* close =
      AddDialogButton(*buttons, texts, kTemplate, kCloseButton, QDialogButtonBox::RejectRole);
  close->setDefault(true);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* markers = new QHBoxLayout;
  markers->addWidget(markerA_);
  markers->addWidget(markerB_);
  markers->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(markers);
  layout->addWidget(scrollBar_);
  layout->addSpacing(4);
  layout->addWidget(BuddyLabel(texts, kTemplate, kValueList, scrollBar_));
  layout->addWidget(list_, 1);
  layout->addWidget(buttons);

  // Steps, start positions and markers.
  const model::CXAchse& x = measurement_.GetXAxis();
  xStart_ = static_cast<double>(x.GetMin());
  scale_ = tables::ComputeMarkerScale(measurement_, xStart_, static_cast<double>(x.GetMax()));
  const tables::MarkerPositions start = tables::InitialMarkerPositions(
      scale_.stepCount, measurement_.GetXScroll(), measurement_.GetXZoom());
  positionA_ = start.a;
  positionB_ = start.b;
  scrollBar_->setRange(0, scale_.stepCount);
  scrollBar_->setSingleStep(1);
  // Paging moves by a fortieth of the steps; the thumb is never thinner than one step.
  scrollBar_->setPageStep(std::max(1, scale_.stepCount / 40));
  active_ = 0;
  markerA_->setChecked(true);
  ShowActiveMarker();
  BuildRows();
  FillTexts();
  PlaceMarkers();

  connect(group, &QButtonGroup::idClicked, this, [this](int id) {
    active_ = id;
    ShowActiveMarker();
  });
  connect(scrollBar_, &QScrollBar::actionTriggered, this,
          [this](int action) { ScrollAction(action); });
  scrollBar_->installEventFilter(this);
  scrollBar_->setFocus();
}

CMarkerDlg::~CMarkerDlg() = default;

void CMarkerDlg::BuildRows() {
  rows_.clear();
  list_->clear();
  rows_.push_back({});
  new QTreeWidgetItem(list_);
  for (int i = 0; i < measurement_.GetCurveCount(); ++i) {
    const model::CKurveObj& curve = *measurement_.GetCurve(i);
    std::vector<int> selectors;
    switch (curve.GetValueMode()) {
      case model::kModeMinimum:
        selectors = {0};
        break;
      case model::kModeMaximum:
        selectors = {1};
        break;
      case model::kModeBar:
        selectors = {0, 1};
        break;
      case model::kModeValue:
        selectors = {4};
        break;
      default:
        selectors = {2};
        break;
    }
    for (std::size_t k = 0; k < selectors.size(); ++k) {
      rows_.push_back({i, selectors[k]});
      auto* item = new QTreeWidgetItem(list_);
      if (k == 0) {
        item->setIcon(0, QIcon(SwatchPixmap(curve.GetColor())));
        item->setText(0, QString::number(i + 1));
      }
    }
  }
}

QString CMarkerDlg::ValueText(double value) const {
  return ToQString(tables::FormatNumber("%0.3f", value, decimalSeparator_));
}

void CMarkerDlg::FillTexts() {
  const double tA = tables::MarkerTime(xStart_, positionA_, scale_.timeStep);
  const double tB = tables::MarkerTime(xStart_, positionB_, scale_.timeStep);
  for (std::size_t r = 0; r < rows_.size(); ++r) {
    QTreeWidgetItem* item = list_->topLevelItem(static_cast<int>(r));
    const Row& row = rows_[r];
    if (row.curve < 0) {
      item->setText(1, ToQString(texts_.Text(ids::kStrColumnTime)));
      item->setText(3, ToQString(tables::MarkerTimeText(tA, decimalSeparator_)));
      item->setText(4, ToQString(tables::MarkerTimeText(tB, decimalSeparator_)));
      item->setText(5, ToQString(tables::MarkerTimeText(std::fabs(tA - tB), decimalSeparator_)));
      continue;
    }
    const model::CKurveObj& curve = *measurement_.GetCurve(row.curve);
    const bool continued = r > 0 && rows_[r - 1].curve == row.curve;
    item->setText(1, continued ? QString() : ToQString(curve.GetName()));
    item->setText(2, ToQString(tables::SelectorText(row.selector, texts_)));
    model::CValueObj atA;
    model::CValueObj atB;
    curve.ValueAt(tA, &atA.minimum, &atA.maximum, &atA.value);
    curve.ValueAt(tB, &atB.minimum, &atB.maximum, &atB.value);
    const double a = tables::SelectedValue(atA, row.selector);
    const double b = tables::SelectedValue(atB, row.selector);
    item->setText(3, ValueText(a));
    item->setText(4, ValueText(b));
    item->setText(5, ValueText(a - b));
  }
}

void CMarkerDlg::ShowActiveMarker() {
  scrollBar_->setValue(active_ == 1 ? positionB_ : positionA_);
}

void CMarkerDlg::ScrollAction(int action) {
  Move(ScrollCode(action), scrollBar_->sliderPosition());
}

bool CMarkerDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched != scrollBar_ || event->type() != QEvent::KeyPress) {
    return QDialog::eventFilter(watched, event);
  }
  tables::MarkerScroll code = tables::MarkerScroll::kOther;
  switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
      code = tables::MarkerScroll::kLineLeft;
      break;
    case Qt::Key_Right:
    case Qt::Key_Down:
      code = tables::MarkerScroll::kLineRight;
      break;
    case Qt::Key_PageUp:
      code = tables::MarkerScroll::kPageLeft;
      break;
    case Qt::Key_PageDown:
      code = tables::MarkerScroll::kPageRight;
      break;
    case Qt::Key_Home:
    case Qt::Key_End:
      return true;  // the marker moves step by step or by pages only
    default:
      return QDialog::eventFilter(watched, event);
  }
  Move(code, scrollBar_->sliderPosition());
  return true;
}

void CMarkerDlg::Move(tables::MarkerScroll code, int tracked) {
  const int current = active_ == 1 ? positionB_ : positionA_;
  const int moved = tables::ScrollMarker(current, code, tracked, scale_.stepCount);
  // The scroll bar shows the marker's own step, whatever its own paging would do.
  scrollBar_->setSliderPosition(moved);
  if (moved == current) return;
  (active_ == 1 ? positionB_ : positionA_) = moved;
  FillTexts();
  PlaceMarkers();
}

void CMarkerDlg::PlaceMarkers() {
  measurement_.SetCursors(tables::MarkerFraction(positionA_, scale_.stepCount),
                          tables::MarkerFraction(positionB_, scale_.stepCount));
  if (document_ != nullptr) document_->RefreshViews();
}

void CMarkerDlg::done(int result) {
  measurement_.SetCursors(-1.0, -1.0);
  if (document_ != nullptr) document_->RefreshViews();
  QDialog::done(result);
}

}  // namespace vantrel::gui
