// Key events through XTEST into a real window of the X server that the test script starts.

#include "platform/x11/X11KeyOutput.h"

#include "core/keys/ModPushKeys.h"
#include "core/keys/UsKeyboardLayout.h"
#include "support/FakeClock.h"
#include "support/PrivateXServer.h"
#include "support/X11Desktop.h"

#include <gtest/gtest.h>
// After GoogleTest, whose names the macros of Xlib would clash with.
#include <X11/Xlib.h>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

std::string commandOutput(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe))
            output += buffer;
        pclose(pipe);
    }
    return output;
}

// Switches the server's keyboard layout and puts the old one back.
class LayoutGuard {
public:
    explicit LayoutGuard(const std::string& layout) {
        const std::string query = commandOutput("setxkbmap -query");
        const std::size_t at = query.find("layout:");
        if (at != std::string::npos) {
            const std::size_t start = query.find_first_not_of(' ', at + 7);
            m_previous = query.substr(start, query.find('\n', start) - start);
        }
        m_switched = std::system(("setxkbmap " + layout).c_str()) == 0;
    }
    ~LayoutGuard() {
        if (!m_previous.empty())
            std::ignore = std::system(("setxkbmap " + m_previous).c_str());
    }
    bool switched() const { return m_switched; }

private:
    std::string m_previous;
    bool m_switched = false;
};

struct Typing {
    const char* keys;
    Arrivals expected;
};

// What arrives is the same with a US and a German layout: the keys and characters of a US
// keyboard, on whichever key of the layout carries them.
const std::vector<Typing>& typingOnAnyLayout() {
    static const std::vector<Typing> cases = {
        {"{F2}", Arrivals({"down F2", "up F2"})},
        {"k", Arrivals({"down k", "up k"})},
        {"9", Arrivals({"down 9", "up 9"})},
        {"y", Arrivals({"down y", "up y"})},
        {"z", Arrivals({"down z", "up z"})},
        {"{ENTER}", Arrivals({"down Return", "up Return"})},
        {"{PGDN}", Arrivals({"down Next", "up Next"})},
        {"+(ab)", Arrivals({"down Shift_L", "down A shift", "up A shift", "down B shift",
                            "up B shift", "up Shift_L shift"})},
        {"^(+a)", Arrivals({"down Control_L", "down Shift_L ctrl", "down A shift ctrl",
                            "up A shift ctrl", "up Shift_L shift ctrl", "up Control_L ctrl"})},
        {"%y", Arrivals({"down Alt_L", "down y alt", "up y alt", "up Alt_L alt"})},
        {"(", Arrivals({"down Shift_L", "down parenleft shift", "up parenleft shift",
                        "up Shift_L shift"})},
    };
    return cases;
}

// Types each key string into a window that has the focus, under the layout, and compares
// what arrives. The output is made before the layout changes, so it must follow the change.
void expectArrivals(const char* layout, const std::vector<Typing>& typings) {
    X11KeyOutput output;
    ASSERT_TRUE(output.isAvailable());
    LayoutGuard guard(layout);
    ASSERT_TRUE(guard.switched());
    KeyReceiver receiver;
    ASSERT_TRUE(receiver.hasFocus());
    UsKeyboardLayout usLayout;
    FakeClock clock;
    ModPushKeys keys(output, usLayout, clock);

    for (const Typing& typing : typings) {
        keys.PushKeys(typing.keys);
        EXPECT_EQ(receiver.take(), typing.expected) << typing.keys << " with layout " << layout;
    }
}

TEST(X11TypingTest, KeysArriveWithTheirModifiersUnderAUsAndAGermanLayout) {
    REQUIRE_X_DISPLAY();
    expectArrivals("us", typingOnAnyLayout());
    std::vector<Typing> german = typingOnAnyLayout();
    german.insert(
        german.end(),
        {
            // ";" is Shift with "," on a German keyboard.
            {";", Arrivals({"down Shift_L", "down semicolon shift", "up semicolon shift",
                            "up Shift_L shift"})},
            // "+" needs no Shift there: the held Shift is let go for it, then pressed again.
            {"{+}", Arrivals({"down Shift_L", "up Shift_L shift", "down plus", "up plus",
                              "down Shift_L", "up Shift_L shift"})},
            // "@" and "\\" need AltGr there; Shift with "2" would give a quote.
            {"@", Arrivals({"down Shift_L", "up Shift_L shift"})},
            {"\\", Arrivals()},
        });
    expectArrivals("de", german);
}

// Makes an output with DISPLAY set to `display` (unset when null), then puts DISPLAY back:
// it is unavailable, and pushing keys into it does nothing.
void expectUnavailableAndHarmless(const char* display) {
    const char* old = std::getenv("DISPLAY");
    const std::optional<std::string> previous =
        old ? std::optional<std::string>(old) : std::nullopt;
    display ? setenv("DISPLAY", display, 1) : unsetenv("DISPLAY");
    {
        X11KeyOutput output;
        EXPECT_FALSE(output.isAvailable()) << (display ? display : "no DISPLAY");
        UsKeyboardLayout usLayout;
        FakeClock clock;
        ModPushKeys(output, usLayout, clock).PushKeys("{F2}k+(ab)^(+a)%{F4}~{NUMPAD5}");
    }
    previous ? setenv("DISPLAY", previous->c_str(), 1) : unsetenv("DISPLAY");
}

TEST(X11UnavailableTest, NoDisplayMeansUnavailable) {
    expectUnavailableAndHarmless(nullptr);
    expectUnavailableAndHarmless(":65531");
}

TEST(X11UnavailableTest, ServerWithoutXTestMeansUnavailable) {
    const PrivateXServer server({"-tst"}); // without the XTEST extension
    if (server.display().empty()) {
        if (xIsRequired())
            FAIL() << "could not start Xvfb";
        GTEST_SKIP() << "no Xvfb";
    }
    Display* probe = XOpenDisplay(server.display().c_str());
    ASSERT_NE(probe, nullptr) << "the server runs at " << server.display();
    XCloseDisplay(probe);
    expectUnavailableAndHarmless(server.display().c_str());
}

} // namespace
