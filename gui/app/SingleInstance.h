// One program per user: the first start listens on a local socket; a later start hands its
// file arguments over that socket to the running program and ends. A socket left behind by
// a program that crashed answers no one; it is removed and the new start listens instead.
// A socket file of another user (possible in a shared temporary folder) is never used.
//
// The message is the files' absolute paths in UTF-8, one per line; an empty message only
// raises the running program's window.
#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

namespace vantrel::gui {

class SingleInstance final : public QObject {
  Q_OBJECT
 public:
  /// The socket of this user: in $XDG_RUNTIME_DIR when set (private to the user), else in
  /// the temporary folder with the user's number in its name.
  static QString DefaultSocketPath();

  /// Sends `files` (made absolute against the current folder) to the program listening on
  /// `socketPath`; false when no program answers there.
  static bool HandOver(const QString& socketPath, const QStringList& files);

  /// Listens on `socketPath`, replacing a stale socket; false when listening failed or
  /// another program answers there (this program then runs on without receiving files).
  bool Listen(const QString& socketPath);
  bool IsListening() const { return server_ != nullptr && server_->isListening(); }

 signals:
  /// Files handed over by a later start (absolute paths; empty: only raise the window).
  void FilesReceived(const QStringList& files);

 private:
  void Accept();

  std::unique_ptr<QLocalServer> server_;
};

}  // namespace vantrel::gui
