// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/triggers/TriggerEdit.h"

#include "core/game/FileRoutines.h"
#include "core/platform/Progress.h"
#include "core/settings/Configuration.h"
#include "core/sound/Playability.h"
#include "core/sound/WaveFacts.h"
#include "core/text/PathText.h"
#include "core/text/Text.h"
#include "core/triggers/GameSoundCopy.h"
#include "core/triggers/TriggerList.h"
#include "core/triggers/UsableTrigger.h"

#include <algorithm>
#include <cmath>

namespace triggeredit {

namespace fs = std::filesystem;

namespace {

void informCopyFailed(Prompter& prompter) {
    prompter.inform("There was a problem with\r\ncopying the wav file!",
                    "File transfer ststus (ERROR!)", Prompter::Icon::Information);
}

void informCopied(Prompter& prompter) {
    prompter.inform("File copied to the correct\r\nQuake sound directory", "File transfer ststus",
                    Prompter::Icon::Information);
}

// With copying off: tells the player when the game plays the chosen file wrong, and why.
void warnWhenUnplayable(const std::string& chosen, GameFamily family, Prompter& prompter) {
    const fs::path file = text::toPath(chosen);
    const auto problems = sound::playbackProblems(file, family);
    if (problems.empty())
        return;
    std::string text;
    for (const std::string& problem : problems)
        text += (text.empty() ? "" : "; ") + problem;
    // A copy mends all but a file that is no sound at all.
    if (sound::soundKind(file))
        text += "; turn on copying in Configure and Yelpcue makes a copy they play";
    prompter.inform(text, "Sound will not play", Prompter::Icon::Warning);
}

// Makes the game's copy from a file the game cannot play as it is. A player's file that
// stands where the copy goes is kept, and the player told where.
bool convertIntoGame(const fs::path& source, const fs::path& destination, GameFamily family,
                     Prompter& prompter, Progress& progress) {
    if (!sourceFound(source, prompter))
        return false;
    const auto wave = gamesound::convert(source, family, &progress);
    if (!wave.value) {
        prompter.inform(wave.problem);
        return false;
    }
    const bool ownFile = isSameFile(source, destination);
    if (!ownFile && !mayReplace(destination, prompter))
        return false;
    const auto placement = gamesound::placeWave(destination, *wave.value, ownFile);
    if (!placement.written) {
        prompter.inform("Copy Error!");
        return false;
    }
    progress.setValue(100);
    if (placement.kept)
        prompter.inform("The game needs a copy made for it, so your own file was kept as\r\n" +
                            text::fromPath(*placement.kept),
                        "File transfer ststus", Prompter::Icon::Information);
    return true;
}

} // namespace

std::optional<Prompter::Message> okRefusal(const Trigger& typed) {
    const auto problem = unusableTrigger(typed);
    if (!problem)
        return std::nullopt;
    // A blank field would be dropped when the list is next loaded.
    const std::string text = problem->kind == TriggerProblem::Kind::BlankField
                                 ? "You must enter something in each box!"
                                 : "The game cannot play this sound file: " + problem->reason + ".";
    return Prompter::Message{text, "Please enter data!", Prompter::Buttons::Ok,
                             Prompter::Icon::Critical};
}

FileChooser::Options soundFileDialog() {
    return {
        {},
        "Sound Files(*.wav;*.flac;*.ogg;*.oga;*.opus;*.mp3)|*.wav;*.flac;*.ogg;*.oga;*.opus;*.mp3|"
        "Wave Files(*.wav)|*.wav|All Files(*.*)|*",
        {}};
}

double quietSecondsShown(int quietMs) {
    return static_cast<double>(std::lround(quietMs / 100.0)) / 10.0;
}

int quietMsTyped(int storedMs, double seconds) {
    const long long tenths = std::llround(seconds * 10);
    if (tenths == std::lround(storedMs / 100.0))
        return storedMs;
    return static_cast<int>(std::clamp<long long>(tenths * 100, 0, Trigger::kMaxQuietMs));
}

SpokenText cueToEdit(const std::optional<SpokenSound>& spoken, const std::string& keyword) {
    return spoken ? spoken->cue
                  : SpokenText{text::toLowerAscii(keyword), {}, SpokenText::kUsualSpeed};
}

std::optional<SpokenText> spokenTextOf(const std::string& soundFile,
                                       const std::optional<SpokenSound>& spoken) {
    if (spoken && spoken->file == soundFile)
        return spoken->cue;
    return std::nullopt;
}

std::string soundToPlay(const std::string& typed, const Configuration& configuration) {
    const auto copy = gamesound::existingCopy(configuration.Quake_Id1_sound, typed);
    return copy ? text::fromPath(*copy) : typed;
}

bool placeChosenSound(const std::string& chosen, const Configuration& configuration,
                      Prompter& prompter, Progress& progress) {
    if (!configuration.AutoCopy) {
        prompter.inform("This sound file will need to be placed\r\n"
                        "in the quake directory, if you want configure hornwise\r\n"
                        "to do this automatically.",
                        "Sounds need copying", Prompter::Icon::Information);
        warnWhenUnplayable(chosen, configuration.Game_Family, prompter);
        return false;
    }
    const auto destination = gamesound::copyPath(configuration.Quake_Id1_sound, chosen);
    if (!destination) {
        informCopyFailed(prompter);
        return false;
    }
    const fs::path source = text::toPath(chosen);
    const auto wave = sound::readWaveFacts(source);
    // A file the game plays as it is goes in byte for byte; any other is converted.
    const bool ready = wave && sound::isGameReady(*wave);
    if (ready && (source == *destination || isSameFile(source, *destination)))
        return false;
    const bool placed = ready ? CopyFileWithPrompt(source, *destination, prompter, &progress) >= 1
                              : convertIntoGame(source, *destination, configuration.Game_Family,
                                                prompter, progress);
    if (placed)
        informCopied(prompter);
    else
        informCopyFailed(prompter);
    return placed;
}

} // namespace triggeredit
