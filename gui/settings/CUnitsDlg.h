// The unit preferences dialog (template 139): the preferred unit of speed, pressure,
// temperature and flow. OK stores them in the settings and the profile and converts the
// chart's measurement into them.
#pragma once

#include <QDialog>
#include <memory>

#include "gui/app/AppContext.h"
#include "gui/widgets/RadioGroup.h"
#include "model/CMessungObj.h"

namespace vantrel::gui {

class CUnitsDlg final : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kTemplate = 139;
  static constexpr int kSpeedGroup = 1002;
  static constexpr int kPressureGroup = 1006;
  static constexpr int kTemperatureGroup = 1003;
  static constexpr int kFlowGroup = 1009;
  /// Shown when the profile cannot be written.

  CUnitsDlg(AppContext& context, model::CMessungObj& measurement, QWidget* parent);

  /// The unit code of a radio index and back, per quantity (binding indices of the dialog).
  static int SpeedCode(int index) { return index == 0 || index == 1 ? index : 2; }
  static int SpeedIndex(int code) { return code == 0 || code == 1 ? code : 2; }
  static int PressureCode(int index) { return index == 0 ? 3 : 4; }
  static int PressureIndex(int code) { return code == 3 ? 0 : 1; }
  static int TemperatureCode(int index) { return index == 0 ? 6 : 5; }
  static int TemperatureIndex(int code) { return code == 6 ? 0 : 1; }
  static int FlowCode(int index) { return index == 0 ? 7 : 8; }
  static int FlowIndex(int code) { return code == 7 ? 0 : 1; }

 public slots:
  /// Stores the units (settings and profile), converts the measurement and closes.
  void accept() override;

 private:
  AppContext& context_;
  model::CMessungObj& measurement_;
  std::unique_ptr<RadioGroup> speed_;
  std::unique_ptr<RadioGroup> pressure_;
  std::unique_ptr<RadioGroup> temperature_;
  std::unique_ptr<RadioGroup> flow_;
};

}  // namespace vantrel::gui
