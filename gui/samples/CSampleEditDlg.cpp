// The sample editor dialog.
#include "gui/samples/CSampleEditDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <charconv>
#include <cmath>
#include <limits>

#include "app/MessageIds.h"
#include "gui/widgets/DialogParts.h"
#include "platform/NumberFormat.h"

namespace vantrel::gui {
namespace {

constexpr int kTemplate = 146;
constexpr int kMinimumField = 1042;
constexpr int kMaximumField = 1043;
constexpr int kValueField = 1044;

}  // namespace

QString SampleValueText(float value, char decimalSeparator) {
  return QString::fromStdString(platform::ShortestFloatText(value, decimalSeparator));
}

std::optional<float> ParseSampleValue(const QString& text, char decimalSeparator) {
  QString plain = text.trimmed();
  plain.replace(QLatin1Char(decimalSeparator), QLatin1Char('.'));
  plain.replace(QLatin1Char(','), QLatin1Char('.'));
  const QByteArray bytes = plain.toLatin1();
  float value = 0.0F;
  const auto result = std::from_chars(bytes.constData(), bytes.constData() + bytes.size(), value);
  if (bytes.isEmpty() || result.ec != std::errc() ||
      result.ptr != bytes.constData() + bytes.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

CSampleEditDlg::CSampleEditDlg(const model::CValueObj& sample, const app::BrandedTexts& texts,
                               platform::MessageService& messages, char decimalSeparator,
                               QWidget* parent)
    : QDialog(parent), result_(sample), messages_(messages), decimalSeparator_(decimalSeparator) {
  setWindowTitle(DialogCaption(texts, kTemplate));
  auto* form = new QFormLayout;
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  auto field = [&](int id, float shown) {
    auto* edit = new QLineEdit(SampleValueText(shown, decimalSeparator), this);
    edit->setObjectName(QString::number(id));
    edit->setMinimumWidth(140);
    auto* label = new QLabel(ControlLabel(texts, kTemplate, id), this);
    label->setBuddy(edit);
    form->addRow(label, edit);
    return edit;
  };
  minimum_ = field(kMinimumField, sample.minimum);
  maximum_ = field(kMaximumField, sample.maximum);
  value_ = field(kValueField, sample.value);

  QDialogButtonBox* buttons = MakeOkCancelButtons(*this, texts, kTemplate).box;

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  minimum_->setFocus();
  minimum_->selectAll();
}

std::optional<float> CSampleEditDlg::Number(QLineEdit& field) {
  const std::optional<float> value = ParseSampleValue(field.text(), decimalSeparator_);
  if (!value) {
    messages_.ShowMessage(ids::kMsgNotANumber, platform::Buttons::Ok, platform::Icon::Exclamation);
    field.setFocus();
    field.selectAll();
  }
  return value;
}

void CSampleEditDlg::accept() {
  const std::optional<float> minimum = Number(*minimum_);
  if (!minimum) return;
  const std::optional<float> maximum = Number(*maximum_);
  if (!maximum) return;
  const std::optional<float> value = Number(*value_);
  if (!value) return;
  if (*minimum > *maximum) {
    messages_.ShowMessage(ids::kMsgMinimumAboveMaximum, platform::Buttons::Ok,
                          platform::Icon::Exclamation);
    minimum_->setFocus();
    return;
  }
  result_.Set(*minimum, *maximum, *value);
  QDialog::accept();
}

}  // namespace vantrel::gui
