#include "gui/chart/dialogs/CChartSetupDlg.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>

#include "app/MessageIds.h"
#include "gui/chart/dialogs/CAxisDlg.h"
#include "gui/chart/dialogs/CCurvePropertiesDlg.h"
#include "gui/platform/QtServices.h"
#include "gui/widgets/DialogParts.h"
#include "gui/widgets/Swatches.h"
#include "model/Units.h"
#include "tables/CellTexts.h"

namespace vantrel::gui {
namespace {

constexpr int kTimeUnitCount = 3;  // hours, minutes, seconds; the own text follows

/// Seconds per shown time unit; the axis's own time unit counts in seconds.
double SecondsPer(int timeUnit) {
  switch (timeUnit) {
    case model::kTimeHours:
      return 3600.0;
    case model::kTimeMinutes:
      return 60.0;
    default:
      return 1.0;
  }
}

QTreeWidget* MakeList(QWidget* parent, int controlId) {
  auto* list = Numbered(new QTreeWidget(parent), controlId);
  list->setRootIsDecorated(false);
  list->setUniformRowHeights(true);
  list->setAllColumnsShowFocus(true);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->setIconSize(kChartSwatchSize);
  list->header()->setSectionsMovable(false);
  list->header()->setStretchLastSection(true);
  return list;
}

/// Column titles with their widths: the title's text width plus `extra`, times `factor`
/// for the name column, never narrower than the header needs.
struct Column {
  int titleId;
  int extra;
  int factor;
};

void SetColumns(QTreeWidget& list, const app::BrandedTexts& texts,
                std::initializer_list<Column> columns) {
  QStringList titles;
  for (const Column& c : columns) titles << ToQString(texts.Text(c.titleId));
  list.setHeaderLabels(titles);
  const QFontMetrics metrics = list.header()->fontMetrics();
  int c = 0;
  int total = 0;
  for (const Column& column : columns) {
    const int w = metrics.horizontalAdvance(titles[c]);
    const int width = std::max(column.factor > 1 ? column.factor * w : w + column.extra,
                               list.header()->sectionSizeHint(c));
    list.setColumnWidth(c, width);
    total += width;
    ++c;
  }
  list.setMinimumWidth(total + 2 * list.frameWidth() + 4);
}

/// Widens every column but `userColumn` to its contents, so that the program's texts (units,
/// value modes, numbers) are read in full in every language and font; the user's names keep
/// their column's width and are cut with an ellipsis. Columns only grow.
void FitColumnsToTexts(QTreeWidget& list, int userColumn) {
  const auto& view = static_cast<const QAbstractItemView&>(list);
  for (int c = 0; c < list.columnCount(); ++c) {
    if (c == userColumn) continue;
    list.setColumnWidth(c, std::max(list.columnWidth(c), view.sizeHintForColumn(c)));
  }
}

constexpr int kNameColumn = 1;
constexpr int kNoUserColumn = -1;

}  // namespace

CChartSetupDlg::CChartSetupDlg(model::CMessungObj& measurement, const app::BrandedTexts& texts,
                               platform::MessageService& messages, char decimalSeparator,
                               QWidget* parent)
    : QDialog(parent),
      measurement_(measurement),
      texts_(texts),
      messages_(messages),
      decimalSeparator_(decimalSeparator) {
  setWindowTitle(DialogCaption(texts, kTemplate));

  // The x axis.
  source_ = Numbered(new QComboBox(this), kSourceList);
  source_->addItem(ToQString(texts.Text(ids::kStrColumnTime)));
  for (int i = 1; i <= measurement.GetCurveCount(); ++i) {
    source_->addItem(QStringLiteral("I%1").arg(i));
  }
  unit_ = Numbered(new QComboBox(this), kUnitCombo);
  unit_->setEditable(true);
  unit_->setInsertPolicy(QComboBox::NoInsert);
  unit_->setCompleter(nullptr);  // a free unit text is taken as typed
  auto* minimum = Numbered(new QLineEdit(this), kMinimumEdit);
  auto* maximum = Numbered(new QLineEdit(this), kMaximumEdit);
  auto* divisions = Numbered(new QLineEdit(this), kDivisionsEdit);
  minimum_ = std::make_unique<NumberField>(minimum, texts, decimalSeparator);
  maximum_ = std::make_unique<NumberField>(maximum, texts, decimalSeparator);
  divisions_ = std::make_unique<NumberField>(divisions, texts, decimalSeparator);
  drawLines_ = Numbered(new QCheckBox(ControlLabel(texts, kTemplate, kDrawLinesCheck), this),
                        kDrawLinesCheck);

  // The grid.
  grid_ = Numbered(new QCheckBox(ControlLabel(texts, kTemplate, kGridCheck), this), kGridCheck);
  auto* columns = Numbered(new QLineEdit(this), kColumnsEdit);
  auto* rows = Numbered(new QLineEdit(this), kRowsEdit);
  columns_ = std::make_unique<NumberField>(columns, texts, decimalSeparator);
  rows_ = std::make_unique<NumberField>(rows, texts, decimalSeparator);

  // The curves and the axes.
  curves_ = MakeList(this, kCurveList);
  SetColumns(*curves_, texts,
             {{ids::kStrColumnNumber, 22, 1},
              {ids::kStrColumnName, 0, 4},
              {ids::kStrColumnVisible, 12, 1},
              {ids::kStrColumnDisplay, 12, 1},
              {ids::kStrColumnXOffset, 12, 1},
              {ids::kStrColumnYOffset, 12, 1},
              {ids::kStrColumnDrawOrder, 12, 1},
              {ids::kStrColumnAxis, 12, 1}});
  curveButton_ =
      Numbered(new QPushButton(ControlLabel(texts, kTemplate, kCurveButton), this), kCurveButton);
  axes_ = MakeList(this, kAxisList);
  SetColumns(*axes_, texts,
             {{ids::kStrColumnNumber, 22, 1},
              {ids::kStrColumnUnit, 12, 1},
              {ids::kStrMinimum, 31, 1},
              {ids::kStrMaximum, 31, 1},
              {ids::kStrColumnDivisions, 12, 1}});
  axisButton_ =
      Numbered(new QPushButton(ControlLabel(texts, kTemplate, kAxisButton), this), kAxisButton);
  auto* newAxis = Numbered(new QPushButton(ControlLabel(texts, kTemplate, kNewAxisButton), this),
                           kNewAxisButton);
  for (QPushButton* button : {curveButton_, axisButton_, newAxis}) button->setAutoDefault(false);

  auto* xForm = new QFormLayout;
  xForm->addRow(BuddyLabel(texts, kTemplate, kSourceList, source_), source_);
  xForm->addRow(BuddyLabel(texts, kTemplate, kUnitCombo, unit_), unit_);
  xForm->addRow(BuddyLabel(texts, kTemplate, kMinimumEdit, minimum), minimum);
  xForm->addRow(BuddyLabel(texts, kTemplate, kMaximumEdit, maximum), maximum);
  xForm->addRow(BuddyLabel(texts, kTemplate, kDivisionsEdit, divisions), divisions);
  xForm->addRow(QString(), drawLines_);
  auto* gridForm = new QFormLayout;
  gridForm->addRow(grid_);
  gridForm->addRow(BuddyLabel(texts, kTemplate, kColumnsEdit, columns), columns);
  gridForm->addRow(BuddyLabel(texts, kTemplate, kRowsEdit, rows), rows);
  for (QWidget* field : {static_cast<QWidget*>(source_), static_cast<QWidget*>(unit_),
                         static_cast<QWidget*>(minimum), static_cast<QWidget*>(maximum),
                         static_cast<QWidget*>(divisions)}) {
    field->setMinimumWidth(130);
  }
  auto* top = new QHBoxLayout;
  top->addLayout(xForm);
  top->addSpacing(24);
  top->addLayout(gridForm);
  top->addStretch(1);

  auto* curveButtons = new QHBoxLayout;
  curveButtons->addWidget(curveButton_);
  curveButtons->addStretch(1);
  auto* axisButtons = new QHBoxLayout;
  axisButtons->addWidget(axisButton_);
  axisButtons->addWidget(newAxis);
  axisButtons->addStretch(1);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addSpacing(6);
  layout->addWidget(BuddyLabel(texts, kTemplate, kCurveList, curves_));
  layout->addWidget(curves_, 3);
  layout->addLayout(curveButtons);
  layout->addSpacing(6);
  layout->addWidget(BuddyLabel(texts, kTemplate, kAxisList, axes_));
  layout->addWidget(axes_, 2);
  layout->addLayout(axisButtons);
  layout->addWidget(MakeOkCancelButtons(*this, texts, kTemplate).box);

  connect(unit_, &QComboBox::activated, this, [this](int index) { UnitChosen(index); });
  connect(curveButton_, &QPushButton::clicked, this, [this] { EditSelectedCurve(); });
  connect(axisButton_, &QPushButton::clicked, this, [this] { EditSelectedAxis(); });
  connect(newAxis, &QPushButton::clicked, this, [this] { AddAxis(); });
  connect(curves_, &QTreeWidget::itemDoubleClicked, this, [this] { EditSelectedCurve(); });
  connect(axes_, &QTreeWidget::itemDoubleClicked, this, [this] { EditSelectedAxis(); });
  connect(curves_, &QTreeWidget::itemSelectionChanged, this, [this] { UpdateButtons(); });
  connect(axes_, &QTreeWidget::itemSelectionChanged, this, [this] { UpdateButtons(); });

  // Initial values.
  FillLists();
  const model::CXAchse& x = measurement.GetXAxis();
  const int xCurve = x.GetXCurveIndex();
  if (xCurve >= 0 && xCurve < measurement.GetCurveCount()) {
    source_->setCurrentIndex(xCurve + 1);
    std::u16string text;
    const int code = x.GetUnit(&text);
    ShowUnitsOf(code, text);
    minimum_->SetReal(static_cast<double>(x.GetMin()));
    maximum_->SetReal(static_cast<double>(x.GetMax()));
  } else {
    // Time, also for an x source that names no curve.
    source_->setCurrentIndex(0);
    ShowTimeAxis();
  }
  divisions_->SetInteger(x.GetDivisions());
  // Connected after the initial choice: only a changed x source fills in the curve's unit
  // and range; choosing the shown source again overwrites nothing. The unit list reacts to
  // a changed time unit only (UnitChosen).
  connect(source_, &QComboBox::currentIndexChanged, this,
          [this](int index) { SourceChosen(index); });
  drawLines_->setChecked(x.GetDrawLines() != 0);
  grid_->setChecked(measurement.IsGridVisible() != 0);
  int gridColumns = 0;
  int gridRows = 0;
  measurement.GetGrid(&gridColumns, &gridRows);
  columns_->SetInteger(gridColumns);
  rows_->SetInteger(gridRows);
  source_->setFocus();
}

CChartSetupDlg::~CChartSetupDlg() = default;

void CChartSetupDlg::FillLists() {
  FillCurveList();
  FillAxisList();
  UpdateButtons();
}

void CChartSetupDlg::FillCurveList() {
  const int selected = curves_->indexOfTopLevelItem(curves_->currentItem());
  curves_->clear();
  for (int i = 0; i < measurement_.GetCurveCount(); ++i) {
    const model::CKurveObj& curve = *measurement_.GetCurve(i);
    auto* item = new QTreeWidgetItem(curves_);
    item->setIcon(0, QIcon(CurveSwatch(curve.GetColor())));
    item->setText(0, QString::number(i + 1));
    item->setText(1, ToQString(curve.GetName()));
    item->setText(2, ToQString(texts_.Text(curve.GetVisible() == 1 ? ids::kStrYes : ids::kStrNo)));
    item->setText(3, ToQString(tables::ValueModeText(curve.GetValueMode(), texts_)));
    item->setText(4, ToQString(tables::FormatNumber(
                         "%0.3f", static_cast<double>(curve.GetXOffset()), decimalSeparator_)));
    item->setText(5, ToQString(tables::FormatNumber(
                         "%0.3f", static_cast<double>(curve.GetYOffset()), decimalSeparator_)));
    item->setText(6, QString::number(curve.GetDrawOrder()));
    item->setText(7, QString::number(static_cast<long long>(curve.GetAxisIndex()) + 1));
  }
  FitColumnsToTexts(*curves_, kNameColumn);
  if (selected >= 0 && selected < curves_->topLevelItemCount()) {
    curves_->setCurrentItem(curves_->topLevelItem(selected));
  }
}

void CChartSetupDlg::FillAxisList() {
  const int selected = axes_->indexOfTopLevelItem(axes_->currentItem());
  axes_->clear();
  for (int i = 0; i < measurement_.GetYAxisCount(); ++i) {
    const model::CAchse& axis = *measurement_.GetYAxis(i);
    auto* item = new QTreeWidgetItem(axes_);
    item->setIcon(0, QIcon(AxisSwatch(measurement_.CollectAxisColors(i))));
    item->setText(0, QString::number(i + 1));
    item->setText(1, ToQString(model::UnitName(axis.RawUnitCode(), axis.RawUnitText(), texts_)));
    item->setText(2, ToQString(tables::FormatNumber("%0.3f", static_cast<double>(axis.GetMin()),
                                                    decimalSeparator_)));
    item->setText(3, ToQString(tables::FormatNumber("%0.3f", static_cast<double>(axis.GetMax()),
                                                    decimalSeparator_)));
    item->setText(4, QString::number(axis.GetDivisions()));
  }
  FitColumnsToTexts(*axes_, kNoUserColumn);
  if (selected >= 0 && selected < axes_->topLevelItemCount()) {
    axes_->setCurrentItem(axes_->topLevelItem(selected));
  }
}

void CChartSetupDlg::UpdateButtons() {
  curveButton_->setEnabled(!curves_->selectedItems().isEmpty());
  const int axis = axes_->indexOfTopLevelItem(axes_->currentItem());
  axisButton_->setEnabled(!axes_->selectedItems().isEmpty() && axis >= 0 &&
                          !measurement_.CollectAxisColors(axis).empty());
}

void CChartSetupDlg::ShowTimeAxis() {
  const model::CXAchse& x = measurement_.GetXAxis();
  unit_->clear();
  for (int unit = 0; unit < kTimeUnitCount; ++unit) {
    unit_->addItem(ToQString(texts_.Text(ids::kStrHours + unit)));
  }
  int timeUnit = x.RawTimeUnit();
  if (timeUnit == model::kTimeCustom) {
    unit_->addItem(ToQString(x.RawUnitText()));
  } else if (timeUnit < model::kTimeHours || timeUnit > model::kTimeSeconds) {
    timeUnit = model::kTimeSeconds;  // the stored range is in seconds
  }
  unit_->setCurrentIndex(timeUnit);
  shownTimeUnit_ = timeUnit;
  // The time range is always stored in seconds.
  minimum_->SetReal(static_cast<double>(x.RawMin()) / SecondsPer(timeUnit));
  maximum_->SetReal(static_cast<double>(x.RawMax()) / SecondsPer(timeUnit));
}

void CChartSetupDlg::ShowUnitsOf(int code, const std::u16string& customText) {
  unit_->clear();
  for (int unit = model::kUnitRpm; unit <= model::kUnitLPerMin; ++unit) {
    unit_->addItem(ToQString(model::UnitName(unit, {}, texts_)));
  }
  if (code >= model::kUnitRpm && code <= model::kUnitLPerMin) {
    unit_->setCurrentIndex(code);
  } else {
    unit_->addItem(ToQString(customText));
    unit_->setCurrentIndex(unit_->count() - 1);
  }
}

void CChartSetupDlg::SourceChosen(int index) {
  if (index > 0 && index <= measurement_.GetCurveCount()) {
    const model::CKurveObj& curve = *measurement_.GetCurve(index - 1);
    std::u16string text;
    const int code = curve.GetUnit(&text);
    ShowUnitsOf(code, text);
    minimum_->SetReal(0.0);
    maximum_->SetReal(static_cast<double>(curve.GetPeakValue()));
  } else {
    // The axis itself switches to time only when the dialog is confirmed.
    ShowTimeAxis();
  }
}

void CChartSetupDlg::UnitChosen(int index) {
  if (!TimeMode() || index < 0 || index == shownTimeUnit_) return;
  const std::optional<double> minimum = minimum_->ReadReal();
  const std::optional<double> maximum = minimum ? maximum_->ReadReal() : std::nullopt;
  if (!minimum || !maximum) {
    // The range cannot be converted: the unit stays the one the numbers are in.
    unit_->setCurrentIndex(shownTimeUnit_);
    return;
  }
  const double factor = SecondsPer(shownTimeUnit_) / SecondsPer(index);
  minimum_->SetReal(*minimum * factor);
  maximum_->SetReal(*maximum * factor);
  shownTimeUnit_ = index;
}

void CChartSetupDlg::EditSelectedCurve() {
  const int index = curves_->indexOfTopLevelItem(curves_->currentItem());
  if (curves_->selectedItems().isEmpty() || index < 0 || index >= measurement_.GetCurveCount()) {
    return;
  }
  CCurvePropertiesDlg dialog(*measurement_.GetCurve(index), measurement_.GetYAxisCount(), texts_,
                             decimalSeparator_, this);
  if (dialog.exec() == QDialog::Accepted || dialog.ColorChanged()) changed_ = true;
  FillLists();
}

void CChartSetupDlg::EditSelectedAxis() {
  const int index = axes_->indexOfTopLevelItem(axes_->currentItem());
  if (axes_->selectedItems().isEmpty() || index < 0 || index >= measurement_.GetYAxisCount() ||
      measurement_.CollectAxisColors(index).empty()) {
    return;
  }
  CAxisDlg dialog(*measurement_.GetYAxis(index), texts_, messages_, decimalSeparator_, this);
  if (dialog.exec() == QDialog::Accepted) changed_ = true;
  FillLists();
}

void CChartSetupDlg::AddAxis() {
  model::CAchse proposal;
  proposal.SetMin(0.0F);
  proposal.SetMax(1.0F);
  proposal.SetDivisions(4);
  proposal.SetUnit(model::kUnitBar, {});
  CAxisDlg dialog(proposal, texts_, messages_, decimalSeparator_, this);
  if (dialog.exec() == QDialog::Accepted) {
    if (model::CAchse* axis = measurement_.AddYAxis(); axis != nullptr) {
      axis->SetMax(proposal.GetMax());
      axis->SetMin(proposal.GetMin());
      axis->SetDivisions(proposal.GetDivisions());
      std::u16string text;
      const int code = proposal.GetUnit(&text);
      axis->SetUnit(code, text);
      changed_ = true;
    }
  }
  FillLists();
}

void CChartSetupDlg::accept() {
  const int source = source_->currentIndex();
  const QString unitText = unit_->currentText();
  const std::optional<double> minimum = minimum_->ReadReal();
  if (!minimum) return;
  const std::optional<double> maximum = maximum_->ReadReal();
  if (!maximum) return;
  const std::optional<int> divisions = divisions_->ReadUnsigned(1, 20);
  if (!divisions) return;
  const std::optional<int> columns = columns_->ReadInteger(1, 100);
  if (!columns) return;
  const std::optional<int> rows = rows_->ReadInteger(1, 100);
  if (!rows) return;
  if (unitText.size() > kMaxUnitLength) {
    messages_.ShowMessage(ids::kMsgUnitTooLong, platform::Buttons::Ok, platform::Icon::Exclamation);
    unit_->setFocus();
    return;
  }

  model::CXAchse& x = measurement_.GetXAxis();
  const bool curveMode = source > 0 && source <= measurement_.GetCurveCount();
  double factor = 1.0;
  if (curveMode) {
    x.SetXYMode(1, source - 1);
  } else {
    x.SetXYMode(0, 0);
    factor = SecondsPer(shownTimeUnit_);
  }
  x.SetDrawLines(drawLines_->isChecked() ? 1 : 0);
  x.SetMin(static_cast<float>(*minimum * factor));
  x.SetMax(static_cast<float>(*maximum * factor));
  x.SetDivisions(*divisions);

  // A listed unit by its index; the own text (kept or typed) as the free unit of the mode.
  const int ownEntry =
      curveMode ? static_cast<int>(model::kUnitCustom) : static_cast<int>(model::kTimeCustom);
  int chosen = unit_->currentIndex();
  if (chosen < 0 || unit_->itemText(chosen) != unitText) chosen = unit_->findText(unitText);
  if (chosen >= 0 && chosen < ownEntry) {
    x.SetUnit(chosen, {});
  } else {
    x.SetUnit(ownEntry, FromQString(unitText));
  }

  measurement_.SetGridVisible(grid_->isChecked() ? 1 : 0);
  measurement_.SetGrid(*columns, *rows);
  QDialog::accept();
}

}  // namespace vantrel::gui
