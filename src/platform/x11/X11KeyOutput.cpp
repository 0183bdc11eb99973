// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/X11KeyOutput.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

constexpr std::uint8_t vkShift = 0x10;

// What a US keyboard gives for a virtual key. Keys that type a character have one keysym
// without Shift and one with it; the others (named keys, keypad, modifiers) have one keysym,
// and Shift leaves them alone.
struct KeySyms {
    KeySym plain = NoSymbol;
    KeySym shifted = NoSymbol;

    bool typesCharacter() const { return shifted != NoSymbol; }
};

struct NamedKey {
    std::uint8_t virtualKey;
    KeySym keySym;
};

constexpr NamedKey namedKeys[] = {
    {0x03, XK_Break},
    {0x08, XK_BackSpace},
    {0x09, XK_Tab},
    {0x0A, XK_Linefeed},
    {0x0C, XK_Clear},
    {0x0D, XK_Return},
    {0x10, XK_Shift_L},
    {0x11, XK_Control_L},
    {0x12, XK_Alt_L},
    {0x14, XK_Caps_Lock},
    {0x1B, XK_Escape},
    {0x21, XK_Prior},
    {0x22, XK_Next},
    {0x23, XK_End},
    {0x24, XK_Home},
    {0x25, XK_Left},
    {0x26, XK_Up},
    {0x27, XK_Right},
    {0x28, XK_Down},
    {0x2D, XK_Insert},
    {0x2E, XK_Delete},
    {0x2F, XK_Help},
    {0x6A, XK_KP_Multiply},
    {0x6B, XK_KP_Add},
    {0x6D, XK_KP_Subtract},
    {0x6E, XK_KP_Decimal},
    {0x6F, XK_KP_Divide},
    {0x90, XK_Num_Lock},
    {0x91, XK_Scroll_Lock},
    // The old Print key: X has only the Print Screen key for it.
    {0x2A, XK_Print},
};

struct CharacterKey {
    std::uint8_t virtualKey;
    KeySym plain;
    KeySym shifted;
};

constexpr CharacterKey punctuationKeys[] = {
    {0x20, XK_space, XK_space},
    {0xBA, XK_semicolon, XK_colon},
    {0xBB, XK_equal, XK_plus},
    {0xBC, XK_comma, XK_less},
    {0xBD, XK_minus, XK_underscore},
    {0xBE, XK_period, XK_greater},
    {0xBF, XK_slash, XK_question},
    {0xC0, XK_grave, XK_asciitilde},
    {0xDB, XK_bracketleft, XK_braceleft},
    {0xDC, XK_backslash, XK_bar},
    {0xDD, XK_bracketright, XK_braceright},
    {0xDE, XK_apostrophe, XK_quotedbl},
};

std::optional<KeySyms> keySymsOf(std::uint8_t virtualKey) {
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        return KeySyms{static_cast<KeySym>(XK_a + (virtualKey - 'A')),
                       static_cast<KeySym>(XK_A + (virtualKey - 'A'))};
    if (virtualKey >= '0' && virtualKey <= '9') {
        constexpr KeySym shiftedDigits[] = {
            XK_parenright, XK_exclam,      XK_at,        XK_numbersign, XK_dollar,
            XK_percent,    XK_asciicircum, XK_ampersand, XK_asterisk,   XK_parenleft};
        return KeySyms{static_cast<KeySym>(XK_0 + (virtualKey - '0')),
                       shiftedDigits[virtualKey - '0']};
    }
    if (virtualKey >= 0x70 && virtualKey <= 0x87)
        return KeySyms{static_cast<KeySym>(XK_F1 + (virtualKey - 0x70))};
    if (virtualKey >= 0x60 && virtualKey <= 0x69)
        return KeySyms{static_cast<KeySym>(XK_KP_0 + (virtualKey - 0x60))};
    for (const CharacterKey& key : punctuationKeys) {
        if (key.virtualKey == virtualKey)
            return KeySyms{key.plain, key.shifted};
    }
    for (const NamedKey& key : namedKeys) {
        if (key.virtualKey == virtualKey)
            return KeySyms{key.keySym};
    }
    return std::nullopt;
}

// The level that Shift alone selects in a key type; the first level when Shift does nothing.
int shiftLevelOf(const XkbKeyTypeRec& type) {
    for (int e = 0; e < type.map_count; ++e) {
        const XkbKTMapEntryRec& entry = type.map[e];
        if (entry.active && entry.mods.mask == ShiftMask)
            return entry.level;
    }
    return 0;
}

Display* connectWithXTest() {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return nullptr;
    int event = 0, error = 0, major = 0, minor = 0, opcode = 0;
    int xkbMajor = XkbMajorVersion, xkbMinor = XkbMinorVersion;
    if (!XTestQueryExtension(display, &event, &error, &major, &minor) ||
        !XkbQueryExtension(display, &opcode, &event, &error, &xkbMajor, &xkbMinor)) {
        XCloseDisplay(display);
        return nullptr;
    }
    return display;
}

} // namespace

X11KeyOutput::X11KeyOutput()
    : m_display(connectWithXTest()) {
    beginSequence();
}

X11KeyOutput::~X11KeyOutput() {
    if (m_display)
        XCloseDisplay(m_display);
}

void X11KeyOutput::beginSequence() {
    m_plainLevel.clear();
    m_shiftLevel.clear();
    m_anyLevel.clear();
    if (!m_display)
        return;

    XkbStateRec state{};
    XkbGetState(m_display, XkbUseCoreKbd, &state);
    XkbDescPtr keyboard = XkbGetMap(m_display, XkbKeyTypesMask | XkbKeySymsMask, XkbUseCoreKbd);
    if (!keyboard)
        return;
    for (int code = keyboard->min_key_code; code <= keyboard->max_key_code; ++code) {
        const auto keyCode = static_cast<KeyCode>(code);
        const int groups = XkbKeyNumGroups(keyboard, keyCode);
        if (groups == 0)
            continue;
        // A group beyond the key's own wraps around, as the server does by default.
        const int group = state.group % groups;
        const int width = XkbKeyGroupWidth(keyboard, keyCode, group);
        for (int level = 0; level < width; ++level) {
            const KeySym keySym = XkbKeySymEntry(keyboard, keyCode, level, group);
            if (keySym != NoSymbol)
                m_anyLevel.try_emplace(keySym, keyCode);
        }
        // Where several keys carry a keysym, the lowest key code is used.
        const KeySym plain = XkbKeySymEntry(keyboard, keyCode, 0, group);
        if (plain != NoSymbol)
            m_plainLevel.try_emplace(plain, keyCode);
        const int shiftLevel = shiftLevelOf(*XkbKeyKeyType(keyboard, keyCode, group));
        const KeySym shifted =
            shiftLevel < width ? XkbKeySymEntry(keyboard, keyCode, shiftLevel, group) : NoSymbol;
        if (shifted != NoSymbol)
            m_shiftLevel.try_emplace(shifted, keyCode);
    }
    XkbFreeKeyboard(keyboard, 0, True);
}

void X11KeyOutput::send(const KeyEvent& event) {
    if (!m_display)
        return;
    if (event.keyUp)
        release(event.virtualKey);
    else
        press(event.virtualKey);
}

void X11KeyOutput::press(std::uint8_t virtualKey) {
    const std::optional<KeySyms> keySyms = keySymsOf(virtualKey);
    if (!keySyms)
        return;

    if (!keySyms->typesCharacter()) {
        // Named keys go to the key that carries them, whatever the modifiers make of it,
        // as a real press of that key would.
        const std::optional<KeyCode> keyCode = keyCarrying(keySyms->plain);
        if (!keyCode)
            return;
        fake(*keyCode, true);
        m_pressed[virtualKey] = Pressed{*keyCode, false};
        return;
    }

    // The character a US keyboard types with the Shift state of the moment, on the key and
    // level of the current layout that types it.
    const bool shifted = shiftIsDown();
    const KeySym wanted = shifted ? keySyms->shifted : keySyms->plain;
    const KeyTable& sameLevel = shifted ? m_shiftLevel : m_plainLevel;
    const KeyTable& otherLevel = shifted ? m_plainLevel : m_shiftLevel;
    if (const auto found = sameLevel.find(wanted); found != sameLevel.end()) {
        fake(found->second, true);
        m_pressed[virtualKey] = Pressed{found->second, false};
        return;
    }
    const auto found = otherLevel.find(wanted);
    const std::optional<KeyCode> shiftKey =
        shifted ? std::optional(m_pressed[vkShift]->keyCode) : keyCarrying(XK_Shift_L);
    if (found == otherLevel.end() || !shiftKey)
        return; // only a key this layout lacks, or one needing AltGr: never a wrong key
    fake(*shiftKey, !shifted);
    fake(found->second, true);
    m_pressed[virtualKey] = Pressed{found->second, true};
}

void X11KeyOutput::release(std::uint8_t virtualKey) {
    if (const std::optional<Pressed> pressed = m_pressed[virtualKey]) {
        m_pressed[virtualKey].reset();
        fake(pressed->keyCode, false);
        if (pressed->shiftFlipped) {
            if (shiftIsDown())
                fake(m_pressed[vkShift]->keyCode, true);
            else if (const std::optional<KeyCode> shiftKey = keyCarrying(XK_Shift_L))
                fake(*shiftKey, false);
        }
        return;
    }
    // A release without a press of ours, such as a second release of a modifier, goes out
    // all the same; the server drops it when the key is not down.
    const std::optional<KeySyms> keySyms = keySymsOf(virtualKey);
    if (keySyms && !keySyms->typesCharacter()) {
        if (const std::optional<KeyCode> keyCode = keyCarrying(keySyms->plain))
            fake(*keyCode, false);
    }
}

std::optional<X11KeyOutput::KeyCode> X11KeyOutput::keyCarrying(KeySym keySym) const {
    if (const auto plain = m_plainLevel.find(keySym); plain != m_plainLevel.end())
        return plain->second;
    if (const auto any = m_anyLevel.find(keySym); any != m_anyLevel.end())
        return any->second;
    return std::nullopt;
}

bool X11KeyOutput::shiftIsDown() const {
    return m_pressed[vkShift].has_value();
}

void X11KeyOutput::fake(KeyCode keyCode, bool down) {
    XTestFakeKeyEvent(m_display, keyCode, down ? True : False, CurrentTime);
    XSync(m_display, False);
}
