#include "gui/formula/CFormulaDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <ctime>

#include "formula/FormulaCurves.h"
#include "gui/widgets/DialogParts.h"

namespace vantrel::gui {
namespace {

/// A button of the dialog and the text it inserts.
struct InsertButton {
  int controlId;
  const char* text;
  int row;
  int column;
};

constexpr InsertButton kInsertButtons[] = {
    {1063, "+", 0, 0},       {1064, "-", 0, 1},       {1066, "*", 0, 2},
    {1065, "/", 0, 3},       {1069, "^", 0, 4},       {1074, "( )", 0, 5},
    {1067, "sin( )", 1, 0},  {1068, "cos( )", 1, 1},  {1070, "tan( )", 1, 2},
    {1071, "sqrt( )", 1, 3}, {1073, "logn( )", 1, 4}, {1088, "log10( )", 1, 5},
};

QString Id(int controlId) { return QString::number(controlId); }

}  // namespace

CFormulaDlg::CFormulaDlg(AppContext& context, model::CMessungObj& measurement, bool whileRecording,
                         QWidget* parent)
    : QDialog(parent),
      context_(context),
      measurement_(measurement),
      whileRecording_(whileRecording),
      working_(measurement) {
  const app::BrandedTexts& texts = context.texts;
  setWindowTitle(DialogCaption(texts, kTemplate));

  formula_ = new QLineEdit(this);
  formula_->setObjectName(Id(kFormulaEdit));
  formula_->setMaxLength(kMaxFormulaChars);
  formula_->setMinimumWidth(formula_->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 24);
  references_ = new QComboBox(this);
  references_->setObjectName(Id(kReferenceList));
  // One reference per curve in list order; nothing is selected at the start.
  for (int i = 0; i < measurement.GetCurveCount(); ++i) {
    references_->addItem(QStringLiteral("I%1").arg(i + 1));
  }
  references_->setCurrentIndex(-1);
  references_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  references_->setMinimumContentsLength(4);
  // Only a changed selection inserts: choosing the shown reference again adds nothing.
  connect(references_, &QComboBox::currentIndexChanged, this,
          [this](int index) { OnReferenceChosen(index); });

  auto* form = new QFormLayout;
  auto* formulaLabel = new QLabel(ControlLabel(texts, kTemplate, kFormulaEdit), this);
  formulaLabel->setBuddy(formula_);
  auto* referenceLabel = new QLabel(ControlLabel(texts, kTemplate, kReferenceList), this);
  referenceLabel->setBuddy(references_);
  auto* referenceRow = new QHBoxLayout;
  referenceRow->addWidget(references_);
  referenceRow->addStretch(1);
  form->addRow(formulaLabel, formula_);
  form->addRow(referenceLabel, referenceRow);

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(4);
  grid->setVerticalSpacing(4);
  for (const InsertButton& button : kInsertButtons) {
    AddInsertButton(*grid, button.controlId, QString::fromLatin1(button.text), button.row,
                    button.column);
  }
  auto* gridRow = new QHBoxLayout;
  gridRow->addLayout(grid);
  gridRow->addStretch(1);
  form->addRow(QString(), gridRow);

  const auto [buttons, ok, cancel] = MakeOkCancelButtons(*this, texts, kTemplate);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addSpacing(6);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  setTabOrder(formula_, references_);
  setTabOrder(references_, ok);
  setTabOrder(ok, cancel);
  formula_->setFocus();
}

void CFormulaDlg::AddInsertButton(QGridLayout& grid, int controlId, const QString& text, int row,
                                  int column) {
  auto* button = new QPushButton(ControlLabel(context_.texts, kTemplate, controlId), this);
  button->setObjectName(Id(controlId));
  button->setAutoDefault(false);
  // The buttons never take the focus, so the selection of the formula field stays and the
  // inserted text replaces it.
  button->setFocusPolicy(Qt::NoFocus);
  button->setMinimumWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("log10")) + 16);
  connect(button, &QPushButton::clicked, this, [this, text] {
    InsertIntoFormula(text);
    formula_->setFocus(Qt::OtherFocusReason);
  });
  grid.addWidget(button, row, column);
}

bool CFormulaDlg::InsertIntoFormula(const QString& text) {
  // The template goes in whole or not at all: half a function name would only make the
  // formula invalid.
  const qsizetype kept = formula_->text().size() - formula_->selectedText().size();
  if (kept + text.size() > kMaxFormulaChars) return false;
  formula_->insert(text);  // replaces the selection; undoable in the field
  return true;
}

void CFormulaDlg::OnReferenceChosen(int index) {
  if (index < 0) return;
  if (InsertIntoFormula(QStringLiteral("I%1").arg(index + 1))) {
    formula_->setFocus(Qt::OtherFocusReason);
  }
}

void CFormulaDlg::accept() {
  formula::FormulaCurveOptions options;
  options.scaleMode = context_.settings.GetScaleMode();
  options.startTime = platform::CurrentTimeStamp();
  options.whileRecording = whileRecording_;
  const formula::FormulaCurveResult result =
      formula::CreateFormulaCurve(working_, measurement_, FromQString(formula_->text()), options);
  if (result.result == formula::kFormulaValid) {
    addedCurve_ = result.curveIndex;
    QDialog::accept();
    return;
  }
  if (result.messageId != 0 && !result.messageShown) {
    context_.messages.ShowMessage(result.messageId, platform::Buttons::Ok,
                                  platform::Icon::Exclamation);
  }
  if (result.dialogStaysOpen) {
    formula_->setFocus(Qt::OtherFocusReason);
    return;
  }
  // The evaluation failed (or the recording began meanwhile): the measurement keeps its
  // former curves, so the dialog ends without a change to report.
  QDialog::reject();
}

bool ShowFormulaDialog(AppContext& context, model::CMessungObj& measurement, bool whileRecording,
                       QWidget* parent) {
  CFormulaDlg dialog(context, measurement, whileRecording, parent);
  return dialog.exec() == QDialog::Accepted && dialog.AddedCurveIndex() >= 0;
}

}  // namespace vantrel::gui
