// The numeric edit fields of the chart dialogs and their data exchange: numbers are shown
// with six significant digits and the user's decimal separator, and read back with the
// standard checks of dialog fields (an integer, a positive integer, a number, a range), each
// refusal shown with the language library's standard message text. A field whose
// text the user left as it was gives back the exact value it was given, so opening a
// dialog and confirming it never rounds a stored value.
#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QStringList>
#include <optional>

#include "app/BrandedTexts.h"
#include "app/MessageIds.h"

namespace vantrel::gui {

/// The language library's standard messages of the number checks.
using ids::kMsgIntegerRange;
using ids::kMsgNotAnInteger;
using ids::kMsgNotANumber;
using ids::kMsgNotAPositiveInteger;
using ids::kMsgNumberRange;

/// Shows the language library's standard message `id` with "%1", "%2", ... filled from
/// `arguments` over `parent` (exclamation icon, OK button).
void ShowFieldMessage(QWidget* parent, const app::BrandedTexts& texts, int id,
                      const QStringList& arguments = {});

class NumberField {
 public:
  /// `edit` is owned by its dialog; `texts` must outlive the field.
  NumberField(QLineEdit* edit, const app::BrandedTexts& texts, char decimalSeparator);

  QLineEdit* Edit() const { return edit_; }

  /// Shows a real number ("%.6g") and remembers it exactly.
  void SetReal(double value);
  /// Shows an integer.
  void SetInteger(long long value);

  /// A number within the float range; otherwise shows 61713, selects the field and gives
  /// nothing.
  std::optional<double> ReadReal() const;
  /// A whole number in `low` .. `high`; otherwise 61712 (not a whole number) or 61714 (out
  /// of range) as above.
  std::optional<int> ReadInteger(int low, int high) const;
  /// A whole number of at least 0 (61719 otherwise) in `low` .. `high` (61714).
  std::optional<int> ReadUnsigned(int low, int high) const;

  /// Parses a real number in the user's convention (blanks around it allowed); nothing
  /// when the text is not one finite number.
  static std::optional<double> ParseReal(const QString& text, char decimalSeparator);
  /// Parses an optionally signed whole number; nothing when it is not one or leaves the
  /// 32-bit range.
  static std::optional<long long> ParseInteger(const QString& text);

 private:
  void Refuse(int id, const QStringList& arguments = {}) const;

  QPointer<QLineEdit> edit_;
  const app::BrandedTexts& texts_;
  char decimalSeparator_;
  QString shownText_;
  double shownValue_ = 0.0;
  bool hasShownValue_ = false;
};

}  // namespace vantrel::gui
