#pragma once

#include "platform/KeyOutput.h"
#include "platform/KeyboardLayout.h"
#include "platform/Platform.h"
#include "support/FakeClock.h"
#include "support/FakeFileChooser.h"
#include "support/FakeLauncher.h"
#include "support/FakePrompter.h"
#include "support/FakeSettingsStore.h"
#include "support/FakeSoundPlayer.h"

#include <vector>

// Every operating-system service as a fake, bundled the way windows receive them.
struct TestPlatform {
    // Keeps the key events it is sent.
    class KeptKeyOutput final : public KeyOutput {
    public:
        void send(const KeyEvent& event) override { events.push_back(event); }
        bool isAvailable() const override { return true; }
        std::vector<KeyEvent> events;
    };

    // A keyboard on which no key types anything.
    class EmptyKeyboardLayout final : public KeyboardLayout {
    public:
        std::uint16_t vkKeyScan(unsigned char) const override { return 0xFFFF; }
        std::uint32_t oemKeyScan(std::uint16_t) const override { return 0xFFFFFFFF; }
        unsigned char charToOem(unsigned char ansiCharacter) const override {
            return ansiCharacter;
        }
        std::uint32_t mapVirtualKey(std::uint32_t) const override { return 0; }
    };

    FakeSettingsStore settings;
    FakePrompter prompter;
    FakeClock clock;
    KeptKeyOutput keyOutput;
    EmptyKeyboardLayout keyboardLayout;
    FakeFileChooser fileChooser;
    FakeSoundPlayer soundPlayer;
    FakeLauncher launcher;

    Platform platform{settings,       prompter,    clock,       keyOutput,
                      keyboardLayout, fileChooser, soundPlayer, launcher};
};
