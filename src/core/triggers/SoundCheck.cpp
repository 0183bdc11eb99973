// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/triggers/SoundCheck.h"

#include "core/files/Files.h"
#include "core/platform/Progress.h"
#include "core/settings/Configuration.h"
#include "core/sound/Playability.h"
#include "core/text/PathText.h"
#include "core/triggers/GameSoundCopy.h"
#include "core/triggers/SoundName.h"
#include "core/triggers/SpokenCue.h"
#include "core/triggers/TriggerList.h"

#include <algorithm>

namespace soundcheck {

namespace fs = std::filesystem;

namespace {

std::optional<fs::path> existing(std::optional<fs::path> file) {
    std::error_code error;
    return file && fs::is_regular_file(*file, error) ? file : std::nullopt;
}

Finding findingFor(int position, const Trigger& trigger, const Configuration& configuration) {
    const std::string& soundDirectory = configuration.Quake_Id1_sound;
    const std::string& soundFile = trigger.soundFile;
    Finding finding{position, gameSoundName(soundFile), {}, std::nullopt, trigger.spoken};
    if (soundDirectory.empty()) {
        finding.problem = "the game's sound folder is not set";
        return finding;
    }
    finding.chosen = gamesound::chosenFile(soundFile, soundDirectory);
    finding.makeable = trigger.spoken || existing(finding.chosen);
    const auto copy = gamesound::existingCopy(soundDirectory, soundFile);
    if (!copy)
        finding.problem = "not in the game's sound folder";
    else
        for (const std::string& problem : sound::playbackProblems(*copy, configuration.Game_Family))
            finding.problem += (finding.problem.empty() ? "" : "; ") + problem;
    return finding;
}

// A spoken cue's own file, made again where the trigger names it (on another machine its
// folder may not be there); the game's copy does not depend on it.
void restoreSpokenFile(const fs::path& file, std::string_view wave) {
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    files::replaceFile(file, wave);
}

} // namespace

std::vector<Finding> check(const TriggerList& triggers, const Configuration& configuration) {
    std::vector<Finding> findings;
    for (int position = 1; position <= triggers.TriggerCount(); ++position) {
        const Trigger& trigger = triggers.at(position);
        if (!trigger.isEmpty())
            findings.push_back(findingFor(position, trigger, configuration));
    }
    return findings;
}

std::string summary(const std::vector<Finding>& findings) {
    const auto unready = std::count_if(findings.begin(), findings.end(),
                                       [](const Finding& finding) { return !finding.ready(); });
    if (unready == 0)
        return "The game plays every trigger's sound.";
    return "The game will not play " + std::to_string(unready) + " of the " +
           std::to_string(findings.size()) + " sounds as they lie in its sound folder.";
}

bool anyToMake(const std::vector<Finding>& findings) {
    return std::any_of(findings.begin(), findings.end(),
                       [](const Finding& finding) { return !finding.ready() && finding.makeable; });
}

std::vector<std::string> warnings(const TriggerList& triggers, const Configuration& configuration) {
    std::vector<std::string> lines;
    // Nothing to check against yet: the configure window finds the sound folder.
    if (configuration.Quake_Id1_sound.empty())
        return lines;
    for (const Finding& finding : check(triggers, configuration))
        if (!finding.ready())
            lines.push_back("Sound will not play (" + finding.problem + ") : " + finding.soundName);
    return lines;
}

Repair makeCopies(const std::vector<Finding>& findings, const Configuration& configuration,
                  Speech& speech, Progress& progress) {
    Repair repair;
    const auto toMake = [](const Finding& finding) { return !finding.ready() && finding.makeable; };
    const auto total = std::count_if(findings.begin(), findings.end(), toMake);
    progress.start(0, static_cast<int>(std::max<std::ptrdiff_t>(total, 1)));
    int done = 0;
    for (const Finding& finding : findings) {
        if (!toMake(finding))
            continue;
        const auto wave =
            finding.spoken
                ? spoken::render(speech, *finding.spoken, configuration.Game_Family)
                : gamesound::convert(*finding.chosen, configuration.Game_Family, nullptr);
        if (wave.value && finding.spoken && !existing(finding.chosen))
            restoreSpokenFile(*finding.chosen, *wave.value);
        const auto destination =
            gamesound::copyPath(configuration.Quake_Id1_sound, finding.soundName);
        const auto placement = wave.value && destination
                                   ? gamesound::placeWave(*destination, *wave.value, true)
                                   : gamesound::Placement{};
        if (placement.written)
            ++repair.made;
        else
            repair.failures.push_back(finding.soundName + ": " +
                                      (wave.value ? "it could not be written" : wave.problem));
        if (placement.kept)
            repair.kept.push_back(*placement.kept);
        progress.setValue(++done);
    }
    progress.finish();
    return repair;
}

std::string report(const Repair& repair, GameFamily family) {
    std::string text = "Game-ready copies made: " + std::to_string(repair.made) + ".";
    if (repair.made > 0)
        text += "\r\n" + gamesound::runningGameAdvice(family);
    if (!repair.failures.empty())
        text += "\r\nNot made:";
    for (const std::string& failure : repair.failures)
        text += "\r\n    " + failure;
    if (!repair.kept.empty())
        text += "\r\nFiles that stood where a copy goes were kept:";
    for (const fs::path& kept : repair.kept)
        text += "\r\n    " + text::fromPath(kept);
    return text;
}

} // namespace soundcheck
