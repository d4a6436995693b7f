// Recovery copies, the ends of journals and restored items, and the termination signals;
// see RecoveryKeeper.h.
#include "gui/recovery/RecoveryKeeper.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <atomic>
#include <csignal>

#include "gui/app/DocumentManager.h"
#include "gui/app/OpenDocument.h"
#include "gui/instrument/InstrumentAccess.h"
#include "platform/Error.h"

namespace vantrel::gui {
namespace {

// A signal handler can reach nothing but a global: the write end of the keeper's socket
// pair, handed over once when the signals are caught.
std::atomic<int> signalWriteFd{-1};

void OnTerminationSignal(int number) {
  const int fd = signalWriteFd.load();
  if (fd < 0) return;
  const auto byte = static_cast<char>(number);
  [[maybe_unused]] const ssize_t ignored = ::write(fd, &byte, 1);
}

}  // namespace

RecoveryKeeper::RecoveryKeeper(AppContext& context, std::filesystem::path folder, int minuteMs)
    : context_(context), folder_(std::move(folder)) {
  minute_.setInterval(minuteMs);
  connect(&minute_, &QTimer::timeout, this, [this] { MinuteElapsed(); });
  minute_.start();
  connect(&context_.documents, &DocumentManager::DocumentSaved, this,
          [this](OpenDocument* document) { Saved(document); });
  connect(&context_.documents, &DocumentManager::DocumentClosing, this,
          [this](OpenDocument* document) { Closing(document); });
}

RecoveryKeeper::~RecoveryKeeper() {
  if (signalFds_[0] >= 0) {
    std::signal(SIGTERM, SIG_DFL);
    std::signal(SIGHUP, SIG_DFL);
    signalWriteFd.store(-1);
    ::close(signalFds_[0]);
    ::close(signalFds_[1]);
  }
}

void RecoveryKeeper::MinuteElapsed() {
  const int interval = context_.settings.GetRecoveryInterval();
  if (interval <= 0) {
    minutes_ = 0;
    return;
  }
  if (++minutes_ < interval) return;
  minutes_ = 0;
  WriteCopies();
}

void RecoveryKeeper::WriteCopies() {
  for (const auto& document : context_.documents.Documents()) {
    const model::CMessungObj* measurement = document->Measurement();
    if (measurement == nullptr || !document->Doc().IsModified()) continue;
    if (context_.instrument != nullptr && context_.instrument->Online().HasJournal(measurement)) {
      continue;
    }
    auto& copy = copies_[document.get()];
    if (copy == nullptr) copy = std::make_unique<recovery::RecoveryCopy>(folder_);
    try {
      copy->Write(*measurement, document->Doc().GetImported());
    } catch (const platform::VantrelError& error) {
      emit CopyFailed(QString::fromStdString(error.what()));
      continue;
    }
    // The copy holds the whole document now: the item it was restored from is not needed.
    if (auto it = restored_.find(document.get()); it != restored_.end()) {
      std::string ignored;
      it->second->Remove(&ignored);
      restored_.erase(it);
    }
  }
}

void RecoveryKeeper::HoldRestored(OpenDocument& document,
                                  std::unique_ptr<recovery::RecoveredItem> item) {
  restored_[&document] = std::move(item);
}

void RecoveryKeeper::Saved(OpenDocument* document) { Forget(document, true); }

void RecoveryKeeper::Closing(OpenDocument* document) {
  if (keeping_) return;
  Forget(document, false);
}

void RecoveryKeeper::Forget(OpenDocument* document, bool saved) {
  if (auto it = copies_.find(document); it != copies_.end()) {
    it->second->Remove();
    copies_.erase(it);
  }
  if (auto it = restored_.find(document); it != restored_.end()) {
    std::string ignored;
    it->second->Remove(&ignored);
    restored_.erase(it);
  }
  if (context_.instrument != nullptr) {
    context_.instrument->Online().EndJournal(document->Measurement(), saved);
  }
}

void RecoveryKeeper::CatchTerminationSignals() {
  if (signalFds_[0] >= 0) return;
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalFds_) != 0) {
    signalFds_[0] = signalFds_[1] = -1;
    return;
  }
  signalWriteFd.store(signalFds_[1]);
  signalNotifier_ = new QSocketNotifier(signalFds_[0], QSocketNotifier::Read, this);
  connect(signalNotifier_, &QSocketNotifier::activated, this, [this] {
    char drained[16];
    while (::read(signalFds_[0], drained, sizeof drained) > 0) {
    }
    EndKeepingEverything();
  });
  struct sigaction action {};
  action.sa_handler = OnTerminationSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(SIGTERM, &action, nullptr);
  ::sigaction(SIGHUP, &action, nullptr);
}

void RecoveryKeeper::EndKeepingEverything() {
  WriteCopies();
  keeping_ = true;
  if (context_.instrument != nullptr) context_.instrument->Online().Stop();
  QCoreApplication::exit(0);
}

}  // namespace vantrel::gui
