// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/KeyOutput.h"
#include "core/platform/KeyboardLayout.h"
#include "core/platform/SettingsStore.h"
#include "core/platform/SoundPlayer.h"
#include "core/platform/Speech.h"

#include <QString>

#include <memory>
#include <optional>
#include <string>

// The implementations that this operating system gives the core's interfaces. Each system
// has one source file that makes them (linux/, win/); the build picks the file, so no other
// code asks which system it runs on.
struct SystemServices {
    std::unique_ptr<SettingsStore> settings;
    std::unique_ptr<KeyOutput> keyOutput;
    std::unique_ptr<KeyboardLayout> keyboardLayout;
    std::unique_ptr<SoundPlayer> soundPlayer;
    std::unique_ptr<Speech> speech;
};

// The services of this system, with the settings store of the application "Bellcast" for
// the current user.
SystemServices openSystemServices();

// The user's own directory for the single-instance lock and the local socket beside it.
QString instanceDirectory();
// Lets the program that this later start hands over to take the foreground from it.
void allowFirstInstanceForward();

// Makes what the program prints reach the console it was started from, if any.
void useStartingConsole();

// Where this system's information program is, or nullopt.
std::optional<std::string> locateSystemInformation();
