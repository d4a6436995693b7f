// The curve properties dialog (template 143) for one curve: plotted value (value mode),
// name (at most 40 characters), draw order (1 to 16), axis number (1 to the number of value
// axes), visibility, y and x offset, and the colour, which a colour dialog sets at once.
// OK writes the fields through the curve's setters; an axis number outside the axes keeps
// the dialog open and the curve unchanged.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <memory>

#include "app/BrandedTexts.h"
#include "gui/widgets/NumberField.h"
#include "model/CKurveObj.h"

namespace vantrel::gui {

class CCurvePropertiesDlg final : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kTemplate = 143;
  static constexpr int kValueModeList = 1082;
  static constexpr int kNameEdit = 1081;
  static constexpr int kDrawOrderEdit = 1039;
  static constexpr int kAxisEdit = 1040;
  static constexpr int kVisibleCheck = 1035;
  static constexpr int kYOffsetEdit = 1038;
  static constexpr int kXOffsetEdit = 1037;
  static constexpr int kColorButton = 1034;
  static constexpr int kMaxNameLength = 40;

  /// `curve` and `texts` must outlive the dialog; `axisCount` is the number of value axes.
  CCurvePropertiesDlg(model::CKurveObj& curve, int axisCount, const app::BrandedTexts& texts,
                      char decimalSeparator, QWidget* parent);
  ~CCurvePropertiesDlg() override;

  /// True once the colour dialog set a colour (the curve changed even on Cancel).
  bool ColorChanged() const { return colorChanged_; }

 public slots:
  void accept() override;

 private:
  void ChooseColor();
  void ShowColor();

  model::CKurveObj& curve_;
  int axisCount_;
  QComboBox* valueMode_ = nullptr;
  QLineEdit* name_ = nullptr;
  QCheckBox* visible_ = nullptr;
  QPushButton* color_ = nullptr;
  std::unique_ptr<NumberField> drawOrder_;
  std::unique_ptr<NumberField> axis_;
  std::unique_ptr<NumberField> yOffset_;
  std::unique_ptr<NumberField> xOffset_;
  bool colorChanged_ = false;
};

}  // namespace vantrel::gui
