// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/keys/ModPushKeys.h"

#include "core/platform/Clock.h"
#include "core/platform/KeyOutput.h"
#include "core/platform/KeyboardLayout.h"
#include "core/text/Text.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <limits>
#include <map>
#include <string_view>

namespace {

constexpr std::uint8_t vkReturn = 0x0D;
constexpr std::uint8_t vkLineFeed = 0x0A;

// The names that tap one virtual key.
const std::map<std::string, std::uint8_t, std::less<>>& tappedKeys() {
    static const std::map<std::string, std::uint8_t, std::less<>> keys = [] {
        std::map<std::string, std::uint8_t, std::less<>> table = {
            {"BACKSPACE", 0x08},
            {"BS", 0x08},
            {"BKSP", 0x08},
            {"BELL", 0x07},
            {"BREAK", 0x03},
            {"CAPSLOCK", 0x14},
            {"CAPS", 0x14},
            {"DELETE", 0x2E},
            {"DEL", 0x2E},
            {"DOWN", 0x28},
            {"DOWNARROW", 0x28},
            {"END", 0x23},
            {"ENTER", vkReturn},
            {"RETURN", vkReturn},
            {"ESCAPE", 0x1B},
            {"ESC", 0x1B},
            {"FORMFEED", 0x0C},
            {"FF", 0x0C},
            {"HELP", 0x2F},
            {"HOME", 0x24},
            {"INSERT", 0x2D},
            {"INS", 0x2D},
            {"LEFT", 0x25},
            {"LEFTARROW", 0x25},
            {"LINEFEED", vkLineFeed},
            {"LF", vkLineFeed},
            {"NUMLOCK", 0x90},
            {"PGDN", 0x22},
            {"PAGEDOWN", 0x22},
            {"NEXT", 0x22},
            {"PGUP", 0x21},
            {"PAGEUP", 0x21},
            {"PRIOR", 0x21},
            // The old Print key, not the Print Screen key (0x2C).
            {"PRINTSCREEN", 0x2A},
            {"PRTSC", 0x2A},
            {"RIGHT", 0x27},
            {"RIGHTARROW", 0x27},
            {"SCROLLLOCK", 0x91},
            {"SCRLK", 0x91},
            {"TAB", 0x09},
            {"UP", 0x26},
            {"UPARROW", 0x26},
            {"NUMPADMULTIPLY", 0x6A},
            {"NUMPAD*", 0x6A},
            {"NUMPADADD", 0x6B},
            {"NUMPAD+", 0x6B},
            {"NUMPADSUBTRACT", 0x6D},
            {"NUMPAD-", 0x6D},
            {"NUMPADDECIMAL", 0x6E},
            {"NUMPAD.", 0x6E},
            {"NUMPADDIVIDE", 0x6F},
            {"NUMPAD/", 0x6F},
        };
        for (int f = 1; f <= 24; ++f)
            table.emplace("F" + std::to_string(f), static_cast<std::uint8_t>(0x6F + f));
        for (int d = 0; d <= 9; ++d)
            table.emplace("NUMPAD" + std::to_string(d), static_cast<std::uint8_t>(0x60 + d));
        return table;
    }();
    return keys;
}

// Names of one character that are typed as that character with Shift.
bool isPunctuationName(std::string_view key) {
    constexpr std::string_view names = "~!@#$%^&*()_+|{}\":?><";
    return key.size() == 1 && names.find(key.front()) != std::string_view::npos;
}

// Characters outside braces that the US layout types with Shift (besides the capitals).
bool isShiftedCharacter(char c) {
    constexpr std::string_view characters = "!@#$&*()_|\":?><";
    return characters.find(c) != std::string_view::npos;
}

// The repetition count: an optional sign and decimal digits within 16 bits; 1 otherwise.
int readCount(std::string_view text) {
    const auto number = text::parseWholeNumber(text);
    if (!number || *number < std::numeric_limits<std::int16_t>::min() ||
        *number > std::numeric_limits<std::int16_t>::max())
        return 1;
    return static_cast<int>(*number);
}

} // namespace

class ModPushKeys::KeyStringScope {
public:
    explicit KeyStringScope(ModPushKeys& keys)
        : m_keys(keys)
        , m_outermost(!keys.m_inKeyString) {
        if (!m_outermost)
            return;
        m_keys.m_inKeyString = true;
        m_keys.m_stepsLeft = kMaxStepsPerKeyString;
        m_keys.m_pauseLeft = kMaxPausePerKeyString;
    }
    ~KeyStringScope() {
        if (m_outermost)
            m_keys.m_inKeyString = false;
    }
    KeyStringScope(const KeyStringScope&) = delete;
    KeyStringScope& operator=(const KeyStringScope&) = delete;

private:
    ModPushKeys& m_keys;
    bool m_outermost;
};

ModPushKeys::ModPushKeys(KeyOutput& output, const KeyboardLayout& layout, Clock& clock)
    : m_output(output)
    , m_layout(layout)
    , m_clock(clock) {}

void ModPushKeys::PushKeys(const std::string& keys) {
    const KeyStringScope scope(*this);
    m_output.beginSequence();
    pushKeyText(keys);
}

bool ModPushKeys::nextRepetition() {
    if (m_stepsLeft <= 0)
        return false;
    --m_stepsLeft;
    return true;
}

void ModPushKeys::pushKeyText(const std::string& keys) {
    ShiftHeld = false;
    CtrlHeld = false;
    AltHeld = false;
    if (m_depth == kMaxNesting)
        return;
    ++m_depth;
    // Reading the text costs its length, however little of it ends up typed.
    m_stepsLeft -= static_cast<std::int64_t>(keys.size()) + 1;
    // A trailing space lets every look-ahead find a character; it is never typed by itself.
    const std::string text = keys + ' ';
    std::size_t i = 0;
    while (i < keys.size() && m_stepsLeft > 0) {
        const char c = text[i];
        if (c == '+' || c == '^' || c == '%') {
            i = pushModified(text, i);
        } else if (c == '{') {
            i = pushBraceGroup(text, i);
        } else {
            if ((c >= 'A' && c <= 'Z') || isShiftedCharacter(c))
                PushShiftedChar(c);
            else if (c == '~')
                PushNamedKey("ENTER");
            else
                PushChar(c);
            ++i;
        }
    }
    --m_depth;
    // Every group releases its modifier and clears its flag before this point, so nothing is
    // left held here to release.
}

// A modifier prefix at `prefix` and what it applies to; returns the position after that.
std::size_t ModPushKeys::pushModified(const std::string& text, std::size_t prefix) {
    const char modifier = text[prefix];
    const std::uint8_t virtualKey =
        modifier == '+' ? vk::shift : (modifier == '^' ? vk::control : vk::menu);
    bool& held = modifier == '+' ? ShiftHeld : (modifier == '^' ? CtrlHeld : AltHeld);
    const char next = text[prefix + 1];

    if (next != '{' && next != '(') {
        if (modifier == '+') {
            PushShiftedChar(next);
        } else {
            if (!held)
                KeyDown(virtualKey);
            PushChar(next);
            KeyUp(virtualKey);
        }
        return prefix + 2;
    }

    // The group runs to the matching closer, nested brackets included, or to the end.
    const char opener = next;
    const char closer = opener == '{' ? '}' : ')';
    std::string group;
    int depth = 1;
    std::size_t j = prefix + 1;
    while (j < text.size() && depth != 0) {
        ++j;
        if (j >= text.size())
            break;
        const char d = text[j];
        if (d == closer) {
            --depth;
            if (depth > 0)
                group += d;
        } else {
            group += d;
        }
        if (d == opener)
            ++depth;
    }

    if (!held) {
        KeyDown(virtualKey);
        held = true;
    }
    if (opener == '(')
        pushKeyText(group);
    else
        PushNamedKey(group);
    KeyUp(virtualKey);
    held = false;
    return j + 1;
}

// A brace group at `brace`; returns the position after its closing brace.
std::size_t ModPushKeys::pushBraceGroup(const std::string& text, std::size_t brace) {
    const std::size_t sentinel = text.size() - 1;
    std::size_t j = brace + 1;
    std::string name;
    while (text[j] != '}' && j < sentinel) {
        name += text[j];
        ++j;
    }
    // "{}}" and "{X}}" type a closing brace; whatever came before it is dropped.
    if (text[j] == '}' && text[j + 1] == '}') {
        PushShiftedChar('}');
        return j + 2;
    }
    PushNamedKey(name);
    return j + 1;
}

void ModPushKeys::PushNamedKey(const std::string& name) {
    const KeyStringScope scope(*this);
    std::string keyPart = name;
    int count = 1;
    if (const std::size_t space = name.rfind(' '); space != std::string::npos) {
        keyPart = name.substr(0, space);
        count = readCount(std::string_view(name).substr(space + 1));
    }
    const std::string key = text::toUpperAscii(keyPart);

    const auto& keys = tappedKeys();
    if (const auto found = keys.find(key); found != keys.end()) {
        const std::uint8_t scanCode = scanCodeOf(found->second);
        for (int n = 0; n < count && nextRepetition(); ++n)
            TapKey(found->second, scanCode);
    } else if (key == "NEWLINE" || key == "NL") {
        for (int n = 0; n < count && nextRepetition(); ++n) {
            TapKey(vkReturn, scanCodeOf(vkReturn));
            TapKey(vkLineFeed, scanCodeOf(vkLineFeed));
        }
    } else if (key == "SLEEP") {
        // A negative count would otherwise ask for a pause of about 49 days.
        const auto pause =
            std::min(std::chrono::milliseconds(std::int32_t{count} * 1000), m_pauseLeft);
        if (pause.count() > 0) {
            m_pauseLeft -= pause;
            m_clock.sleep(pause);
        }
    } else if (isPunctuationName(key)) {
        for (int n = 0; n < count && nextRepetition(); ++n)
            PushShiftedChar(keyPart.front());
    } else {
        for (int n = 0; n < count && nextRepetition(); ++n)
            pushKeyText(keyPart);
    }
}

void ModPushKeys::TapKey(std::uint8_t virtualKey, std::uint8_t scanCode) {
    send(virtualKey, scanCode, false);
    send(virtualKey, scanCode, true);
}

void ModPushKeys::KeyDown(std::uint8_t virtualKey) {
    send(virtualKey, scanCodeOf(virtualKey), false);
}

void ModPushKeys::KeyUp(std::uint8_t virtualKey) {
    send(virtualKey, scanCodeOf(virtualKey), true);
}

void ModPushKeys::PushChar(char c) {
    // The shift state the layout needs is dropped: "A" and "a" are the same key.
    const auto ansi = static_cast<unsigned char>(c);
    const auto virtualKey = static_cast<std::uint8_t>(m_layout.vkKeyScan(ansi) & 0xFF);
    const unsigned char oem = m_layout.charToOem(ansi);
    const auto scanCode = static_cast<std::uint8_t>(m_layout.oemKeyScan(oem) & 0xFF);
    TapKey(virtualKey, scanCode);
}

void ModPushKeys::PushShiftedChar(char c) {
    const bool pressShift = !ShiftHeld;
    if (pressShift)
        KeyDown(vk::shift);
    PushChar(c);
    if (pressShift)
        KeyUp(vk::shift);
}

void ModPushKeys::send(std::uint8_t virtualKey, std::uint8_t scanCode, bool keyUp) {
    --m_stepsLeft;
    m_output.send(KeyEvent{virtualKey, scanCode, keyUp});
}

std::uint8_t ModPushKeys::scanCodeOf(std::uint8_t virtualKey) const {
    return static_cast<std::uint8_t>(m_layout.mapVirtualKey(virtualKey) & 0xFF);
}
