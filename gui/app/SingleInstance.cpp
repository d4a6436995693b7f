#include "gui/app/SingleInstance.h"

#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>

namespace vantrel::gui {
namespace {

/// Waiting for the running program to take the connection and the paths (milliseconds).
constexpr int kHandOverTimeout = 3000;
/// A hand-over longer than this is not from our program and is dropped (bytes).
constexpr qint64 kMaxMessageSize = 1 << 20;

/// Whether the socket file at `socketPath` may be used: missing, or owned by this user (in
/// a shared temporary folder another user could have made it).
bool OwnSocket(const QString& socketPath) {
  const QFileInfo file(socketPath);
  return !file.exists() || file.ownerId() == ::getuid();
}

}  // namespace

QString SingleInstance::DefaultSocketPath() {
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (!runtime.isEmpty() && QFileInfo(runtime).isDir()) {
    return QDir(runtime).filePath(QStringLiteral("vantrel.socket"));
  }
  return QDir(QDir::tempPath()).filePath(QStringLiteral("vantrel-%1.socket").arg(::getuid()));
}

bool SingleInstance::HandOver(const QString& socketPath, const QStringList& files) {
  if (!OwnSocket(socketPath)) return false;
  QLocalSocket socket;
  socket.connectToServer(socketPath);
  if (!socket.waitForConnected(kHandOverTimeout)) return false;
  QByteArray message;
  for (const QString& file : files) {
    message += QFileInfo(file).absoluteFilePath().toUtf8();
    message += '\n';
  }
  // An empty message still tells the running program to raise its window.
  if (message.isEmpty()) message = "\n";
  socket.write(message);
  if (!socket.waitForBytesWritten(kHandOverTimeout)) return false;
  socket.disconnectFromServer();
  if (socket.state() != QLocalSocket::UnconnectedState)
    socket.waitForDisconnected(kHandOverTimeout);
  return true;
}

bool SingleInstance::Listen(const QString& socketPath) {
  // A socket that answers belongs to a running program and stays; one nobody answers on is
  // left from a crashed run and is replaced (Qt's listen would replace either). Another
  // user's socket is left alone.
  if (!OwnSocket(socketPath)) return false;
  {
    QLocalSocket probe;
    probe.connectToServer(socketPath);
    if (probe.waitForConnected(kHandOverTimeout)) return false;
  }
  QLocalServer::removeServer(socketPath);
  server_ = std::make_unique<QLocalServer>();
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_->listen(socketPath)) {
    server_.reset();
    return false;
  }
  connect(server_.get(), &QLocalServer::newConnection, this, &SingleInstance::Accept);
  return true;
}

void SingleInstance::Accept() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    socket->setParent(this);
    auto buffer = std::make_shared<QByteArray>();
    connect(socket, &QLocalSocket::readyRead, this, [socket, buffer] {
      buffer->append(socket->readAll());
      if (buffer->size() > kMaxMessageSize) socket->abort();
    });
    connect(socket, &QLocalSocket::disconnected, this, [this, socket, buffer] {
      buffer->append(socket->readAll());
      socket->deleteLater();
      if (buffer->isEmpty() || buffer->size() > kMaxMessageSize) return;
      QStringList files;
      for (const QByteArray& line : buffer->split('\n')) {
        if (!line.isEmpty()) files << QString::fromUtf8(line);
      }
      emit FilesReceived(files);
    });
  }
}

}  // namespace vantrel::gui
