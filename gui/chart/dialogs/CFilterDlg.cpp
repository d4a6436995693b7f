#include "gui/chart/dialogs/CFilterDlg.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "gui/platform/QtServices.h"
#include "gui/widgets/DialogParts.h"
#include "tables/CellTexts.h"
#include "tables/FilterSteps.h"

namespace vantrel::gui {

CFilterDlg::CFilterDlg(OpenDocument& document, model::CKurveObj& curve,
                       const app::BrandedTexts& texts, char decimalSeparator, QWidget* parent)
    : QDialog(parent), document_(&document), curve_(curve), decimalSeparator_(decimalSeparator) {
  setWindowTitle(DialogCaption(texts, kTemplate) + QStringLiteral(" - ") +
                 ToQString(curve.GetName()));

  cutoffEdit_ = Numbered(new QLineEdit(this), kCutoffEdit);
  // The filter always uses the value reached with the buttons; the field only shows it.
  cutoffEdit_->setReadOnly(true);
  cutoffEdit_->setFocusPolicy(Qt::NoFocus);
  cutoffEdit_->setAlignment(Qt::AlignRight);
  cutoffEdit_->setMinimumWidth(100);
  lower_ =
      Numbered(new QPushButton(ControlLabel(texts, kTemplate, kLowerButton), this), kLowerButton);
  higher_ =
      Numbered(new QPushButton(ControlLabel(texts, kTemplate, kHigherButton), this), kHigherButton);
  for (QPushButton* button : {lower_, higher_}) button->setAutoDefault(false);
  connect(lower_, &QPushButton::clicked, this, [this] { Lower(); });
  connect(higher_, &QPushButton::clicked, this, [this] { Higher(); });

  auto* steps = new QHBoxLayout;
  steps->addWidget(cutoffEdit_, 1);
  steps->addWidget(lower_);
  steps->addWidget(higher_);
  auto* form = new QFormLayout;
  form->addRow(BuddyLabel(texts, kTemplate, kCutoffEdit, lower_), steps);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addStretch(1);
  layout->addWidget(MakeOkCancelButtons(*this, texts, kTemplate).box);

  const tables::FilterStart start =
      tables::InitialCutoff(curve.GetFilterCutoff(), curve.GetSampleInterval());
  cutoff_ = start.cutoff;
  upperLimit_ = start.upperLimit;
  ShowCutoff();
  lower_->setFocus();
}

CFilterDlg::~CFilterDlg() {
  // A dialog that goes without being closed leaves no preview behind.
  if (curve_.GetPreviewCutoff() != 0.0F) curve_.DiscardFilter();
}

void CFilterDlg::ShowCutoff() {
  cutoffEdit_->setText(
      ToQString(tables::FormatNumber("%.6g", static_cast<double>(cutoff_), decimalSeparator_)));
  lower_->setEnabled(tables::LowerCutoff(cutoff_).has_value());
  higher_->setEnabled(tables::HigherCutoff(cutoff_, upperLimit_).has_value());
}

void CFilterDlg::Lower() {
  const std::optional<float> next = tables::LowerCutoff(cutoff_);
  if (!next) return;
  cutoff_ = *next;
  Preview();
}

void CFilterDlg::Higher() {
  const std::optional<float> next = tables::HigherCutoff(cutoff_, upperLimit_);
  if (!next) return;
  cutoff_ = *next;
  Preview();
}

void CFilterDlg::Preview() {
  // When memory ran out and the user gave up, the curve dropped the preview and is shown
  // unfiltered again.
  curve_.PreviewFilter(cutoff_);
  if (document_ != nullptr) document_->RefreshViews();
  ShowCutoff();
}

void CFilterDlg::accept() {
  // Without a preview there is nothing to take over: the curve keeps its samples and the
  // cut-off of an earlier filter.
  if (curve_.GetPreviewCutoff() != 0.0F) {
    curve_.CommitFilter();
    committed_ = true;
  }
  curve_.DiscardFilter();
  QDialog::accept();
}

void CFilterDlg::reject() {
  curve_.DiscardFilter();
  QDialog::reject();
}

}  // namespace vantrel::gui
