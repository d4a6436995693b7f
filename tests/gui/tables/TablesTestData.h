// Measurements and helpers of the table window tests, built with the shared measurement
// builder: a small measurement of three curves with known samples, a long one-curve
// measurement, cell texts read through the view's model, and a watch that notes (and
// cancels) any question a step asks.
#pragma once

#include <QAbstractItemModel>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <memory>
#include <vector>

#include "MeasurementBuilder.h"
#include "model/CMessungObj.h"

namespace vantrel::testing {

/// Three curves: 1 "Druck" (red, value, bar, 0.1 s, 5 samples), 2 "Durchfluss" (blue,
/// minimum/maximum bar, 1 s, 3 samples, level trigger), 3 "Summe" (black formula curve
/// "I1+I2", mean, 0.1 s, 4 samples).
inline std::unique_ptr<model::CMessungObj> SmallMeasurement() {
  auto m = std::make_unique<model::CMessungObj>();
  m->SetName(u"Pumpe", 5);
  m->AddYAxis();
  std::vector<SampleRow> rows;
  for (float v : {1.5F, 2.25F, -3.0F, 7.125F, 2.0F}) rows.push_back({v - 1.0F, v + 1.0F, v});
  model::CKurveObj& pressure = AddNamedCurve(*m, u"Druck", 0.1, rows);
  pressure.SetColor(0x0000FF);
  pressure.SetValueMode(model::kModeValue);
  pressure.SetUnit(4, {});
  pressure.SetChannelNumber(1);
  pressure.SetSensorRange(400.0F);
  pressure.SetOrigin(1);
  rows.clear();
  for (float v : {10.0F, 20.0F, 15.0F}) rows.push_back({v - 0.5F, v + 0.5F, v});
  model::CKurveObj& flow = AddNamedCurve(*m, u"Durchfluss", 1.0, rows);
  flow.SetColor(0xFF0000);
  flow.SetValueMode(model::kModeBar);
  flow.SetUnit(8, {});
  flow.SetChannelNumber(2);
  flow.SetTriggerMode(1);
  flow.SetTriggerChannel(1);
  flow.SetTriggerLevel(12.5F);
  rows.clear();
  for (float v : {4.0F, 5.0F, 6.0F, 7.0F}) rows.push_back({v, v + 1.0F, 0.0F});
  model::CKurveObj& sum = AddNamedCurve(*m, u"Summe", 0.1, rows);
  sum.SetColor(0x000000);
  sum.SetValueMode(model::kModeMean);
  sum.SetOrigin(2);
  sum.SetSourceText(u"I1+I2");
  return m;
}

/// One curve "Lang" of `samples` samples (value mode, 0.001 s): sample i has minimum i,
/// maximum i + 0.5 and value i + 0.25 (exact in float below 2^22, so the tests stay there
/// or compare to the float).
inline std::unique_ptr<model::CMessungObj> LongMeasurement(long long samples) {
  auto m = std::make_unique<model::CMessungObj>();
  m->SetName(u"Dauerlauf", 9);
  m->AddYAxis();
  model::CKurveObj& curve = AddNamedCurve(*m, u"Lang", 0.001, {});
  curve.SetValueMode(model::kModeValue);
  FillRamp(curve, samples);
  return m;
}

/// The display text of a cell of `model`.
inline QString Cell(const QAbstractItemModel& model, int row, int column) {
  return model.data(model.index(row, column), Qt::DisplayRole).toString();
}
inline QString Title(const QAbstractItemModel& model, int column) {
  return model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
}

/// Notes whether a message box is open once the events of a step have run, and cancels it.
class QuestionWatch {
 public:
  QuestionWatch() {
    QTimer::singleShot(0, [asked = asked_] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        *asked = true;
        box->reject();
      }
    });
  }
  bool Asked() const { return *asked_; }

 private:
  std::shared_ptr<bool> asked_ = std::make_shared<bool>(false);
};

}  // namespace vantrel::testing
