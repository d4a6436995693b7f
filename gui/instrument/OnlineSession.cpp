#include "gui/instrument/OnlineSession.h"

namespace vantrel::gui {

OnlineSession::OnlineSession(instrument::CInstrumentLink& link) : link_(link) {
  timer_.setInterval(kDrainIntervalMs);
  connect(&timer_, &QTimer::timeout, this, [this] { Drain(); });
}

OnlineSession::~OnlineSession() { Stop(); }

void OnlineSession::Begin(model::CMessungObj& measurement) {
  Stop();
  measurement_ = &measurement;
  sampleSets_ = 0;
  endedAtMs_ = 0;
  clock_.start();
  timer_.start();
}

qint64 OnlineSession::ElapsedMs() const {
  if (measurement_ == nullptr || !clock_.isValid()) return endedAtMs_;
  return clock_.elapsed();
}

void OnlineSession::Drain() {
  if (measurement_ == nullptr || draining_) return;
  draining_ = true;
  // The worker's end is read before draining, so that the last samples it queued are taken.
  const bool running = link_.OnlineRunning();
  const int sets = link_.DrainOnline();
  draining_ = false;
  if (measurement_ == nullptr) return;  // stopped while a failure message was shown
  sampleSets_ += sets;
  if (sets > 0) emit SamplesArrived();
  if (!running) Finish();
}

void OnlineSession::Stop() {
  if (measurement_ == nullptr) return;
  Finish();
}

void OnlineSession::Finish() {
  timer_.stop();
  endedAtMs_ = clock_.isValid() ? clock_.elapsed() : 0;
  // StopOnline joins the worker and appends what it received after the last drain.
  const long long before =
      measurement_->GetCurveCount() > 0 ? measurement_->GetCurve(0)->GetSampleCount() : 0;
  link_.StopOnline();
  const long long after =
      measurement_->GetCurveCount() > 0 ? measurement_->GetCurve(0)->GetSampleCount() : 0;
  sampleSets_ += after - before;
  measurement_->SetOnlineActive(0);
  link_.Close();
  measurement_ = nullptr;
  if (after > before) emit SamplesArrived();
  emit Ended();
}

}  // namespace vantrel::gui
