#include "gui/chart/CTextDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/widgets/DialogParts.h"
#include "gui/widgets/NumberField.h"

namespace vantrel::gui {
namespace {

constexpr int kSmallestSize = 1;
constexpr int kLargestSize = 999;

}  // namespace

CTextDlg::CTextDlg(const app::BrandedTexts& texts, const QString& text, const QString& sizeText,
                   QWidget* parent)
    : QDialog(parent), texts_(texts) {
  setWindowTitle(DialogCaption(texts, kTemplate));
  text_ = new QLineEdit(this);
  text_->setObjectName(QStringLiteral("control%1").arg(kTextEdit));
  text_->setMaxLength(kMaxTextLength);
  text_->setMinimumWidth(260);
  text_->setText(text.left(kMaxTextLength));
  size_ = new QComboBox(this);
  size_->setObjectName(QStringLiteral("control%1").arg(kSizeCombo));
  size_->setEditable(true);
  size_->setInsertPolicy(QComboBox::NoInsert);
  for (int points : {6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 24, 28, 36, 48, 72}) {
    size_->addItem(QString::number(points));
  }
  size_->setEditText(sizeText);
  size_->setMaximumWidth(90);

  auto* form = new QFormLayout;
  auto* textLabel = new QLabel(ControlLabel(texts, kTemplate, kTextEdit), this);
  textLabel->setBuddy(text_);
  sizeLabel_ = new QLabel(ControlLabel(texts, kTemplate, kSizeCombo), this);
  sizeLabel_->setBuddy(size_);
  form->addRow(textLabel, text_);
  form->addRow(sizeLabel_, size_);
  // The title has no size: its row is hidden.
  const bool withSize = !sizeText.isEmpty();
  sizeLabel_->setVisible(withSize);
  size_->setVisible(withSize);

  QDialogButtonBox* buttons = MakeOkCancelButtons(*this, texts, kTemplate).box;

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addStretch(1);
  layout->addWidget(buttons);
  setTabOrder(text_, size_);
  text_->setFocus();
  text_->selectAll();
}

void CTextDlg::accept() {
  if (size_->isVisibleTo(this) && !HoldsTextSize(size_->currentText())) {
    ShowFieldMessage(this, texts_, kMsgNotANumber);
    size_->setFocus(Qt::OtherFocusReason);
    if (QLineEdit* edit = size_->lineEdit(); edit != nullptr) edit->selectAll();
    return;
  }
  QDialog::accept();
}

namespace {

/// The size text's sign and leading digits: the value (kept at most kLargestSize) and
/// whether there were digits at all.
struct LeadingNumber {
  long long value = 0;
  bool negative = false;
  bool digits = false;
};

LeadingNumber ReadLeadingNumber(const QString& sizeText) {
  const QString trimmed = sizeText.trimmed();
  LeadingNumber number;
  qsizetype at = 0;
  if (at < trimmed.size() && (trimmed[at] == QLatin1Char('-') || trimmed[at] == QLatin1Char('+'))) {
    number.negative = trimmed[at] == QLatin1Char('-');
    ++at;
  }
  for (; at < trimmed.size() && trimmed[at] >= QLatin1Char('0') && trimmed[at] <= QLatin1Char('9');
       ++at) {
    number.value =
        std::min<long long>(number.value * 10 + (trimmed[at].unicode() - u'0'), kLargestSize);
    number.digits = true;
  }
  return number;
}

}  // namespace

int ReadTextSize(const QString& sizeText) {
  const LeadingNumber number = ReadLeadingNumber(sizeText);
  const long long value = number.digits && !number.negative ? number.value : 0;
  return static_cast<int>(std::clamp<long long>(value, kSmallestSize, kLargestSize));
}

bool HoldsTextSize(const QString& sizeText) { return ReadLeadingNumber(sizeText).digits; }

}  // namespace vantrel::gui
