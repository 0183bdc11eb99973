// SPDX-License-Identifier: GPL-3.0-or-later
// The program's settings read back from a store holding anything: the configuration, the
// yes/no options, the trigger count and triggers, the key list position, window positions
// and the key string built from Selected_Key. Nothing crashes, every value read stays within
// what the windows and the session can use, and a saved configuration reads back the same.
//
// The input is a list of records, each a slot byte (which section and key) followed by the
// value up to the next NUL byte.

#include "FuzzCheck.h"
#include "core/game/KeyList.h"
#include "core/keys/ModPushKeys.h"
#include "core/keys/UsKeyboardLayout.h"
#include "core/platform/Clock.h"
#include "core/platform/KeyOutput.h"
#include "core/session/MonitoringSession.h"
#include "core/settings/Configuration.h"
#include "core/settings/WindowSettings.h"
#include "core/text/Text.h"
#include "core/triggers/TriggerList.h"
#include "core/triggers/TriggerStore.h"
#include "support/FakeSettingsStore.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace {

struct Slot {
    const char* section;
    const char* key;
};

constexpr std::array kSlots{
    Slot{"Hornwise Params", "reg_version"},
    Slot{"Hornwise Params", "Quake_Dir"},
    Slot{"Hornwise Params", "Quake_Id1_sound"},
    Slot{"Hornwise Params", "TF_Dir"},
    Slot{"Hornwise Params", "CTF_Dir"},
    Slot{"Hornwise Params", "DM_Dir"},
    Slot{"Hornwise Params", "Active_Mod_Dir"},
    Slot{"Hornwise Params", "Selected_Key"},
    Slot{"Hornwise Params", "Trigger_Cfg"},
    Slot{"Hornwise Params", "AutoCopy"},
    Slot{"Hornwise Params", "QconsoleDel"},
    Slot{"Application_params", "RecordCount"},
    Slot{"frmSoundProcessor", "top"},
    Slot{"frmSoundProcessor", "left"},
    Slot{"frmSoundProcessor", "width"},
    Slot{"frmSoundProcessor", "height"},
    Slot{"1", "t_name"},
    Slot{"1", "t_keyword"},
    Slot{"1", "t_file"},
    Slot{"2", "t_name"},
    Slot{"2", "t_keyword"},
    Slot{"2", "t_file"},
    Slot{"Hornwise Params", "Console_Log"},
};

// Checks every value the window is given: the Qt window turns twips into whole pixels.
class CheckingWindow final : public WindowGeometry {
public:
    double twips(Edge) const override { return 0; }
    void setTwips(Edge, double value) override {
        FUZZ_CHECK(std::isfinite(value), "a window is given a position that is not a number");
        FUZZ_CHECK(std::fabs(value) <= std::numeric_limits<std::int32_t>::max(),
                   "a window is given a position beyond any screen");
    }
    bool isNormalState() const override { return true; }
};

class DiscardingKeyOutput final : public KeyOutput {
public:
    void send(const KeyEvent&) override { ++events; }
    bool isAvailable() const override { return true; }
    std::int64_t events = 0;
};

class NoWaitClock final : public Clock {
public:
    TimeOfDay timeOfDay() const override { return {}; }
    void sleep(std::chrono::milliseconds) override {}
};

// The yes/no rule, spelled out: off only for "false" in any letter case.
bool readsAsOn(const std::string& stored) {
    static constexpr std::string_view off = "false";
    if (stored.size() != off.size())
        return true;
    for (std::size_t i = 0; i < off.size(); ++i) {
        const char c =
            stored[i] >= 'A' && stored[i] <= 'Z' ? static_cast<char>(stored[i] + 32) : stored[i];
        if (c != off[i])
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FakeSettingsStore store;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::size_t i = 0;
    while (i < input.size()) {
        const Slot& slot = kSlots[static_cast<std::uint8_t>(input[i]) % kSlots.size()];
        const std::size_t end = std::min(input.find('\0', i + 1), input.size());
        store.save(slot.section, slot.key, input.substr(i + 1, end - (i + 1)));
        i = end + 1;
    }

    const std::string version = Configuration::readVersion(store);
    FUZZ_CHECK(store.has("Hornwise Params", "reg_version") || version == "NONE",
               "a missing version does not read as NONE");

    CheckingWindow window;
    Configuration configuration;
    mainwindow::Load_Window_Settings(store, window, configuration);
    FUZZ_CHECK(configuration.AutoCopy == readsAsOn(store.get("Hornwise Params", "AutoCopy")),
               "AutoCopy does not follow the yes/no rule");
    FUZZ_CHECK(configuration.QconsoleDel == readsAsOn(store.get("Hornwise Params", "QconsoleDel")),
               "QconsoleDel does not follow the yes/no rule");

    if (const auto position = keylist::positionFromSetting(configuration.Trigger_Cfg))
        FUZZ_CHECK(*position >= 0 && *position < static_cast<int>(keylist::entries().size()),
                   "Trigger_Cfg selects a position outside the key list");

    TriggerList triggers;
    triggerstore::loadTriggerList(store, triggers);
    // A count that is not a whole number from 0 to 32767 gives an empty list.
    const auto stored = text::parseWholeNumber(store.get("Application_params", "RecordCount", "1"));
    const long long count =
        stored && *stored >= 0 && *stored <= TriggerList::kMaxCount ? *stored : 0;
    FUZZ_CHECK(triggers.TriggerCount() == count, "the stored count does not size the list");
    for (int position = 1; position <= std::min(triggers.TriggerCount(), 3); ++position) {
        const Trigger& trigger = triggers.at(position);
        FUZZ_CHECK(trigger.isEmpty() || (triggerstore::is_not_blank(trigger.name) &&
                                         triggerstore::is_not_blank(trigger.keyword) &&
                                         triggerstore::is_not_blank(trigger.soundFile)),
                   "a trigger with a blank field was loaded");
    }

    // The key pushed after a match, built from the stored name.
    DiscardingKeyOutput output;
    UsKeyboardLayout layout;
    NoWaitClock clock;
    ModPushKeys keys(output, layout, clock);
    keys.PushKeys(selectedKeyString(configuration.Selected_Key));
    FUZZ_CHECK(output.events <=
                   ModPushKeys::kMaxStepsPerKeyString + 6 * ModPushKeys::kMaxNesting + 6,
               "the stored key sends more events than a key string may");

    // What the configure window's "Ok" saves reads back as the same configuration.
    FakeSettingsStore saved;
    configuration.save(saved);
    Configuration reread;
    reread.load(saved);
    FUZZ_CHECK(reread.Quake_Dir == configuration.Quake_Dir &&
                   reread.Quake_Id1_sound == configuration.Quake_Id1_sound &&
                   reread.TF_Dir == configuration.TF_Dir &&
                   reread.CTF_Dir == configuration.CTF_Dir &&
                   reread.DM_Dir == configuration.DM_Dir &&
                   reread.Active_Mod_Dir == configuration.Active_Mod_Dir &&
                   reread.Console_Log == configuration.Console_Log &&
                   reread.Selected_Key == configuration.Selected_Key &&
                   reread.Trigger_Cfg == configuration.Trigger_Cfg &&
                   reread.AutoCopy == configuration.AutoCopy &&
                   reread.QconsoleDel == configuration.QconsoleDel,
               "a saved configuration reads back changed");
    return 0;
}
