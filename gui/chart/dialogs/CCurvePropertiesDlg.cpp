#include "gui/chart/dialogs/CCurvePropertiesDlg.h"

#include <QColorDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "gui/platform/QtServices.h"
#include "gui/widgets/DialogParts.h"
#include "gui/widgets/Swatches.h"
#include "tables/CellTexts.h"

namespace vantrel::gui {

CCurvePropertiesDlg::CCurvePropertiesDlg(model::CKurveObj& curve, int axisCount,
                                         const app::BrandedTexts& texts, char decimalSeparator,
                                         QWidget* parent)
    : QDialog(parent), curve_(curve), axisCount_(axisCount) {
  setWindowTitle(DialogCaption(texts, kTemplate));

  valueMode_ = Numbered(new QComboBox(this), kValueModeList);
  // The single value exists only in online recordings.
  const int modes = curve.GetRecordingKind() == 0 ? model::kModeValue + 1 : model::kModeValue;
  for (int mode = model::kModeMinimum; mode < modes; ++mode) {
    valueMode_->addItem(ToQString(tables::ValueModeText(mode, texts)));
  }
  if (curve.GetValueMode() >= 0 && curve.GetValueMode() < modes) {
    valueMode_->setCurrentIndex(curve.GetValueMode());
  } else {
    valueMode_->setCurrentIndex(-1);
  }

  name_ = Numbered(new QLineEdit(this), kNameEdit);
  name_->setMaxLength(kMaxNameLength);
  name_->setText(ToQString(curve.GetName()).left(kMaxNameLength));
  name_->setMinimumWidth(220);

  auto* drawOrder = Numbered(new QLineEdit(this), kDrawOrderEdit);
  auto* axis = Numbered(new QLineEdit(this), kAxisEdit);
  auto* yOffset = Numbered(new QLineEdit(this), kYOffsetEdit);
  auto* xOffset = Numbered(new QLineEdit(this), kXOffsetEdit);
  drawOrder_ = std::make_unique<NumberField>(drawOrder, texts, decimalSeparator);
  axis_ = std::make_unique<NumberField>(axis, texts, decimalSeparator);
  yOffset_ = std::make_unique<NumberField>(yOffset, texts, decimalSeparator);
  xOffset_ = std::make_unique<NumberField>(xOffset, texts, decimalSeparator);
  drawOrder_->SetInteger(curve.GetDrawOrder());
  axis_->SetInteger(static_cast<long long>(curve.GetAxisIndex()) + 1);
  yOffset_->SetReal(static_cast<double>(curve.GetYOffset()));
  xOffset_->SetReal(static_cast<double>(curve.GetXOffset()));

  visible_ =
      Numbered(new QCheckBox(ControlLabel(texts, kTemplate, kVisibleCheck), this), kVisibleCheck);
  visible_->setChecked(curve.GetVisible() != 0);

  color_ =
      Numbered(new QPushButton(ControlLabel(texts, kTemplate, kColorButton), this), kColorButton);
  color_->setAutoDefault(false);
  color_->setIconSize(kChartSwatchSize);
  ShowColor();
  connect(color_, &QPushButton::clicked, this, [this] { ChooseColor(); });

  auto* form = new QFormLayout;
  form->addRow(BuddyLabel(texts, kTemplate, kNameEdit, name_), name_);
  form->addRow(BuddyLabel(texts, kTemplate, kValueModeList, valueMode_), valueMode_);
  form->addRow(BuddyLabel(texts, kTemplate, kAxisEdit, axis), axis);
  form->addRow(BuddyLabel(texts, kTemplate, kDrawOrderEdit, drawOrder), drawOrder);
  form->addRow(BuddyLabel(texts, kTemplate, kXOffsetEdit, xOffset), xOffset);
  form->addRow(BuddyLabel(texts, kTemplate, kYOffsetEdit, yOffset), yOffset);
  auto* colorRow = new QHBoxLayout;
  colorRow->addWidget(visible_);
  colorRow->addStretch(1);
  colorRow->addWidget(color_);
  form->addRow(QString(), colorRow);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addStretch(1);
  layout->addWidget(MakeOkCancelButtons(*this, texts, kTemplate).box);
  setTabOrder(name_, valueMode_);
  setTabOrder(valueMode_, axis);
  setTabOrder(axis, drawOrder);
  setTabOrder(drawOrder, xOffset);
  setTabOrder(xOffset, yOffset);
  setTabOrder(yOffset, visible_);
  setTabOrder(visible_, color_);
  name_->setFocus();
}

CCurvePropertiesDlg::~CCurvePropertiesDlg() = default;

void CCurvePropertiesDlg::ShowColor() { color_->setIcon(QIcon(CurveSwatch(curve_.GetColor()))); }

void CCurvePropertiesDlg::ChooseColor() {
  QColorDialog dialog(ToQColor(curve_.GetColor()), this);
  dialog.setOption(QColorDialog::DontUseNativeDialog);
  if (dialog.exec() != QDialog::Accepted) return;
  const QColor chosen = dialog.selectedColor();
  curve_.SetColor(platform::MakeColor(chosen.red(), chosen.green(), chosen.blue()));
  colorChanged_ = true;
  ShowColor();
}

void CCurvePropertiesDlg::accept() {
  const std::optional<int> drawOrder = drawOrder_->ReadUnsigned(1, 16);
  if (!drawOrder) return;
  const std::optional<int> axis = axis_->ReadUnsigned(0, INT_MAX);
  if (!axis) return;
  const std::optional<double> yOffset = yOffset_->ReadReal();
  if (!yOffset) return;
  const std::optional<double> xOffset = xOffset_->ReadReal();
  if (!xOffset) return;
  if (*axis == 0 || *axis > axisCount_) {
    // No such axis: the dialog stays open with the number selected.
    axis_->Edit()->setFocus(Qt::OtherFocusReason);
    axis_->Edit()->selectAll();
    return;
  }
  curve_.SetAxisIndex(*axis - 1);
  curve_.SetName(FromQString(name_->text()));
  curve_.SetDrawOrder(*drawOrder);
  curve_.SetVisible(visible_->isChecked() ? 1 : 0);
  curve_.SetYOffset(static_cast<float>(*yOffset));
  curve_.SetXOffset(static_cast<float>(*xOffset));
  // A value mode the list does not offer (a damaged file) stays as it is.
  if (valueMode_->currentIndex() >= 0) curve_.SetValueMode(valueMode_->currentIndex());
  QDialog::accept();
}

}  // namespace vantrel::gui
