#pragma once

#include "monitor/LogChangeWatch.h"

#include <QObject>
#include <QTimer>

class MonitoringSession;

// Runs a monitoring session on the event loop. While the session runs, it checks the log
// as soon as the system reports a change to it, and every 600 ms on `tickFileSize` in case
// a report comes late or never (some file systems send none). Queued lines are dispatched
// one per turn of the event loop, so timers, Stop and the windows are served between them
// and no pass runs inside another. The windows start, stop and check the session through
// the driver, which keeps the timer, the watch and the dispatch in step with the session's
// state.
class SessionDriver final : public QObject {
    Q_OBJECT

public:
    static constexpr int kTickInterval = 600;

    explicit SessionDriver(MonitoringSession& session, QObject* parent = nullptr);

    void cmdStart_Click();
    void cmdStop_Click();
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
