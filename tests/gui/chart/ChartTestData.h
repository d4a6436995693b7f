// A measurement for the chart window tests: three curves on two value axes (pressure in
// bar, flow in l/min) over 60 seconds, markers A and B, a text and a line.
#pragma once

#include <cmath>
#include <memory>

#include "model/CMessungObj.h"

namespace vantrel::testing {

inline std::unique_ptr<model::CMessungObj> DemoChartMeasurement() {
  auto m = std::make_unique<model::CMessungObj>();
  m->SetName(u"Hydraulikprüfung", 3);
  model::CAchse* pressureAxis = m->AddYAxis();
  pressureAxis->SetMin(0.0F);
  pressureAxis->SetMax(400.0F);
  pressureAxis->SetDivisions(3);
  pressureAxis->SetUnit(4, {});
  model::CAchse* flowAxis = m->AddYAxis();
  flowAxis->SetMin(0.0F);
  flowAxis->SetMax(100.0F);
  flowAxis->SetDivisions(3);
  flowAxis->SetUnit(8, {});
  m->GetXAxis().SetMin(0.0F);
  m->GetXAxis().SetMax(60.0F);
  m->GetXAxis().SetDivisions(4);

  struct CurveSpec {
    const char16_t* name;
    int axis;
    platform::Color color;
    int unit;
    int mode;
    double level, swing, period;
  };
  const CurveSpec specs[] = {
      {u"Systemdruck", 0, platform::MakeColor(220, 0, 0), 4, model::kModeValue, 250, 80, 20},
      {u"Steuerdruck", 0, platform::MakeColor(0, 140, 0), 4, model::kModeBar, 90, 30, 7},
      {u"Durchfluss", 1, platform::MakeColor(0, 0, 220), 8, model::kModeMean, 55, 25, 33},
  };
  int channel = 1;
  for (const CurveSpec& plan : specs) {
    model::CKurveObj* curve = m->AddCurve();
    curve->SetName(plan.name);
    curve->SetAxisIndex(plan.axis);
    curve->SetColor(plan.color);
    curve->SetUnit(plan.unit, {});
    curve->SetValueMode(plan.mode);
    curve->SetSampleInterval(0.1);
    curve->SetChannelNumber(channel);
    curve->SetDrawOrder(channel++);
    for (int i = 0; i < 600; ++i) {
      const double t = i * 0.1;
      const auto v =
          static_cast<float>(plan.level + plan.swing * std::sin(6.2831853 * t / plan.period));
      curve->AddSample(v - 4.0F, v + 4.0F, v);
    }
  }
  m->SetCursors(0.25, 0.7);
  m->AddText(u"Ventil öffnet", 10, 0.3, 0.9);
  m->AddLine(0.55, 0.2, 0.2, 0.3);
  return m;
}

}  // namespace vantrel::testing
