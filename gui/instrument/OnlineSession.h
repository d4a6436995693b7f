// The online recording as the application runs it: the one recorded measurement, a 200 ms
// timer on the user-interface thread that moves the samples the link's worker received into
// it (setting its formulaUpdatePending flag for the chart), the cooperative stop that keeps
// every sample, and the end of a recording whose worker stopped on its own.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include "instrument/CInstrumentLink.h"
#include "model/CMessungObj.h"

namespace vantrel::gui {

class OnlineSession final : public QObject {
  Q_OBJECT
 public:
  /// How often received samples are moved into the measurement, in ms.
  static constexpr int kDrainIntervalMs = 200;

  explicit OnlineSession(instrument::CInstrumentLink& link);
  /// Stops a running recording.
  ~OnlineSession() override;
  OnlineSession(const OnlineSession&) = delete;
  OnlineSession& operator=(const OnlineSession&) = delete;

  /// Follows the recording the link started into `measurement` (StartOnline succeeded). The
  /// measurement must stay at its address until Stop.
  void Begin(model::CMessungObj& measurement);
  /// True while a measurement is being recorded.
  bool Recording() const { return measurement_ != nullptr; }
  /// The measurement being recorded; null when none.
  model::CMessungObj* Measurement() const { return measurement_; }
  bool Records(const model::CMessungObj* measurement) const {
    return measurement != nullptr && measurement == measurement_;
  }
  /// Stops the worker cooperatively, moves every sample it received into the measurement,
  /// clears its onlineActive and closes the port. Nothing happens when nothing is recorded.
  void Stop();
  /// Moves the samples received so far into the measurement (the timer does this).
  void Drain();

  /// Sample sets moved into the measurement since Begin.
  long long SampleSets() const { return sampleSets_; }
  /// Milliseconds since Begin (frozen at the end of the recording).
  qint64 ElapsedMs() const;

 signals:
  /// Samples were moved into the measurement.
  void SamplesArrived();
  /// The recording ended (stopped, or the worker ended on its own).
  void Ended();

 private:
  void Finish();

  instrument::CInstrumentLink& link_;
  model::CMessungObj* measurement_ = nullptr;
  QTimer timer_;
  QElapsedTimer clock_;
  qint64 endedAtMs_ = 0;
  long long sampleSets_ = 0;
  // A failure message shown while draining runs a nested event loop that fires the timer.
  bool draining_ = false;
};

}  // namespace vantrel::gui
