// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/session/MonitoringSession.h"
#include "core/session/SoundProcessor.h"
#include "core/settings/Configuration.h"
#include "core/triggers/TriggerList.h"
#include "support/FakeLauncher.h"
#include "support/FakePrompter.h"
#include "support/FakeSettingsStore.h"
#include "support/Recorders.h"

#include <functional>
#include <string>

// The main window's sound processor and its session as the window wires them, without the
// window: settings, boxes and launcher are fakes, the lists it shows are recorded, and its
// geometry stays in the normal state. The keys go out through `keyOutput` by `pushKeys`.
struct SoundProcessorRig {
    struct NormalWindow final : public WindowGeometry {
        double twips(Edge) const override { return 0; }
        void setTwips(Edge, double) override {}
        bool isNormalState() const override { return true; }
    };

    SoundProcessorRig(
        const KeyOutput& keyOutput, Clock& clock, MonitoringSession::PushKeysFunction pushKeys,
        std::function<void()> showConfigureWindow = [] {})
        : session{configuration, triggers, activity, view, clock, prompter, std::move(pushKeys)}
        , processor{{settings, prompter, launcher, keyOutput},
                    configuration,
                    triggers,
                    session,
                    activity,
                    window,
                    "readme.txt",
                    {[](GameMode) {}, std::move(showConfigureWindow), [this] { session.start(); },
                     [this] { session.stop(); }}} {}
    SoundProcessorRig(const SoundProcessorRig&) = delete;
    SoundProcessorRig& operator=(const SoundProcessorRig&) = delete;

    FakeSettingsStore settings;
    FakePrompter prompter;
    FakeLauncher launcher;
    Configuration configuration;
    TriggerList triggers;
    RecordingActivityList activity;
    RecordingSessionView view;
    MonitoringSession session;
    NormalWindow window;
    SoundProcessor processor;
};
