// SPDX-License-Identifier: GPL-3.0-or-later
// Key events through XTEST into a real window of the X server that the test script starts.

#include "platform/x11/X11KeyOutput.h"

#include "core/keys/ModPushKeys.h"
#include "core/keys/UsKeyboardLayout.h"
#include "support/FakeClock.h"
#include "support/PrivateXServer.h"
#include "support/X11Desktop.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Typing {
    const char* keys;
    Arrivals expected;
};

// What arrives is the same with a US and a German layout: the keys and characters of a US
// keyboard, on whichever key of the layout carries them.
const std::vector<Typing> kTypingOnAnyLayout = {
    {"{F2}", {"down F2", "up F2"}},
    {"k", {"down k", "up k"}},
    {"9", {"down 9", "up 9"}},
    {"y", {"down y", "up y"}},
    {"z", {"down z", "up z"}},
    {"{ENTER}", {"down Return", "up Return"}},
    {"{PGDN}", {"down Next", "up Next"}},
    {"+(ab)",
     {"down Shift_L", "down A shift", "up A shift", "down B shift", "up B shift",
      "up Shift_L shift"}},
    {"^(+a)",
     {"down Control_L", "down Shift_L ctrl", "down A shift ctrl", "up A shift ctrl",
      "up Shift_L shift ctrl", "up Control_L ctrl"}},
    {"%y", {"down Alt_L", "down y alt", "up y alt", "up Alt_L alt"}},
    {"(", {"down Shift_L", "down parenleft shift", "up parenleft shift", "up Shift_L shift"}},
};

// Types each key string into a window that has the focus, under the layout, and compares
// what arrives. The output is made before the layout changes, so it must follow the change.
void expectArrivals(const char* layout, const std::vector<Typing>& typings) {
    X11KeyOutput output;
    ASSERT_TRUE(output.isAvailable());
    ASSERT_EQ(std::system((std::string("setxkbmap ") + layout).c_str()), 0);
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
    expectArrivals("us", kTypingOnAnyLayout);
    std::vector<Typing> german = kTypingOnAnyLayout;
    german.insert(
        german.end(),
        {
            // ";" is Shift with "," on a German keyboard.
            {";",
             {"down Shift_L", "down semicolon shift", "up semicolon shift", "up Shift_L shift"}},
            // "+" needs no Shift there: the held Shift is let go for it, then pressed again.
            {"{+}",
             {"down Shift_L", "up Shift_L shift", "down plus", "up plus", "down Shift_L",
              "up Shift_L shift"}},
            // "@" and "\\" need AltGr there; Shift with "2" would give a quote.
            {"@", {"down Shift_L", "up Shift_L shift"}},
            {"\\", {}},
        });
    expectArrivals("de", german);
    // The test script's server has the US layout, which the other tests expect.
    std::ignore = std::system("setxkbmap us");
}

// With DISPLAY unset, naming no server, or naming one without the XTEST extension, the
// output is unavailable, and pushing keys into it does nothing.
TEST(X11UnavailableTest, NoServerOrNoXTestMeansUnavailableAndHarmless) {
    const PrivateXServer withoutXTest({"-tst"});
    REQUIRE_OR_SKIP(!withoutXTest.display().empty(), "no Xvfb");
    ASSERT_TRUE(xDisplayAvailable(withoutXTest.display())) << withoutXTest.display();
    const std::string previous = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    for (const char* display : {"", ":65531", withoutXTest.display().c_str()}) {
        *display ? setenv("DISPLAY", display, 1) : unsetenv("DISPLAY");
        X11KeyOutput output;
        EXPECT_FALSE(output.isAvailable()) << (*display ? display : "no DISPLAY");
        UsKeyboardLayout usLayout;
        FakeClock clock;
        ModPushKeys(output, usLayout, clock).PushKeys("{F2}k+(ab)^(+a)%{F4}~{NUMPAD5}");
    }
    previous.empty() ? unsetenv("DISPLAY") : setenv("DISPLAY", previous.c_str(), 1);
}

} // namespace
