// A measurement for the chart window tests, built with the shared measurement builder: three
// curves on two value axes (pressure in bar, flow in l/min) over 60 seconds, markers A and B,
// a text and a line.
#pragma once

#include <cmath>
#include <memory>
#include <vector>

#include "MeasurementBuilder.h"
#include "model/CMessungObj.h"

namespace vantrel::testing {

inline std::unique_ptr<model::CMessungObj> DemoChartMeasurement() {
  auto m = std::make_unique<model::CMessungObj>();
  m->SetName(u"Hydraulikprüfung", 3);
  AddAxis(*m, 0.0F, 400.0F, 3, 4);  // pressure, bar
  AddAxis(*m, 0.0F, 100.0F, 3, 8);  // flow, l/min
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
    // Ten samples a second for a minute of a sine around the curve's level.
    std::vector<SampleRow> rows;
    for (int i = 0; i < 600; ++i) {
      const double t = i * 0.1;
      const auto v =
          static_cast<float>(plan.level + plan.swing * std::sin(6.2831853 * t / plan.period));
      rows.push_back({v - 4.0F, v + 4.0F, v});
    }
    model::CKurveObj& curve = AddNamedCurve(*m, plan.name, 0.1, rows);
    curve.SetAxisIndex(plan.axis);
    curve.SetColor(plan.color);
    curve.SetUnit(plan.unit, {});
    curve.SetValueMode(plan.mode);
    curve.SetChannelNumber(channel);
    curve.SetDrawOrder(channel++);
  }
  m->SetCursors(0.25, 0.7);
  m->AddText(u"Ventil öffnet", 10, 0.3, 0.9);
  m->AddLine(0.55, 0.2, 0.2, 0.3);
  return m;
}

}  // namespace vantrel::testing
