// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/SoundProcessor.h"

#include "core/game/GameDirectories.h"
#include "core/game/GamePaths.h"
#include "core/platform/KeyOutput.h"
#include "core/platform/Launcher.h"
#include "core/platform/Prompter.h"
#include "core/platform/SettingsStore.h"
#include "core/session/ActivityList.h"
#include "core/session/MonitoringSession.h"
#include "core/settings/Configuration.h"
#include "core/text/PathText.h"
#include "core/triggers/SoundCheck.h"
#include "core/triggers/TriggerStore.h"

#include <filesystem>

namespace fs = std::filesystem;

SoundProcessor::SoundProcessor(Services services, Configuration& configuration,
                               TriggerList& triggers, MonitoringSession& session,
                               ActivityList& activity, WindowGeometry& window,
                               std::string readmePath, WindowActions actions)
    : m_services(services)
    , m_configuration(configuration)
    , m_triggers(triggers)
    , m_session(session)
    , m_activity(activity)
    , m_window(window)
    , m_readmePath(std::move(readmePath))
    , m_actions(std::move(actions)) {}

SoundProcessor::LoadResult SoundProcessor::load() {
    const std::string version = Configuration::readVersion(m_services.settings);
    Load_Window_Settings();
    if (version != settings::kCurrentVersion) {
        m_services.prompter.inform("You have installed a new or later version of Yelpcue",
                                   "Upgrades and New Installations require configuration",
                                   Prompter::Icon::Information);
        Load_Window_Settings();
        m_configuration.Active_Mod_Dir.clear();
        removeOldPlayScript();
    }
    triggerstore::loadTriggerList(m_services.settings, m_triggers);

    while (m_configuration.Active_Mod_Dir.empty()) {
        // Declined: the window was never shown, so there is no place of the player's to keep.
        if (!askToConfigure())
            return LoadResult::Declined;
        m_actions.showConfigureWindow();
    }
    preparePlayScript();
    m_session.skipExistingText();
    return LoadResult::Loaded;
}

void SoundProcessor::Load_Window_Settings() {
    const auto mode =
        mainwindow::Load_Window_Settings(m_services.settings, m_window, m_configuration);
    if (mode) {
        m_actions.showGameMode(*mode);
        selectGameMode(*mode);
    }
    m_session.setConsoleLogPath(text::fromPath(watchedConsoleLog(m_configuration)));
}

void SoundProcessor::preparePlayScript() {
    if (const auto problem = createPlayScriptIfMissing(m_configuration))
        m_activity.add(*problem);
}

bool SoundProcessor::askToConfigure() {
    // The read-me explains the set-up; a failure to open it is no reason not to ask.
    m_services.launcher.openTextFile(m_readmePath);
    return m_services.prompter.ask({"This program needs to be configured\r\n"
                                    "Do you want to do that now?",
                                    "Configure Hornwise", Prompter::Buttons::YesNo,
                                    Prompter::Icon::Critical, Prompter::Answer::No}) ==
           Prompter::Answer::Yes;
}

// Earlier versions kept their play script in the TF directory.
void SoundProcessor::removeOldPlayScript() {
    if (m_configuration.TF_Dir.empty())
        return;
    std::error_code ignored;
    fs::remove(gamepaths::entry(gamepaths::fromSetting(m_configuration.TF_Dir), "Bellcast.cfg"),
               ignored);
}

void SoundProcessor::selectGameMode(GameMode mode) {
    m_configuration.Active_Mod_Dir = gameModeDirectory(m_configuration, mode);
    // Stop backs the old log up into the new mode's directory, as the player's choice has
    // already named it.
    if (m_session.isRunning())
        m_actions.stopSession();
    // A game that writes one log whatever the game mode is still watched there; the mode
    // then names where its match files go.
    m_session.setConsoleLogPath(text::fromPath(watchedConsoleLog(m_configuration)));
    m_services.settings.save(settings::kParams, settings::kActiveModDir.name,
                             m_configuration.Active_Mod_Dir);
    m_services.settings.sync();
    m_session.skipExistingText();
}

void SoundProcessor::start() {
    if (!m_session.isRunning()) {
        if (!m_services.keyOutput.isAvailable())
            m_activity.add("Keys cannot reach the game: no X server with the XTEST extension. "
                           "Play scripts are still written.");
        for (const std::string& warning : soundcheck::warnings(m_triggers, m_configuration))
            m_activity.add(warning);
        preparePlayScript();
    }
    m_actions.startSession();
}

void SoundProcessor::saveWindowPosition() {
    mainwindow::Save_Window_Settings(m_services.settings, m_window);
}

void SoundProcessor::stopRunningSession() {
    if (m_session.isRunning())
        m_actions.stopSession();
}

std::string readmeLocation(const std::string& programDirectory) {
    const fs::path directory = text::toPath(programDirectory);
    const fs::path beside = directory / "readme.txt";
    const fs::path installed = directory / ".." / "share" / "doc" / "yelpcue" / "readme.txt";
    std::error_code error;
    if (!fs::exists(beside, error) && fs::exists(installed, error))
        return text::fromPath(installed.lexically_normal());
    return text::fromPath(beside);
}
