#include "gui/settings/CUnitsDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/widgets/DialogParts.h"

namespace vantrel::gui {

CUnitsDlg::CUnitsDlg(AppContext& context, model::CMessungObj& measurement, QWidget* parent)
    : QDialog(parent), context_(context), measurement_(measurement) {
  const app::BrandedTexts& texts = context.texts;
  setWindowTitle(DialogCaption(texts, kTemplate));
  using Ids = std::initializer_list<int>;
  speed_ = std::make_unique<RadioGroup>(texts, kTemplate, 1201, Ids{kSpeedGroup, 1202, 1203}, this);
  pressure_ = std::make_unique<RadioGroup>(texts, kTemplate, 1204, Ids{kPressureGroup, 1205}, this);
  temperature_ =
      std::make_unique<RadioGroup>(texts, kTemplate, 1206, Ids{kTemperatureGroup, 1207}, this);
  flow_ = std::make_unique<RadioGroup>(texts, kTemplate, 1208, Ids{kFlowGroup, 1209}, this);

  auto* grid = new QGridLayout;
  grid->addWidget(speed_->Box(), 0, 0);
  grid->addWidget(pressure_->Box(), 0, 1);
  grid->addWidget(temperature_->Box(), 1, 0);
  grid->addWidget(flow_->Box(), 1, 1);
  for (int column = 0; column < 2; ++column) grid->setColumnStretch(column, 1);

  const auto [buttons, ok, cancel] = MakeOkCancelButtons(*this, texts, kTemplate);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addSpacing(6);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  const settings::CUserSettings& stored = context.settings;
  speed_->SetIndex(SpeedIndex(stored.GetSpeedUnit()));
  pressure_->SetIndex(PressureIndex(stored.GetPressureUnit()));
  temperature_->SetIndex(TemperatureIndex(stored.GetTemperatureUnit()));
  flow_->SetIndex(FlowIndex(stored.GetFlowUnit()));
}

void CUnitsDlg::accept() {
  settings::CUserSettings& stored = context_.settings;
  stored.SetSpeedUnit(SpeedCode(speed_->Index()));
  stored.SetPressureUnit(PressureCode(pressure_->Index()));
  stored.SetTemperatureUnit(TemperatureCode(temperature_->Index()));
  stored.SetFlowUnit(FlowCode(flow_->Index()));
  if (!stored.SaveUnits(context_.profile)) {
    // The preferences still hold for this session and the measurement is converted.
    ReportSettingsNotSaved(context_.messages, context_.profile);
  }
  stored.ApplyUnitPreferences(measurement_);
  QDialog::accept();
}

}  // namespace vantrel::gui
