// The sample editor (template 146): minimum (1042), maximum (1043) and value (1044) of one
// sample. OK refuses a minimum above the maximum with 32959 and keeps the dialog open;
// otherwise it ends with the three values, which the caller sets on the sample. The
// dialog works on a copy: samples may move in memory while it is open (a recording that
// is still running appends to the curve).
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <optional>

#include "app/BrandedTexts.h"
#include "model/CValueObj.h"
#include "platform/MessageService.h"

namespace vantrel::gui {

class CSampleEditDlg final : public QDialog {
  Q_OBJECT
 public:
  /// Shows `sample` with the user's `decimalSeparator`; `texts` and `messages` must outlive
  /// the dialog.
  CSampleEditDlg(const model::CValueObj& sample, const app::BrandedTexts& texts,
                 platform::MessageService& messages, char decimalSeparator,
                 QWidget* parent = nullptr);

  /// The values entered (after OK), or the sample shown.
  const model::CValueObj& Result() const { return result_; }

  void accept() override;

 private:
  /// The number in `field`; none (after the language library's "enter a number" message)
  /// when it is not one.
  std::optional<float> Number(QLineEdit& field);

  model::CValueObj result_;
  platform::MessageService& messages_;
  char decimalSeparator_;
  QLineEdit* minimum_ = nullptr;
  QLineEdit* maximum_ = nullptr;
  QLineEdit* value_ = nullptr;
};

/// The text of a sample value in the user's notation: the shortest decimal that reads back
/// to the same float.
QString SampleValueText(float value, char decimalSeparator);
/// A number typed by the user ('.', ',' or the user's decimal separator); none when it is not
/// one.
std::optional<float> ParseSampleValue(const QString& text, char decimalSeparator);

}  // namespace vantrel::gui
