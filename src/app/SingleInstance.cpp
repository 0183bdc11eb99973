// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SingleInstance.h"

#include <QDir>
#include <QLocalSocket>

namespace {
const QByteArray kActivate = QByteArrayLiteral("activate\n");
const QByteArray kDone = QByteArrayLiteral("done\n");
} // namespace

SingleInstance::SingleInstance(const QString& directory, QObject* parent)
    : QObject(parent)
    , m_lock(QDir(directory).filePath(QStringLiteral("yelpcue.lock")))
    , m_socketPath(QDir(directory).filePath(QStringLiteral("yelpcue.socket"))) {
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::answerConnection);
}

bool SingleInstance::claim() {
    // tryLock takes over a lock whose process no longer exists.
    if (!m_lock.tryLock(0))
        return false;
    // A socket file left by a crashed instance would block listen().
    QLocalServer::removeServer(m_socketPath);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    m_server.listen(m_socketPath);
    return true;
}

bool SingleInstance::activateFirstInstance(int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(m_socketPath);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(kActivate);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
    }
    return socket.readLine() == kDone;
}

void SingleInstance::answerConnection() {
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine())
                return;
            if (socket->readLine() == kActivate) {
                emit activationRequested();
                socket->write(kDone);
            }
            socket->disconnectFromServer();
        });
    }
}
