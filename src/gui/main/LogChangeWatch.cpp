// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/LogChangeWatch.h"

#include <QFile>
#include <QFileInfo>

LogChangeWatch::LogChangeWatch(QObject* parent)
    : QObject(parent)
    , m_watcher(this)
    , m_noticeOnce(this) {
    m_noticeOnce.setSingleShot(true);
    m_noticeOnce.setInterval(0);
    connect(&m_noticeOnce, &QTimer::timeout, this, &LogChangeWatch::notice);
    const auto schedule = [this] {
        if (!m_noticeOnce.isActive())
            m_noticeOnce.start();
    };
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, schedule);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, schedule);
}

void LogChangeWatch::watch(const std::filesystem::path& log) {
    // Not path::string(): mingw's gives UTF-8 on Windows, where the system's text is ANSI.
    const QString file = QFile(log).fileName();
    if (file != m_file) {
        stop();
        m_file = file;
        m_directory = QFile(log.parent_path()).fileName();
    }
    // Text may have come between the caller's last look at the log and this watch.
    if (rearm() && !m_noticeOnce.isActive())
        m_noticeOnce.start();
}

void LogChangeWatch::stop() {
    const QStringList watched = m_watcher.files() + m_watcher.directories();
    if (!watched.isEmpty())
        m_watcher.removePaths(watched);
    m_noticeOnce.stop();
    m_file.clear();
    m_directory.clear();
}

bool LogChangeWatch::rearm() {
    if (!m_directory.isEmpty() && !m_watcher.directories().contains(m_directory) &&
        QFileInfo::exists(m_directory))
        m_watcher.addPath(m_directory);
    return !m_file.isEmpty() && !m_watcher.files().contains(m_file) && QFileInfo::exists(m_file) &&
           m_watcher.addPath(m_file);
}

void LogChangeWatch::notice() {
    // Watch a log created anew before anyone looks at it, so nothing written after the
    // look goes unnoticed.
    rearm();
    emit changed();
}
