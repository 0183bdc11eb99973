// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/WindowSettings.h"

#include "core/platform/SettingsStore.h"
#include "core/settings/Configuration.h"
#include "core/settings/SettingsLayout.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace {

const char* keyOf(WindowGeometry::Edge edge) {
    switch (edge) {
    case WindowGeometry::Edge::Top:
        return settings::kTop;
    case WindowGeometry::Edge::Left:
        return settings::kLeft;
    case WindowGeometry::Edge::Width:
        return settings::kWidth;
    case WindowGeometry::Edge::Height:
        return settings::kHeight;
    }
    return "";
}

// A stored position or size: a decimal number within the range of a 32-bit whole number of
// twips, which every screen's pixels fit. "inf", "nan" and larger values would put the window
// nowhere (or overflow the conversion to pixels), so they count as no number at all.
std::optional<double> parseTwips(const std::string& text) {
    constexpr double kLimit = std::numeric_limits<std::int32_t>::max();
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc{} || stop != end || !std::isfinite(value) ||
        std::fabs(value) > kLimit)
        return std::nullopt;
    return value;
}

// The shortest decimal text that reads back as the same single-precision number.
std::string singlePrecisionText(double value) {
    std::array<char, 32> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), static_cast<float>(value));
    return std::string(buffer.data(), result.ptr);
}

} // namespace

void restoreWindowGeometry(const SettingsStore& store, std::string_view windowName,
                           WindowGeometry& window, std::span<const WindowGeometry::Edge> edges) {
    for (const auto edge : edges) {
        if (const auto value = parseTwips(store.get(windowName, keyOf(edge))))
            window.setTwips(edge, *value);
    }
}

void saveWindowGeometry(SettingsStore& store, std::string_view windowName,
                        const WindowGeometry& window, std::span<const WindowGeometry::Edge> edges) {
    if (!window.isNormalState())
        return;
    for (const auto edge : edges)
        store.save(windowName, keyOf(edge), singlePrecisionText(window.twips(edge)));
    store.sync();
}

std::string& gameModeDirectory(Configuration& configuration, GameMode mode) {
    switch (mode) {
    case GameMode::DM:
        return configuration.DM_Dir;
    case GameMode::CTF:
        return configuration.CTF_Dir;
    case GameMode::TF:
        break;
    }
    return configuration.TF_Dir;
}

namespace mainwindow {

std::optional<GameMode> Load_Window_Settings(const SettingsStore& store, WindowGeometry& window,
                                             Configuration& configuration) {
    restoreWindowGeometry(store, kName, window, kPositionAndSizeEdges);
    configuration.load(store);
    std::optional<GameMode> selected;
    for (const auto mode : {GameMode::TF, GameMode::DM, GameMode::CTF}) {
        if (configuration.Active_Mod_Dir == gameModeDirectory(configuration, mode))
            selected = mode;
    }
    return selected;
}

void Save_Window_Settings(SettingsStore& store, const WindowGeometry& window) {
    saveWindowGeometry(store, kName, window, kPositionAndSizeEdges);
}

} // namespace mainwindow
