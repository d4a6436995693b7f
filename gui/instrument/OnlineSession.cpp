#include "gui/instrument/OnlineSession.h"

#include <ctime>

#include "document/MeasurementArchive.h"
#include "recovery/RecoveryMessages.h"

namespace vantrel::gui {

OnlineSession::OnlineSession(instrument::CInstrumentLink& link) : link_(link) {
  timer_.setInterval(kDrainIntervalMs);
  connect(&timer_, &QTimer::timeout, this, [this] { Drain(); });
}

OnlineSession::~OnlineSession() { Stop(); }

void OnlineSession::Begin(model::CMessungObj& measurement, const instrument::AxisSettings& axes) {
  Stop();
  measurement_ = &measurement;
  axes_ = axes;
  StartJournal();
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
  CheckJournal();
  sampleSets_ += sets;
  if (sets > 0) emit SamplesArrived();
  if (!running) Finish(true);
}

void OnlineSession::Stop(bool tellJournalFailure) {
  if (measurement_ == nullptr) return;
  Finish(tellJournalFailure);
}

void OnlineSession::Finish(bool tellJournalFailure) {
  timer_.stop();
  endedAtMs_ = clock_.isValid() ? clock_.elapsed() : 0;
  // StopOnline joins the worker and appends what it received after the last drain.
  const long long before =
      measurement_->GetCurveCount() > 0 ? measurement_->GetCurve(0)->GetSampleCount() : 0;
  link_.StopOnline();
  link_.SetOnlineSink(nullptr);
  const long long after =
      measurement_->GetCurveCount() > 0 ? measurement_->GetCurve(0)->GetSampleCount() : 0;
  sampleSets_ += after - before;
  measurement_->SetOnlineActive(0);
  link_.Close();
  bool journalFailed = false;
  if (journal_ != nullptr) {
    // The ended recording's journal is its only copy on disk until the document is saved: it
    // holds every set of the document before the recording counts as ended.
    journal_->Flush();
    CheckJournal();
    journalFailed = journal_->Failed();
    ended_[measurement_] = std::move(journal_);
  }
  measurement_ = nullptr;
  if (after > before) emit SamplesArrived();
  emit Ended();
  // The user learns at the end, too, that this recording exists only in memory.
  if (tellJournalFailure && journalFailed && link_.Messages() != nullptr) {
    link_.Messages()->ShowMessage(recovery::kMsgJournalEndNotice, platform::Buttons::Ok,
                                  platform::Icon::Exclamation);
  }
}

void OnlineSession::StartJournal() {
  if (journalFolder_.empty() || measurement_ == nullptr) return;
  recovery::JournalHeader header;
  header.channelCount = measurement_->GetCurveCount();
  header.axes = axes_;
  header.startedAt = static_cast<std::int64_t>(std::time(nullptr));
  header.title = measurement_->GetName();
  header.templateExtension = u".vqa";
  header.image = document::DocumentBytes(*measurement_, 1);
  journal_ = recovery::RecordingJournal::Start(journalFolder_, header);
  link_.SetOnlineSink(journal_.get());
}

void OnlineSession::CheckJournal() {
  if (journal_ == nullptr || !journal_->TakeFailureNotice()) return;
  emit JournalFailed(QString::fromStdString(journal_->FailureText()));
}

void OnlineSession::EndJournal(const model::CMessungObj* measurement, bool saved) {
  if (measurement == nullptr) return;
  if (auto it = ended_.find(measurement); it != ended_.end()) {
    it->second->Remove();
    ended_.erase(it);
  }
  if (measurement_ != nullptr && measurement == measurement_ && journal_ != nullptr) {
    link_.SetOnlineSink(nullptr);
    journal_->Remove();
    journal_.reset();
    if (saved) StartJournal();
  }
}

bool OnlineSession::HasJournal(const model::CMessungObj* measurement) const {
  if (measurement == nullptr) return false;
  if (measurement == measurement_ && journal_ != nullptr) return true;
  return ended_.count(measurement) != 0;
}

}  // namespace vantrel::gui
