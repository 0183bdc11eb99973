// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/keys/UsKeyboardLayout.h"
#include "core/platform/Platform.h"
#include "support/FakeClock.h"
#include "support/FakeFileChooser.h"
#include "support/FakeLauncher.h"
#include "support/FakePrompter.h"
#include "support/FakeSettingsStore.h"
#include "support/FakeSoundPlayer.h"
#include "support/FakeSpeech.h"
#include "support/RecordingKeyOutput.h"

// Every operating-system service as a fake, bundled the way windows receive them.
struct TestPlatform {
    FakeSettingsStore settings;
    FakePrompter prompter;
    FakeClock clock;
    RecordingKeyOutput keyOutput;
    UsKeyboardLayout keyboardLayout;
    FakeFileChooser fileChooser;
    FakeSoundPlayer soundPlayer;
    FakeLauncher launcher;
    FakeSpeech speech;

    Platform platform{settings,    prompter,    clock,    keyOutput, keyboardLayout,
                      fileChooser, soundPlayer, launcher, speech};
};
