// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

// One instance of the program per user: the first start takes a lock file and listens on a
// local socket beside it; a later start finds the lock held and asks the first, through the
// socket, to bring its main window forward. A lock left by a crash is taken over.
class SingleInstance final : public QObject {
    Q_OBJECT

public:
    // `directory` holds the lock and the socket: the user's own (instanceDirectory()).
    explicit SingleInstance(const QString& directory, QObject* parent = nullptr);

    // True when this process is the first instance; it then answers later starts.
    bool claim();
    // Asks the first instance to bring its main window forward; false when it does not
    // answer within the time given.
    bool activateFirstInstance(int timeoutMs = 3000);

signals:
    void activationRequested();

private:
    void answerConnection();

    QLockFile m_lock;
    QString m_socketPath;
    QLocalServer m_server;
};
