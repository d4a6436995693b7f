// The online recording as the application runs it: the one recorded measurement, a 200 ms
// timer on the user-interface thread that moves the samples the link's worker received into
// it (setting its formulaUpdatePending flag for the chart), the cooperative stop that keeps
// every sample, and the end of a recording whose worker stopped on its own. With a journal
// folder, every recording is journaled there (off the timer's critical path: the journal's
// writer thread does the writing) until its document is saved or discarded.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <filesystem>
#include <map>
#include <memory>

#include "instrument/CInstrumentLink.h"
#include "model/CMessungObj.h"
#include "recovery/RecordingJournal.h"

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

  /// Journals every recording into `folder` from the next Begin on (empty: no journals).
  void SetJournalFolder(std::filesystem::path folder) { journalFolder_ = std::move(folder); }
  /// Follows the recording the link started into `measurement` (StartOnline succeeded) with
  /// the axis settings it was started with. The measurement must stay at its address until
  /// Stop.
  void Begin(model::CMessungObj& measurement, const instrument::AxisSettings& axes = {});
  /// The document of `measurement` was saved (`saved`) or discarded: its journal goes. A
  /// recording that goes on after a save continues in a fresh journal of the saved state.
  void EndJournal(const model::CMessungObj* measurement, bool saved);
  /// True while a journal of `measurement` exists (running or ended recording).
  bool HasJournal(const model::CMessungObj* measurement) const;
  /// True while a measurement is being recorded.
  bool Recording() const { return measurement_ != nullptr; }
  /// The measurement being recorded; null when none.
  model::CMessungObj* Measurement() const { return measurement_; }
  bool Records(const model::CMessungObj* measurement) const {
    return measurement != nullptr && measurement == measurement_;
  }
  /// Stops the worker cooperatively, moves every sample it received into the measurement,
  /// clears its onlineActive and closes the port. Nothing happens when nothing is recorded.
  /// With `tellJournalFailure` (the user's stop command) a recording whose journal could not
  /// be written ends with a message saying so.
  void Stop(bool tellJournalFailure = false);
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
  /// The journal cannot be written (once per recording); the recording goes on in memory.
  void JournalFailed(const QString& text);

 private:
  void Finish(bool tellJournalFailure);
  void StartJournal();
  void CheckJournal();

  instrument::CInstrumentLink& link_;
  model::CMessungObj* measurement_ = nullptr;
  QTimer timer_;
  QElapsedTimer clock_;
  qint64 endedAtMs_ = 0;
  long long sampleSets_ = 0;
  // A failure message shown while draining runs a nested event loop that fires the timer.
  bool draining_ = false;
  std::filesystem::path journalFolder_;
  instrument::AxisSettings axes_;
  std::unique_ptr<recovery::RecordingJournal> journal_;  // of the running recording
  /// Journals of ended recordings whose documents were neither saved nor discarded yet.
  std::map<const model::CMessungObj*, std::unique_ptr<recovery::RecordingJournal>> ended_;
};

}  // namespace vantrel::gui
