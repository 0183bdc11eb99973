// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/SessionDriver.h"

#include "core/session/MonitoringSession.h"

SessionDriver::SessionDriver(MonitoringSession& session, QObject* parent)
    : QObject(parent)
    , m_session(session)
    , m_tickFileSize(this)
    , m_logChanges(this)
    , m_dispatchTurn(this) {
    m_tickFileSize.setObjectName(QStringLiteral("tickFileSize"));
    m_tickFileSize.setInterval(kTickInterval);
    connect(&m_tickFileSize, &QTimer::timeout, this, &SessionDriver::checkNow);
    connect(&m_logChanges, &LogChangeWatch::changed, this, &SessionDriver::checkNow);

    // A zero timer fires once the events already waiting have been handled.
    m_dispatchTurn.setSingleShot(true);
    m_dispatchTurn.setInterval(0);
    connect(&m_dispatchTurn, &QTimer::timeout, this, &SessionDriver::dispatchTurn);
}

void SessionDriver::start() {
    m_session.start();
    follow();
}

void SessionDriver::stop() {
    // Stop's messages run the event loop; no check is due meanwhile.
    m_tickFileSize.stop();
    m_logChanges.stop();
    m_session.stop();
    follow();
}

void SessionDriver::checkNow() {
    m_session.checkLog();
    follow();
}

void SessionDriver::dispatchTurn() {
    using Clock = std::chrono::steady_clock;
    const auto end = Clock::now() + kTurnBudget;
    m_inTurn = true;
    do
        m_session.dispatchNextLine();
    while (m_session.hasPendingLines() && Clock::now() < end);
    m_inTurn = false;
    if (m_session.hasPendingLines())
        m_dispatchTurn.start();
    else
        checkNow(); // what the log gained meanwhile, and the rest of a long growth
}

void SessionDriver::follow() {
    if (!m_session.isRunning()) {
        m_tickFileSize.stop();
        m_logChanges.stop();
    } else {
        if (!m_tickFileSize.isActive())
            m_tickFileSize.start();
        m_logChanges.watch(m_session.logPath());
    }
    // A turn in progress schedules the next one when it ends.
    if (m_session.hasPendingLines() && !m_inTurn && !m_dispatchTurn.isActive())
        m_dispatchTurn.start();
}
