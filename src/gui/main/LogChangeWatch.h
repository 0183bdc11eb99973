// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <filesystem>

// Notices at once that the console log changed, through the system's notifications of file
// changes (inotify on Linux). It watches the log and its directory, so a log that the game
// deletes, replaces or creates anew is followed by its name. A burst of notifications
// gives one `changed`, sent once the events waiting have been handled.
class LogChangeWatch final : public QObject {
    Q_OBJECT

public:
    explicit LogChangeWatch(QObject* parent = nullptr);

    // Watches the log at `log`. Called again with the same log, it takes up again what the
    // system stopped watching (a file deleted or replaced) as soon as it exists again.
    void watch(const std::filesystem::path& log);
    void stop();

signals:
    void changed();

private:
    // Adds the watches that are missing; true when the file's watch was added.
    bool rearm();
    void notice();

    QFileSystemWatcher m_watcher;
    QTimer m_noticeOnce;
    QString m_file;
    QString m_directory;
};
