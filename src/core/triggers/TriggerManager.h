// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

class Progress;
class Prompter;
class SettingsStore;
class TriggerList;
struct Configuration;

// What the trigger manager's commands do, apart from its window. Row i of the window's list
// shows position i of the trigger list; a row is passed as nullopt when none is selected.
class TriggerManager {
public:
    static constexpr const char* kWindowName = "frmTriggers";

    TriggerManager(TriggerList& triggers, const Configuration& configuration, Prompter& prompter);

    // Add: appends an empty position and returns it for the edit dialog; nullopt, after
    // telling the user, when the list is full.
    std::optional<int> beginAdd();
    // Modify: the selected position for the edit dialog; nullopt, after telling the user,
    // when no row is selected.
    std::optional<int> beginModify(std::optional<int> selectedRow);

    struct Deletion {
        int removedRow;
        int rowToSelect;
    };
    // Delete, without a question: removes the selected position, or tells the user why not.
    // The list never shrinks below one trigger here.
    std::optional<Deletion> deleteSelected(int rowCount, std::optional<int> selectedRow);

    // Play Wav: the file to preview for the selected row.
    std::optional<std::filesystem::path> playWavPath(std::optional<int> selectedRow) const;

    // Tells the user where the export went, or that it failed.
    void reportExport(bool written, const std::string& path);

    // The list into the store, with the progress shown; tells the user when the store could
    // not be written, since the changes would be lost at the next start.
    void saveList(SettingsStore& store, Progress& progress);

private:
    TriggerList& m_triggers;
    const Configuration& m_configuration;
    Prompter& m_prompter;
};

// The file to preview for a trigger's sound: the game's copy, which is what the game plays,
// when there is one; otherwise the file the trigger names (gamesound::chosenFile).
std::optional<std::filesystem::path> soundFileToPreview(std::string_view soundFile,
                                                        std::string_view soundDirectory);
