// The chart setup dialog (template 142) of a measurement: the x axis (time or the values of
// a curve, its unit, range, divisions, connected points), the grid, the list of curves with
// the curve properties dialog (143), and the list of value axes with the axis properties
// dialog (144) and a new axis. The x axis and grid fields are written on OK; a refused field
// or an x unit text over 10 characters keeps the dialog open. The curve and axis dialogs
// change the measurement when they are confirmed, whatever this dialog ends with;
// MeasurementChanged tells the caller so that such changes are never lost unsaved.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QTreeWidget>
#include <memory>

#include "app/BrandedTexts.h"
#include "gui/widgets/NumberField.h"
#include "model/CMessungObj.h"
#include "platform/MessageService.h"

namespace vantrel::gui {

class CChartSetupDlg final : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kTemplate = 142;
  static constexpr int kSourceList = 1084;
  static constexpr int kUnitCombo = 1023;
  static constexpr int kMinimumEdit = 1024;
  static constexpr int kMaximumEdit = 1025;
  static constexpr int kDivisionsEdit = 1026;
  static constexpr int kDrawLinesCheck = 1028;
  static constexpr int kGridCheck = 1020;
  static constexpr int kColumnsEdit = 1016;
  static constexpr int kRowsEdit = 1014;
  static constexpr int kCurveList = 1030;
  static constexpr int kAxisList = 1032;
  static constexpr int kCurveButton = 1031;
  static constexpr int kAxisButton = 1033;
  static constexpr int kNewAxisButton = 1075;
  static constexpr int kMaxUnitLength = 10;

  /// `measurement`, `texts` and `messages` must outlive the dialog.
  CChartSetupDlg(model::CMessungObj& measurement, const app::BrandedTexts& texts,
                 platform::MessageService& messages, char decimalSeparator, QWidget* parent);
  ~CChartSetupDlg() override;

  /// True once a curve or axis dialog (or a new axis) changed the measurement.
  bool MeasurementChanged() const { return changed_; }

  QTreeWidget& CurveList() { return *curves_; }
  QTreeWidget& AxisList() { return *axes_; }

  /// Opens the curve properties dialog for the selected curve row (nothing without one).
  void EditSelectedCurve();
  /// Opens the axis properties dialog for the selected axis row, when a curve is drawn on it.
  void EditSelectedAxis();
  /// Asks for a new value axis and appends it on OK.
  void AddAxis();

 public slots:
  void accept() override;

 private:
  void FillLists();
  void FillCurveList();
  void FillAxisList();
  void UpdateButtons();
  /// Lists the time units and selects the axis's; shows its time range in that unit.
  void ShowTimeAxis();
  /// Lists the unit names of codes 0..8 plus `customText` when `code` is not one of them,
  /// and selects the entry of `code`.
  void ShowUnitsOf(int code, const std::u16string& customText);
  void SourceChosen(int index);
  void UnitChosen(int index);
  bool TimeMode() const { return source_->currentIndex() <= 0; }

  model::CMessungObj& measurement_;
  const app::BrandedTexts& texts_;
  platform::MessageService& messages_;
  char decimalSeparator_;
  QComboBox* source_ = nullptr;
  QComboBox* unit_ = nullptr;
  QCheckBox* drawLines_ = nullptr;
  QCheckBox* grid_ = nullptr;
  QTreeWidget* curves_ = nullptr;
  QTreeWidget* axes_ = nullptr;
  QPushButton* curveButton_ = nullptr;
  QPushButton* axisButton_ = nullptr;
  std::unique_ptr<NumberField> minimum_;
  std::unique_ptr<NumberField> maximum_;
  std::unique_ptr<NumberField> divisions_;
  std::unique_ptr<NumberField> columns_;
  std::unique_ptr<NumberField> rows_;
  /// The time unit in which the range fields are shown (0 hours, 1 minutes, 2 seconds,
  /// 3 the axis's own text, shown in seconds).
  int shownTimeUnit_ = 2;
  bool changed_ = false;
};

}  // namespace vantrel::gui
