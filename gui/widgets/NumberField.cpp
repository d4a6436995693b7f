#include "gui/widgets/NumberField.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <cfloat>
#include <climits>
#include <cmath>

#include "gui/platform/QtServices.h"
#include "tables/CellTexts.h"

namespace vantrel::gui {

void ShowFieldMessage(QWidget* parent, const app::BrandedTexts& texts, int id,
                      const QStringList& arguments) {
  QString text = ToQString(texts.Text(id));
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    text.replace(QStringLiteral("%") + QString::number(i + 1), arguments[i]);
  }
  QMessageBox box(parent);
  box.setWindowTitle(QApplication::applicationDisplayName());
  box.setIcon(QMessageBox::Warning);
  box.setText(text);
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
}

NumberField::NumberField(QLineEdit* edit, const app::BrandedTexts& texts, char decimalSeparator)
    : edit_(edit), texts_(texts), decimalSeparator_(decimalSeparator) {}

void NumberField::SetReal(double value) {
  shownText_ = ToQString(tables::FormatNumber("%.6g", value, decimalSeparator_));
  shownValue_ = value;
  hasShownValue_ = true;
  edit_->setText(shownText_);
}

void NumberField::SetInteger(long long value) {
  hasShownValue_ = false;
  edit_->setText(QString::number(value));
}

std::optional<double> NumberField::ParseReal(const QString& text, char decimalSeparator) {
  QString plain = text.trimmed();
  if (plain.isEmpty()) return std::nullopt;
  if (decimalSeparator != '.') {
    // In a convention with another separator a point is no decimal point.
    if (plain.contains(QLatin1Char('.'))) return std::nullopt;
    plain.replace(QLatin1Char(decimalSeparator), QLatin1Char('.'));
  }
  QLocale c = QLocale::c();
  c.setNumberOptions(QLocale::RejectGroupSeparator);
  bool ok = false;
  const double value = c.toDouble(plain, &ok);
  if (!ok || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<long long> NumberField::ParseInteger(const QString& text) {
  const QString plain = text.trimmed();
  if (plain.isEmpty() || plain.size() > 12) return std::nullopt;
  bool ok = false;
  const long long value = plain.toLongLong(&ok, 10);
  if (!ok || value < INT_MIN || value > INT_MAX) return std::nullopt;
  return value;
}

void NumberField::Refuse(int id, const QStringList& arguments) const {
  ShowFieldMessage(edit_->window(), texts_, id, arguments);
  edit_->setFocus(Qt::OtherFocusReason);
  edit_->selectAll();
}

std::optional<double> NumberField::ReadReal() const {
  if (hasShownValue_ && edit_->text() == shownText_) return shownValue_;
  const std::optional<double> value = ParseReal(edit_->text(), decimalSeparator_);
  if (!value.has_value() || std::fabs(*value) > static_cast<double>(FLT_MAX)) {
    Refuse(kMsgNotANumber);
    return std::nullopt;
  }
  return value;
}

std::optional<int> NumberField::ReadInteger(int low, int high) const {
  const std::optional<long long> value = ParseInteger(edit_->text());
  if (!value.has_value()) {
    Refuse(kMsgNotAnInteger);
    return std::nullopt;
  }
  if (*value < low || *value > high) {
    Refuse(kMsgIntegerRange, {QString::number(low), QString::number(high)});
    return std::nullopt;
  }
  return static_cast<int>(*value);
}

std::optional<int> NumberField::ReadUnsigned(int low, int high) const {
  const std::optional<long long> value = ParseInteger(edit_->text());
  if (!value.has_value() || *value < 0 || edit_->text().trimmed().startsWith(QLatin1Char('-'))) {
    Refuse(kMsgNotAPositiveInteger);
    return std::nullopt;
  }
  if (*value < low || *value > high) {
    Refuse(kMsgIntegerRange, {QString::number(low), QString::number(high)});
    return std::nullopt;
  }
  return static_cast<int>(*value);
}

}  // namespace vantrel::gui
