#include "gui/chart/dialogs/CAxisDlg.h"

#include <QFormLayout>
#include <QVBoxLayout>

#include "gui/platform/QtServices.h"
#include "gui/widgets/DialogParts.h"
#include "model/Units.h"

namespace vantrel::gui {

CAxisDlg::CAxisDlg(model::CAchse& axis, const app::BrandedTexts& texts,
                   platform::MessageService& messages, char decimalSeparator, QWidget* parent)
    : QDialog(parent), axis_(axis), messages_(messages) {
  setWindowTitle(DialogCaption(texts, kTemplate));

  unit_ = Numbered(new QComboBox(this), kUnitCombo);
  unit_->setEditable(true);
  unit_->setInsertPolicy(QComboBox::NoInsert);
  unit_->setCompleter(nullptr);  // a free unit text is taken as typed
  for (int code = model::kUnitRpm; code <= model::kUnitLPerMin; ++code) {
    unit_->addItem(ToQString(model::UnitName(code, {}, texts)));
  }
  std::u16string text;
  const int code = axis.GetUnit(&text);
  if (code >= model::kUnitRpm && code <= model::kUnitLPerMin) {
    unit_->setCurrentIndex(code);
  } else {
    customText_ = ToQString(text);
    unit_->addItem(customText_);
    unit_->setCurrentIndex(unit_->count() - 1);
  }

  auto* minimum = Numbered(new QLineEdit(this), kMinimumEdit);
  auto* maximum = Numbered(new QLineEdit(this), kMaximumEdit);
  auto* divisions = Numbered(new QLineEdit(this), kDivisionsEdit);
  minimum_ = std::make_unique<NumberField>(minimum, texts, decimalSeparator);
  maximum_ = std::make_unique<NumberField>(maximum, texts, decimalSeparator);
  divisions_ = std::make_unique<NumberField>(divisions, texts, decimalSeparator);
  minimum_->SetReal(static_cast<double>(axis.GetMin()));
  maximum_->SetReal(static_cast<double>(axis.GetMax()));
  divisions_->SetInteger(axis.GetDivisions());

  auto* form = new QFormLayout;
  form->addRow(BuddyLabel(texts, kTemplate, kUnitCombo, unit_), unit_);
  form->addRow(BuddyLabel(texts, kTemplate, kMinimumEdit, minimum), minimum);
  form->addRow(BuddyLabel(texts, kTemplate, kMaximumEdit, maximum), maximum);
  form->addRow(BuddyLabel(texts, kTemplate, kDivisionsEdit, divisions), divisions);
  for (QWidget* field : {static_cast<QWidget*>(unit_), static_cast<QWidget*>(minimum),
                         static_cast<QWidget*>(maximum), static_cast<QWidget*>(divisions)}) {
    field->setMinimumWidth(140);
  }

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addStretch(1);
  layout->addWidget(MakeOkCancelButtons(*this, texts, kTemplate).box);
  setTabOrder(unit_, minimum);
  setTabOrder(minimum, maximum);
  setTabOrder(maximum, divisions);
  unit_->setFocus();
}

CAxisDlg::~CAxisDlg() = default;

void CAxisDlg::accept() {
  const std::optional<double> minimum = minimum_->ReadReal();
  if (!minimum) return;
  const std::optional<double> maximum = maximum_->ReadReal();
  if (!maximum) return;
  const std::optional<int> divisions = divisions_->ReadInteger(0, 1000);
  if (!divisions) return;
  const QString text = unit_->currentText();
  if (text.size() > kMaxUnitLength) {
    messages_.ShowMessage(ids::kMsgUnitTooLong, platform::Buttons::Ok, platform::Icon::Exclamation);
    unit_->setFocus();
    return;
  }
  axis_.SetMin(static_cast<float>(*minimum));
  axis_.SetMax(static_cast<float>(*maximum));
  axis_.SetDivisions(*divisions);
  // The entry shown, or a typed text that equals an entry, counts as chosen.
  int chosen = unit_->currentIndex();
  if (chosen < 0 || unit_->itemText(chosen) != text) chosen = unit_->findText(text);
  if (chosen >= 0 && unit_->itemText(chosen) != customText_) {
    axis_.SetUnit(chosen, {});
  } else {
    axis_.SetUnit(model::kUnitCustom, FromQString(text));
  }
  QDialog::accept();
}

}  // namespace vantrel::gui
