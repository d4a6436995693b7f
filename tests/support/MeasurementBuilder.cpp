#include "MeasurementBuilder.h"

#include <algorithm>

#include "model/Units.h"

namespace vantrel::testing {

model::CKurveObj* AddCurve(model::CMessungObj& m,
                           std::initializer_list<std::array<float, 3>> samples, double interval,
                           int unitCode) {
  model::CKurveObj* curve = m.AddCurve();
  for (const auto& s : samples) curve->AddSample(s[0], s[1], s[2]);
  curve->SetSampleInterval(interval);
  curve->SetUnit(unitCode, u"");
  curve->SetName(u"K" + std::u16string(1, static_cast<char16_t>(u'0' + m.GetCurveCount() % 10)));
  m.AddYAxis()->SetUnit(unitCode, u"");
  curve->SetAxisIndex(m.GetYAxisCount() - 1);
  return curve;
}

std::unique_ptr<model::CMessungObj> MeasurementOfCurves(int count,
                                                        platform::MessageService* messages) {
  auto m = std::make_unique<model::CMessungObj>(messages);
  m->SetName(u"Messung", 1);
  for (int i = 0; i < count; ++i) {
    const auto first = static_cast<float>(i);
    AddCurve(*m, {{first, first + 1.0F, 0.0F}, {1.0F, 2.0F, 0.0F}});
  }
  return m;
}

model::CAchse* AddAxis(model::CMessungObj& m, float lo, float hi) {
  model::CAchse* axis = m.AddYAxis();
  axis->SetMin(lo);
  axis->SetMax(hi);
  return axis;
}

model::CAchse* AddAxis(model::CMessungObj& m, float lo, float hi, int divisions, int unitCode) {
  model::CAchse* axis = AddAxis(m, lo, hi);
  axis->SetDivisions(divisions);
  axis->SetUnit(unitCode, {});
  return axis;
}

model::CKurveObj* AddCurve(model::CMessungObj& m, int axis, platform::Color color, int drawOrder,
                           const std::vector<float>& values, double interval) {
  model::CKurveObj& curve = AddCurveOfRows(m, FlatRows(values), interval);
  curve.SetAxisIndex(axis);
  curve.SetColor(color);
  curve.SetDrawOrder(drawOrder);
  return &curve;
}

model::CKurveObj& AddCurveOfRows(model::CMessungObj& m, const std::vector<SampleRow>& samples,
                                 double interval) {
  model::CKurveObj& curve = *m.AddCurve();
  curve.SetSampleInterval(interval);
  for (const SampleRow& s : samples) curve.AddSample(s.minimum, s.maximum, s.value);
  return curve;
}

model::CKurveObj& AddNamedCurve(model::CMessungObj& m, const std::u16string& name, double interval,
                                const std::vector<SampleRow>& samples) {
  model::CKurveObj& curve = AddCurveOfRows(m, samples, interval);
  curve.SetName(name);
  return curve;
}

std::vector<SampleRow> Ramp(int count) {
  std::vector<SampleRow> rows;
  for (int k = 0; k < count; ++k) {
    const auto first = static_cast<float>(k);
    rows.push_back({first, first + 0.5F, first + 0.25F});
  }
  return rows;
}

void FillRamp(model::CKurveObj& curve, long long count) {
  auto& samples = curve.MutableSamples();
  samples.resize(static_cast<std::size_t>(count));
  for (std::size_t k = 0; k < samples.size(); ++k) {
    const auto first = static_cast<float>(k);
    samples[k] = model::CValueObj(first, first + 0.5F, first + 0.25F);
  }
}

std::vector<SampleRow> FlatRows(const std::vector<float>& values) {
  std::vector<SampleRow> rows;
  rows.reserve(values.size());
  for (float v : values) rows.push_back({v, v, v});
  return rows;
}

std::unique_ptr<model::CMessungObj> ChartMeasurement(int count) {
  auto m = std::make_unique<model::CMessungObj>();
  m->SetName(u"Pumpe", 1);
  for (int axis = 0; axis < std::min(count, 2); ++axis) {
    model::CAchse* a = m->AddYAxis();
    a->SetMin(0.0F);
    a->SetMax(100.0F);
    a->SetDivisions(4);
    a->SetUnit(model::kUnitBar, {});
  }
  for (int c = 0; c < count; ++c) {
    model::CKurveObj* curve = m->AddCurve();
    curve->SetName(u"Kanal " + std::u16string(1, static_cast<char16_t>(u'1' + c)));
    curve->SetSampleInterval(0.5);
    curve->SetDuration(11);
    curve->SetAxisIndex(c % 2);
    curve->SetDrawOrder(c + 1);
    curve->SetRecordingKind(1);
    curve->SetUnit(model::kUnitBar, {});
    curve->SetColor(c == 0 ? platform::MakeColor(255, 0, 0) : platform::MakeColor(0, 0, 255));
    for (int i = 0; i <= 20; ++i) {
      const float base = static_cast<float>(i + 100 * c);
      curve->AddSample(base, base + 1.0F, base + 0.5F);
    }
    curve->SetPeakValue(static_cast<float>(21 + 100 * c));
  }
  m->GetXAxis().SetMin(0.0F);
  m->GetXAxis().SetMax(10.0F);
  return m;
}

}  // namespace vantrel::testing
