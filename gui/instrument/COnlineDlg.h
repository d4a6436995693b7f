// The online measurement dialog (template 154): after the prompt to connect the instrument it
// opens the port and starts the recording into a new measurement, shows the received sample
// sets and the recording time while the recording runs, and hands the measurement to the
// caller on OK (the recording goes on). Cancel stops the recording and discards the
// measurement.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <memory>

#include "gui/app/AppContext.h"
#include "gui/instrument/InstrumentAccess.h"

namespace vantrel::gui {

class COnlineDlg final : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kTemplate = 154;
  static constexpr int kFormulaButton = 1050;
  static constexpr int kChartSetupButton = 1054;
  /// Tooltips of the buttons whose dialogs this program does not offer yet.

  /// `variant` 0 receives the field format, 1 the line format.
  COnlineDlg(AppContext& context, InstrumentAccess& instrument, int variant, QWidget* parent);
  /// A measurement still owned here is discarded after its recording stopped.
  ~COnlineDlg() override;

  /// Asks to connect the instrument, opens the port and starts the recording; false (nothing
  /// recorded, the dialog is not to be shown) when the user declined or the start failed.
  bool Start();
  /// The recorded measurement (OK); its recording goes on at the same address.
  std::unique_ptr<model::CMessungObj> TakeMeasurement() { return std::move(measurement_); }
  const model::CMessungObj* Measurement() const { return measurement_.get(); }

 public slots:
  /// Cancel: stops the recording and discards the measurement.
  void reject() override;

 private:
  void ShowStatus();
  void DiscardRecording();

  AppContext& context_;
  InstrumentAccess& instrument_;
  int variant_;
  std::unique_ptr<model::CMessungObj> measurement_;
  QPushButton* formulaButton_ = nullptr;
  QPushButton* chartSetupButton_ = nullptr;
  QLabel* prompt_ = nullptr;
  QLabel* sampleSets_ = nullptr;
  QLabel* recordingTime_ = nullptr;
  QLabel* state_ = nullptr;
  QTimer clock_;
};

}  // namespace vantrel::gui
