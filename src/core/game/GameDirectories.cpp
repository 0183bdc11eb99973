// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/game/GameDirectories.h"

#include "core/files/Files.h"
#include "core/game/FileRoutines.h"
#include "core/game/GamePaths.h"
#include "core/settings/Configuration.h"
#include "core/text/PathText.h"

#include <cerrno>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kClearedLine = "** CLEARED BY HORNWISE **\r\n";
// The play script before the first match: a comment, which the engines skip.
constexpr std::string_view kPlayScriptBeforeAnyMatch =
    "// Yelpcue writes the sound to play here\r\n";

std::optional<std::string> createSoundDirectory(const std::string& soundDir) {
    std::error_code error;
    fs::create_directories(gamepaths::fromSetting(soundDir), error);
    if (error)
        return "Could not create the sound directory " + soundDir + ": " + error.message();
    return std::nullopt;
}

// Replaces what the game logged with the marker line, so old text is not read again.
std::optional<std::string> clearModeConsoleLog(const std::string& modDir) {
    const fs::path log = gamepaths::consoleLog(modDir);
    errno = 0;
    if (!files::clearConsoleLog(log, kClearedLine))
        return "Could not clear the console log " + text::fromPath(log) + ": " +
               files::systemErrorText("the file could not be written");
    return std::nullopt;
}

// A Quake III game's base game folder, OpenArena's or Quake III Arena's.
bool isQuakeIIIBaseGame(const fs::path& folder) {
    const std::string name = text::fromPath(folder.filename());
    return gamepaths::isSpelledAs(name, "baseoa") || gamepaths::isSpelledAs(name, "baseq3");
}

bool holdsQuakeIIIBaseGame(const fs::path& folder) {
    return gamepaths::holdsDirectory(folder, "baseoa") ||
           gamepaths::holdsDirectory(folder, "baseq3");
}

} // namespace

GameLayout recogniseGameLayout(const std::string& consoleLog) {
    const std::string logDir = ParentPath(consoleLog);
    if (logDir.empty() || logDir == consoleLog)
        return {};
    const fs::path logDirectory = gamepaths::fromSetting(logDir);
    if (gamepaths::holdsDirectory(logDirectory, "id1"))
        return {logDir, text::fromPath(gamepaths::entry(logDirectory, "ID1")), false};

    GameLayout layout;
    layout.baseDir = ParentPath(logDir);
    if (layout.baseDir.empty() || layout.baseDir == logDir)
        return {};
    const fs::path base = gamepaths::fromSetting(layout.baseDir);
    // A mod's folder of a base directory that also holds id1 is rather a Quake mode's.
    if (isQuakeIIIBaseGame(logDirectory) ||
        (holdsQuakeIIIBaseGame(base) && !gamepaths::holdsDirectory(base, "id1")))
        return {layout.baseDir, logDir, false, GameFamily::QuakeIII};
    const bool ezQuake = gamepaths::isSpelledAs(text::fromPath(logDirectory.filename()), "qw") &&
                         gamepaths::holdsDirectory(base, "id1") &&
                         gamepaths::holdsDirectory(base, "ezquake");
    layout.gameDir = ezQuake ? logDir : text::fromPath(gamepaths::entry(base, "ID1"));
    layout.logFollowsGameMode = !ezQuake;
    return layout;
}

std::optional<std::string> adoptConsoleLog(const std::string& chosenLog,
                                           Configuration& configuration,
                                           std::string& consoleLogPath) {
    consoleLogPath = chosenLog;
    configuration.Active_Mod_Dir = ParentPath(chosenLog);
    const GameLayout layout = recogniseGameLayout(chosenLog);
    configuration.Quake_Dir = layout.baseDir;
    configuration.Console_Log = layout.logFollowsGameMode ? std::string() : chosenLog;
    configuration.Game_Family = layout.family;

    // A log at the top of a drive has no game directory: nothing is looked for or created
    // relative to wherever the program happens to run.
    if (configuration.Quake_Dir.empty()) {
        configuration.TF_Dir.clear();
        configuration.CTF_Dir.clear();
        configuration.DM_Dir.clear();
        configuration.Quake_Id1_sound.clear();
        return std::nullopt;
    }

    const fs::path game = gamepaths::fromSetting(configuration.Quake_Dir);
    configuration.TF_Dir = text::fromPath(gamepaths::entry(game, "fortress"));
    configuration.CTF_Dir = text::fromPath(gamepaths::entry(game, "CTF"));
    configuration.DM_Dir = text::fromPath(gamepaths::entry(game, "QW"));
    configuration.Quake_Id1_sound =
        text::fromPath(gamepaths::entry(gamepaths::fromSetting(layout.gameDir), "Sound"));

    std::vector<std::string> problems;
    for (const std::string* modDir :
         {&configuration.TF_Dir, &configuration.CTF_Dir, &configuration.DM_Dir}) {
        std::error_code error;
        if (!fs::is_directory(gamepaths::fromSetting(*modDir), error))
            continue;
        if (auto problem = clearModeConsoleLog(*modDir))
            problems.push_back(std::move(*problem));
    }
    if (auto problem = createSoundDirectory(configuration.Quake_Id1_sound))
        problems.push_back(std::move(*problem));
    if (auto problem = createPlayScriptIfMissing(configuration))
        problems.push_back(std::move(*problem));

    if (problems.empty())
        return std::nullopt;
    std::string report;
    for (const std::string& problem : problems)
        report += (report.empty() ? "" : "\r\n") + problem;
    return report;
}

fs::path watchedConsoleLog(const Configuration& configuration) {
    if (!configuration.Console_Log.empty())
        return gamepaths::fromSetting(configuration.Console_Log);
    return gamepaths::consoleLog(configuration.Active_Mod_Dir);
}

std::optional<std::string> createPlayScriptIfMissing(const Configuration& configuration) {
    const auto script =
        gamepaths::playScript(configuration.Quake_Dir, configuration.Quake_Id1_sound);
    std::error_code error;
    if (!script || fs::exists(*script, error))
        return std::nullopt;
    errno = 0;
    if (!files::replaceFile(*script, kPlayScriptBeforeAnyMatch))
        return "Could not create the play script " + text::fromPath(*script) + ": " +
               files::systemErrorText("the file could not be written");
    return std::nullopt;
}
