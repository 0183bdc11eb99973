// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class SettingsStore;
class Prompter;
class Clock;
class KeyOutput;
class KeyboardLayout;
class FileChooser;
class SoundPlayer;
class Launcher;
class Speech;

// The operating-system services of the program, handed from the start-up to the main
// window and from it to every window. Tests build one from fakes.
struct Platform {
    SettingsStore& settings;
    Prompter& prompter;
    Clock& clock;
    KeyOutput& keyOutput;
    KeyboardLayout& keyboardLayout;
    FileChooser& fileChooser;
    SoundPlayer& soundPlayer;
    Launcher& launcher;
    Speech& speech;
};
