// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/FileChooser.h"
#include "core/platform/Prompter.h"
#include "core/triggers/TriggerList.h"

#include <optional>
#include <string>

class Progress;
struct Configuration;

// What the trigger edit dialog decides, apart from its window.
namespace triggeredit {

inline constexpr const char* kWindowName = "frmAddModify";

// "Ok": why the three boxes cannot be stored, or nullopt when they can. Every box must hold
// something (spaces count), and the play script must be able to carry the sound's name.
std::optional<Prompter::Message> okRefusal(const Trigger& typed);

// The open dialog of "...".
FileChooser::Options soundFileDialog();

// The quiet time as the dialog shows it: seconds with one decimal.
double quietSecondsShown(int quietMs);
// The quiet time "Ok" stores for the seconds in the box: the stored one while the box still
// shows it, so that a value finer than a tenth of a second survives an edit of the other
// boxes; otherwise the seconds typed, within the limits.
int quietMsTyped(int storedMs, double seconds);

// A sound file made from text, and the text.
struct SpokenSound {
    SpokenText cue;
    std::string file;
};
// What "Speak..." starts from: the cue the sound was made from, or the keyword in lower
// case in the first voice at the usual speed.
SpokenText cueToEdit(const std::optional<SpokenSound>& spoken, const std::string& keyword);
// What "Ok" keeps of a spoken cue: its text while the file box still holds the file made
// from it; none once another file was chosen or typed.
std::optional<SpokenText> spokenTextOf(const std::string& soundFile,
                                       const std::optional<SpokenSound>& spoken);

// What Play previews for the typed sound file: the game's copy of it, which is what the game
// plays, when there is one; otherwise the text as typed.
std::string soundToPlay(const std::string& typed, const Configuration& configuration);

// After a sound file was picked: with AutoCopy on, copies it into the game's sound directory
// unless it already lies there (under any spelling of its path), and tells the user how the
// copy went; with AutoCopy off, tells the user that the file needs placing by hand. True
// when a copy was placed.
bool placeChosenSound(const std::string& chosen, const Configuration& configuration,
                      Prompter& prompter, Progress& progress);

} // namespace triggeredit
