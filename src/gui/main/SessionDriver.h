// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/main/LogChangeWatch.h"

#include <QObject>
#include <QTimer>

#include <chrono>

class MonitoringSession;

// Runs a monitoring session on the event loop. While the session runs, it checks the log
// as soon as the system reports a change to it, and every 600 ms on `tickFileSize` in case
// a report comes late or never (some file systems send none). Queued lines are dispatched
// in turns of the event loop, a few milliseconds of them per turn, so timers, Stop and the
// windows are served between them and no pass runs inside another. The windows start,
// stop and check the session through the driver, which keeps the timer, the watch and the
// dispatch in step with the session's state.
class SessionDriver final : public QObject {
    Q_OBJECT

public:
    static constexpr int kTickInterval = 600;
    // How long one turn may dispatch lines before the event loop runs again: short enough
    // that the windows do not seem to stall, long enough that a flood of console text is
    // not dominated by the cost of a turn.
    static constexpr std::chrono::milliseconds kTurnBudget{3};

    explicit SessionDriver(MonitoringSession& session, QObject* parent = nullptr);

    // The timer's part of the main window's cmdStart_Click and cmdStop_Click.
    void start();
    void stop();
    // Measures the log now and reads what it gained: the tick of `tickFileSize`, and the
    // entry for any other sign that the log changed.
    void checkNow();

private:
    void dispatchTurn();
    void follow();

    MonitoringSession& m_session;
    QTimer m_tickFileSize;
    LogChangeWatch m_logChanges;
    QTimer m_dispatchTurn;
    bool m_inTurn = false;
};
