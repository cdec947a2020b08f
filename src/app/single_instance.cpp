#include "app/single_instance.h"

#include <QLocalSocket>

namespace tq370 {
namespace {

constexpr int CONNECT_WAIT_MS = 2000;
const QByteArray RAISE_REQUEST = "raise\n";

}  // namespace

SingleInstance::SingleInstance(std::filesystem::path folder) : folder_(std::move(folder)) {
    QObject::connect(&server_, &QLocalServer::newConnection, &server_, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            // The connection itself is the request; what it carries is not needed.
            if (raise_) raise_();
        }
    });
}

std::filesystem::path SingleInstance::socketPath() const {
    return folder_ / (std::string(SINGLE_INSTANCE_LOCK_NAME) + ".socket");
}

SingleInstance::Claim SingleInstance::claim() {
    LockFile::Attempt attempt = LockFile::tryLock(folder_, SINGLE_INSTANCE_LOCK_NAME);
    const QString path = QString::fromStdString(socketPath().string());
    if (attempt.status == LockFile::Status::HeldElsewhere) {
        QLocalSocket socket;
        socket.connectToServer(path);
        if (socket.waitForConnected(CONNECT_WAIT_MS)) {
            socket.write(RAISE_REQUEST);
            socket.waitForBytesWritten(CONNECT_WAIT_MS);
            socket.disconnectFromServer();
        }
        return Claim::AlreadyRuns;
    }
    if (attempt.status != LockFile::Status::Acquired) return Claim::Unguarded;
    lock_ = std::move(attempt.lock);
    // Holding the lock, any socket file left is a dead one's.
    QLocalServer::removeServer(path);
    server_.listen(path);
    return Claim::First;
}

}  // namespace tq370
