// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/PrivateXServer.h"
#include "support/TempDir.h"
#include "support/X11Desktop.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A Quake engine from Debian's packages, the game itself, run under the test script's X
// server: windowed, at a low frame rate, with SDL's disk audio driver, which records what it
// plays, logging its console. The game data is a placeholder written by the test, just
// enough for each engine to start with its console up and to read loose sound files.
// OpenArena brings its own data and keeps its files in the home directory; it logs when its
// config says so and takes console commands on its standard input.
class QuakeEngine {
public:
    enum class Kind { DarkPlaces, QuakeSpasm, EzQuake, OpenArena };

    // `baseDir` is the folder that holds id1; `home` the engine's home directory.
    // `arguments`, separated by spaces, are added to the command line (-nohome -game fortress).
    QuakeEngine(Kind kind, std::filesystem::path baseDir, std::filesystem::path home,
                std::string_view arguments = {});

    bool isInstalled() const;

    // Writes the game data the engine needs to start and the player's autoexec.cfg with
    // `autoexec` and a bind of F12 that makes the game answer "Sync" (see sync()).
    void install(std::string_view autoexec) const;
    std::filesystem::path autoexecScript() const { return playerDirectory() / "autoexec.cfg"; }

    // Where this engine writes its console log, as the engine decides.
    std::filesystem::path consoleLog() const;
    std::string logText() const { return readFile(consoleLog()); }

    // Starts the engine, gives its window the keyboard focus and waits until it answers
    // keys. False, with what it printed, when it did not. The engine ends with the object.
    bool start(std::string& failure);

    // Has the game run a console command (OpenArena).
    void command(std::string_view line) {
        m_process->write((std::string(line) + "\n").c_str());
        m_process->waitForBytesWritten();
    }
    // The sound the game mixes, as SDL's disk driver writes it at about the pace it is heard:
    // 16-bit stereo at the game's own rate; zeros while a Quake engine is silent.
    std::filesystem::path soundOutput() const { return m_home / "sound-output.raw"; }
    std::streamoff soundOutputSize() const {
        return static_cast<std::streamoff>(std::filesystem::file_size(soundOutput()));
    }
    // For how many seconds a sine tone of `frequency` was heard in the sound output after
    // byte `from`: a sound played at another pitch, or aliased, counts for nothing. With no
    // frequency: how long any sound was heard.
    double heardSeconds(std::streamoff from, double frequency = 0) const;

    // Presses and releases a key (an X keysym name such as "F3") in the engine's window.
    void press(const std::string& keysym);
    // Presses F12 and waits until the game has logged the "Sync" it answers with, calling
    // `meanwhile` while it waits: every key pressed before has then been taken by the game.
    bool sync(const std::function<void()>& meanwhile = [] {});

private:
    std::string gameDirectory() const;
    // Where the player's own scripts and the log go.
    std::filesystem::path playerDirectory() const;
    std::filesystem::path programOutput() const { return m_home / "engine-output.txt"; }
    int syncCount() const;
    // The rate the game mixes its sound at, as it says at start; 0 before.
    int mixingRate() const;

    Kind m_kind;
    std::filesystem::path m_baseDir;
    std::filesystem::path m_home;
    std::vector<std::string> m_arguments;
    std::optional<ChildProcess> m_process;
    std::optional<WindowId> m_window;
    X11Desktop m_desktop;
};

// Where the test script installs the engines, a missing one fails the test; elsewhere the
// test is skipped.
#define REQUIRE_ENGINE(engine)                                                                     \
    REQUIRE_X_DISPLAY();                                                                           \
    REQUIRE_OR_SKIP((engine).isInstalled(), "the engine is not installed")
