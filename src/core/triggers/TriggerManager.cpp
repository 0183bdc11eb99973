// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/triggers/TriggerManager.h"

#include "core/platform/Prompter.h"
#include "core/settings/Configuration.h"
#include "core/triggers/GameSoundCopy.h"
#include "core/triggers/TriggerList.h"
#include "core/triggers/TriggerStore.h"

#include <algorithm>

namespace {

void showError(Prompter& prompter, std::string text) {
    prompter.inform(std::move(text), "Error");
}

} // namespace

TriggerManager::TriggerManager(TriggerList& triggers, const Configuration& configuration,
                               Prompter& prompter)
    : m_triggers(triggers)
    , m_configuration(configuration)
    , m_prompter(prompter) {}

std::optional<int> TriggerManager::beginAdd() {
    if (!m_triggers.append({})) {
        showError(m_prompter, "The trigger list is full: it holds at most " +
                                  std::to_string(TriggerList::kMaxCount) + " triggers.");
        return std::nullopt;
    }
    return m_triggers.TriggerCount();
}

std::optional<int> TriggerManager::beginModify(std::optional<int> selectedRow) {
    if (!selectedRow)
        showError(m_prompter, "You need to select a trigger to modify first");
    return selectedRow;
}

std::optional<TriggerManager::Deletion>
TriggerManager::deleteSelected(int rowCount, std::optional<int> selectedRow) {
    if (rowCount < 2) {
        showError(m_prompter, "You must always have at least one trigger!");
        return std::nullopt;
    }
    if (!selectedRow) {
        showError(m_prompter, "You need to select a trigger to delete first");
        return std::nullopt;
    }
    m_triggers.markDeleted(*selectedRow);
    m_triggers.Remove_Deleted_Triggers();
    // The row that followed the deleted one, or the new last row.
    return Deletion{*selectedRow, std::min(*selectedRow, rowCount - 1)};
}

std::optional<std::filesystem::path>
TriggerManager::playWavPath(std::optional<int> selectedRow) const {
    if (!selectedRow)
        return std::nullopt;
    return soundFileToPreview(m_triggers.at(*selectedRow).soundFile,
                              m_configuration.Quake_Id1_sound);
}

void TriggerManager::reportExport(bool written, const std::string& path) {
    if (written)
        m_prompter.inform("Wrote : " + std::to_string(m_triggers.TriggerCount()) +
                              " triggers to file : " + path,
                          "File Saved as", Prompter::Icon::Information);
    else
        m_prompter.inform("Could not write the trigger file : " + path, "Export",
                          Prompter::Icon::Critical);
}

void TriggerManager::saveList(SettingsStore& store, Progress& progress) {
    if (!triggerstore::Save_Triggers(store, m_triggers, progress))
        m_prompter.inform("The triggers could not be saved: the settings store cannot be "
                          "written. Changes made since the program started will be lost.",
                          "Error", Prompter::Icon::Critical);
}

std::optional<std::filesystem::path> soundFileToPreview(std::string_view soundFile,
                                                        std::string_view soundDirectory) {
    if (auto copy = gamesound::existingCopy(soundDirectory, soundFile))
        return copy;
    return gamesound::chosenFile(soundFile, soundDirectory);
}
