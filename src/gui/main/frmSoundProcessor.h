// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/session/ActivityList.h"
#include "core/session/MonitoringSession.h"
#include "core/session/SessionView.h"
#include "core/session/SoundProcessor.h"
#include "gui/main/SessionDriver.h"
#include "platform/qt/QtWindowGeometry.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <array>
#include <memory>

class ModPushKeys;
class QButtonGroup;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class TriggerList;
class frmMatchStats;
class frmStart;
struct Configuration;
struct Platform;

// The main window: the game mode, the log size, the list of what the session did, and the
// buttons that run sessions and open the other windows. It owns the monitoring session.
class frmSoundProcessor final : public QWidget, private SessionView, private ActivityList {
    Q_OBJECT

public:
    frmSoundProcessor(Platform& platform, Configuration& configuration, TriggerList& triggers,
                      ModPushKeys& keys, frmStart& tray, QWidget* parent = nullptr);
    ~frmSoundProcessor() override;

    SoundProcessor::LoadResult Form_Load();
    // Brings the window forward for a later start of the program: restored if minimised,
    // shown if hidden; before it has loaded, the box or window that loading waits on.
    void comeForward();
    // The one way out of the program, whatever asks for it: each window's closing steps
    // run once, then the program ends.
    void endProgram();

    void cmdStart_Click();
    void cmdStop_Click();

    MonitoringSession& session() { return m_session; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void optMod_Click(int index);
    void cmdTrigger_Click();
    void Command1_Click();
    void cmdAbout_Click();
    void cmdStats_Click();

    // SessionView
    void showLogSize(const std::string& text) override;
    void showRunning(bool running) override;
    void hideMainWindow() override;
    void animateTray(bool on) override;
    // ActivityList: the list box List1.
    void add(const std::string& entry) override;
    QSize entrySize(const QString& text) const;
    void scrollListToEnd();

    Platform& m_platform;
    Configuration& m_configuration;
    TriggerList& m_triggers;
    frmStart& m_tray;

    QButtonGroup* m_modes = nullptr;
    std::array<QRadioButton*, 3> m_optMod{};
    QLabel* m_lblLength = nullptr;
    QListWidget* m_List1 = nullptr;
    QPushButton* m_cmdStart = nullptr;
    QPushButton* m_cmdStop = nullptr;
    // Scrolling lays the whole list out again, which takes time in the list's length: once
    // per turn of the event loop, not once per entry, or a flood of matches would take time
    // in the square of it.
    QTimer m_scrollList;

    QtWindowGeometry m_geometry{*this};
    MonitoringSession m_session;
    SessionDriver m_driver;
    SoundProcessor m_rules;
    bool m_loaded = false;
    // Not modal, so the player can watch it while the session runs.
    QPointer<frmMatchStats> m_stats;
    bool m_ending = false;
};
