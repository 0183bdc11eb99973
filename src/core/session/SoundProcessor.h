// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/settings/WindowSettings.h"

#include <functional>
#include <string>

class ActivityList;
class KeyOutput;
class Launcher;
class MonitoringSession;
class Prompter;
class SettingsStore;
class TriggerList;
struct Configuration;

// The main window's rules: loading with the configuration check, the choice of game mode,
// Start, and the steps of closing. The window supplies what only it can do.
class SoundProcessor {
public:
    struct WindowActions {
        // Shows an option button as selected, without running its handler.
        std::function<void(GameMode)> showGameMode;
        // The configure window, modal.
        std::function<void()> showConfigureWindow;
        // Start and Stop of the session, through what keeps its timer in step.
        std::function<void()> startSession;
        std::function<void()> stopSession;
    };

    struct Services {
        SettingsStore& settings;
        Prompter& prompter;
        Launcher& launcher;
        const KeyOutput& keyOutput;
    };

    SoundProcessor(Services services, Configuration& configuration, TriggerList& triggers,
                   MonitoringSession& session, ActivityList& activity, WindowGeometry& window,
                   std::string readmePath, WindowActions actions);

    enum class LoadResult { Loaded, Declined };
    // The work of the main window's Form_Load: reads the settings and the trigger list, insists on
    // configuration, makes the play script when it is missing, and measures the log. Declined: the
    // user would not configure the program, which then ends at once.
    LoadResult load();
    // The work of optMod_Click: watches the chosen mode's log.
    void selectGameMode(GameMode mode);
    // The work of cmdStart_Click: starts the session (if idle) and runs a pass; says once per start
    // when keys cannot reach the game, and for each trigger whose sound the game will not play.
    // A play script gone missing since start-up is made again.
    void start();
    // The main window's own closing steps, before the other windows are closed: its
    // position is saved in its normal state.
    void saveWindowPosition();
    // After the other windows are closed: a running session is stopped, with its backup.
    void stopRunningSession();

private:
    void Load_Window_Settings();
    bool askToConfigure();
    void removeOldPlayScript();
    // Makes the play script when it is missing; says so in the list when it cannot.
    void preparePlayScript();

    Services m_services;
    Configuration& m_configuration;
    TriggerList& m_triggers;
    MonitoringSession& m_session;
    ActivityList& m_activity;
    WindowGeometry& m_window;
    std::string m_readmePath;
    WindowActions m_actions;
};

// The read-me beside the program, or where it is installed next to the program's directory
// (../share/doc/yelpcue); the first path when neither exists.
std::string readmeLocation(const std::string& programDirectory);
