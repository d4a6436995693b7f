// The axis properties dialog (template 144) for one value axis: unit (a list of the unit
// names of codes 0..8 with an edit field for a free unit text of at most 10 characters),
// minimum, maximum and divisions (0 to 1000). OK writes the axis through its setters; a
// refused field or unit text keeps the dialog open and the axis unchanged.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <memory>

#include "app/BrandedTexts.h"
#include "gui/widgets/NumberField.h"
#include "model/CAchse.h"
#include "platform/MessageService.h"

namespace vantrel::gui {

class CAxisDlg final : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kTemplate = 144;
  static constexpr int kUnitCombo = 1083;
  static constexpr int kMinimumEdit = 1042;
  static constexpr int kMaximumEdit = 1043;
  static constexpr int kDivisionsEdit = 1041;
  /// Longest free unit text; a longer one is refused with message 61449.
  static constexpr int kMaxUnitLength = 10;

  /// `axis`, `texts` and `messages` must outlive the dialog.
  CAxisDlg(model::CAchse& axis, const app::BrandedTexts& texts, platform::MessageService& messages,
           char decimalSeparator, QWidget* parent);
  ~CAxisDlg() override;

 public slots:
  void accept() override;

 private:
  model::CAchse& axis_;
  platform::MessageService& messages_;
  QComboBox* unit_ = nullptr;
  std::unique_ptr<NumberField> minimum_;
  std::unique_ptr<NumberField> maximum_;
  std::unique_ptr<NumberField> divisions_;
  /// The free unit text the axis had when the dialog opened (empty for a listed unit).
  QString customText_;
};

}  // namespace vantrel::gui
