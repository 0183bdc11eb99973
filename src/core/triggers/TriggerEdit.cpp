// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/triggers/TriggerEdit.h"

#include "core/game/FileRoutines.h"
#include "core/game/GamePaths.h"
#include "core/settings/Configuration.h"
#include "core/text/PathText.h"
#include "core/triggers/SoundName.h"
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

// Where AutoCopy puts a chosen sound: the game's sound directory, under the name the play
// script will ask for, or an entry already there that differs only in letter case. nullopt
// while the sound directory is unknown.
std::optional<fs::path> copyDestination(std::string_view soundDirectory, std::string_view chosen) {
    if (soundDirectory.empty())
        return std::nullopt;
    const fs::path directory = gamepaths::fromSetting(soundDirectory);
    const std::string name = BaseFileName(chosen);
    // The play script names the file exactly as chosen, and some engines look it up
    // case-sensitively, so a new copy keeps that spelling.
    const fs::path existing = gamepaths::entry(directory, name);
    std::error_code error;
    return fs::exists(existing, error) ? existing : directory / name;
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
    return {{}, "Sound Files(*.wav)|*.wav", {}};
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

void placeChosenSound(const std::string& chosen, const Configuration& configuration,
                      Prompter& prompter, Progress& progress) {
    if (!configuration.AutoCopy) {
        prompter.inform("This sound file will need to be placed\r\n"
                        "in the quake directory, if you want configure hornwise\r\n"
                        "to do this automatically.",
                        "Sounds need copying", Prompter::Icon::Information);
        return;
    }
    const auto destination = copyDestination(configuration.Quake_Id1_sound, chosen);
    if (!destination) {
        informCopyFailed(prompter);
        return;
    }
    const fs::path source = text::toPath(chosen);
    if (source == *destination || isSameFile(source, *destination))
        return;
    if (CopyFileWithPrompt(source, *destination, prompter, &progress) < 1) {
        informCopyFailed(prompter);
        return;
    }
    prompter.inform("File copied to the correct\r\nQuake sound directory", "File transfer ststus",
                    Prompter::Icon::Information);
}

} // namespace triggeredit
