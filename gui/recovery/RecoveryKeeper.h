// What the running program does so that a crash loses at most a few minutes of edits:
// every N minutes (the setting "Wiederherstellungsintervall", 0 = off) and on SIGTERM or
// SIGHUP it writes a recovery copy of each changed document; a document's copy, its
// recording journal and the restored item it came from go when it is saved or closed. On
// SIGTERM/SIGHUP the program then ends keeping all of them for the next start.
#pragma once

#include <QObject>
#include <QTimer>
#include <filesystem>
#include <map>
#include <memory>

#include "gui/app/AppContext.h"
#include "recovery/RecoveredItem.h"
#include "recovery/RecoveryCopy.h"

class QSocketNotifier;

namespace vantrel::gui {

class OpenDocument;

class RecoveryKeeper final : public QObject {
  Q_OBJECT
 public:
  static constexpr int kMinuteMs = 60000;

  /// Keeps copies in `folder`; `minuteMs` is the length of a minute (tests shorten it).
  RecoveryKeeper(AppContext& context, std::filesystem::path folder, int minuteMs = kMinuteMs);
  /// Keeps whatever is still held: the program did not close those documents.
  ~RecoveryKeeper() override;
  RecoveryKeeper(const RecoveryKeeper&) = delete;
  RecoveryKeeper& operator=(const RecoveryKeeper&) = delete;

  const std::filesystem::path& Folder() const { return folder_; }
  /// One minute passed: writes the copies when the interval is reached.
  void MinuteElapsed();
  /// Writes a copy of every changed document now (documents being journaled are left to
  /// their journals).
  void WriteCopies();
  /// Keeps `item` (and its lock) until the document restored from it is saved or closed.
  void HoldRestored(OpenDocument& document, std::unique_ptr<recovery::RecoveredItem> item);
  /// From now on SIGTERM and SIGHUP write the copies and end the program keeping them.
  void CatchTerminationSignals();
  /// Writes the copies and ends the event loop; closing documents afterwards keeps their
  /// copies and journals.
  void EndKeepingEverything();
  bool HasCopy(const OpenDocument& document) const { return copies_.count(&document) != 0; }

 signals:
  /// A copy could not be written (the text names the cause).
  void CopyFailed(const QString& text);

 private:
  void Saved(OpenDocument* document);
  void Closing(OpenDocument* document);
  void Forget(OpenDocument* document, bool saved);

  AppContext& context_;
  std::filesystem::path folder_;
  QTimer minute_;
  int minutes_ = 0;
  bool keeping_ = false;
  std::map<const OpenDocument*, std::unique_ptr<recovery::RecoveryCopy>> copies_;
  std::map<const OpenDocument*, std::unique_ptr<recovery::RecoveredItem>> restored_;
  QSocketNotifier* signalNotifier_ = nullptr;
  int signalFds_[2] = {-1, -1};
};

}  // namespace vantrel::gui
