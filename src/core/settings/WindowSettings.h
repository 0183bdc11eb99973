// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <span>
#include <string_view>

class SettingsStore;
struct Configuration;

// A window's position and size as the settings store keeps them: in twips, 1/1440 inch
// (15 twips to a pixel at 96 dots per inch).
class WindowGeometry {
public:
    enum class Edge { Top, Left, Width, Height };

    virtual ~WindowGeometry() = default;
    virtual double twips(Edge edge) const = 0;
    virtual void setTwips(Edge edge, double value) = 0;
    // Neither minimised nor maximised.
    virtual bool isNormalState() const = 0;
};

// Every edge that has a stored number is applied, in the order given; a missing value or one
// that is not a number leaves that edge where it is.
void restoreWindowGeometry(const SettingsStore& store, std::string_view windowName,
                           WindowGeometry& window, std::span<const WindowGeometry::Edge> edges);
// Saves the edges when the window is in its normal state.
void saveWindowGeometry(SettingsStore& store, std::string_view windowName,
                        const WindowGeometry& window, std::span<const WindowGeometry::Edge> edges);

inline constexpr WindowGeometry::Edge kPositionEdges[] = {WindowGeometry::Edge::Top,
                                                          WindowGeometry::Edge::Left};
inline constexpr WindowGeometry::Edge kPositionAndSizeEdges[] = {
    WindowGeometry::Edge::Top, WindowGeometry::Edge::Left, WindowGeometry::Edge::Width,
    WindowGeometry::Edge::Height};

// The game modes of the main window's option buttons, by their index.
enum class GameMode { TF = 0, DM = 1, CTF = 2 };

std::string& gameModeDirectory(Configuration& configuration, GameMode mode);

// The main window's routines over its own part of the store.
namespace mainwindow {
inline constexpr const char* kName = "frmSoundProcessor";

// Places the main window and loads every setting but reg_version into the configuration.
// Returns the game mode whose directory equals Active_Mod_Dir (TF, then DM, then CTF are
// tested and the last match wins), which the window then selects as a click would.
std::optional<GameMode> Load_Window_Settings(const SettingsStore& store, WindowGeometry& window,
                                             Configuration& configuration);
void Save_Window_Settings(SettingsStore& store, const WindowGeometry& window);
} // namespace mainwindow
