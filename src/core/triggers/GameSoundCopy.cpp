// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/triggers/GameSoundCopy.h"

#include "core/files/Files.h"
#include "core/game/GamePaths.h"
#include "core/platform/Progress.h"
#include "core/triggers/SoundName.h"

namespace gamesound {

namespace fs = std::filesystem;

namespace {

// A free place for `file` in the kept folder beside it.
fs::path keptPlace(const fs::path& file) {
    const fs::path folder = file.parent_path() / kKeptFolder;
    fs::path place = folder / file.filename();
    std::error_code error;
    for (int number = 2; fs::exists(place, error); ++number)
        place = folder / std::to_string(number) / file.filename();
    return place;
}

} // namespace

int copyRate(GameFamily family) {
    return family == GameFamily::QuakeIII ? 22050 : 11025;
}

std::optional<fs::path> chosenFile(std::string_view soundFile, std::string_view soundDirectory) {
    if (soundFile.empty())
        return std::nullopt;
    if (soundFile.find_first_of("\\/") != std::string_view::npos)
        return gamepaths::fromSetting(soundFile);
    if (soundDirectory.empty())
        return std::nullopt;
    return gamepaths::entry(gamepaths::fromSetting(soundDirectory), soundFile);
}

std::optional<fs::path> copyPath(std::string_view soundDirectory, std::string_view chosen) {
    if (soundDirectory.empty())
        return std::nullopt;
    // Some engines look the name up case-sensitively, so a new copy keeps its spelling.
    const fs::path directory = gamepaths::fromSetting(soundDirectory);
    const std::string name = gameSoundName(chosen);
    const fs::path existing = gamepaths::entry(directory, name);
    std::error_code error;
    return fs::exists(existing, error) ? existing : directory / name;
}

std::optional<fs::path> existingCopy(std::string_view soundDirectory, std::string_view chosen) {
    const auto copy = chosen.empty() ? std::nullopt : copyPath(soundDirectory, chosen);
    std::error_code error;
    return copy && fs::is_regular_file(*copy, error) ? copy : std::nullopt;
}

std::string runningGameAdvice(GameFamily family) {
    if (family == GameFamily::QuakeIII)
        return "If the game is running, it plays the sound after \"snd_restart\" in its console.";
    return "If the game is running: ezQuake finds a new sound only after \"fs_cache 0\" in its "
           "console (or a restart); a changed sound plays after \"flush\" in QuakeSpasm, "
           "\"snd_unloadallsounds\" in DarkPlaces or \"s_restart\" in ezQuake.";
}

sound::Outcome<std::string> convert(const fs::path& chosen, GameFamily family, Progress* progress) {
    auto decoded = sound::decodeSound(chosen, progress);
    if (!decoded.value)
        return {{}, decoded.problem};
    auto wave = sound::makeGameWave(std::move(*decoded.value), copyRate(family));
    if (progress)
        progress->setValue(90);
    return wave;
}

Placement placeWave(const fs::path& destination, std::string_view wave, bool keepExisting) {
    Placement placement;
    std::error_code error;
    if (keepExisting && fs::exists(destination, error)) {
        const fs::path kept = keptPlace(destination);
        fs::create_directories(kept.parent_path(), error);
        fs::rename(destination, kept, error);
        if (error)
            return placement;
        placement.kept = kept;
    }
    placement.written = files::replaceFile(destination, wave);
    if (!placement.written && placement.kept) {
        fs::rename(*placement.kept, destination, error);
        if (!error)
            placement.kept.reset();
    }
    return placement;
}

} // namespace gamesound
