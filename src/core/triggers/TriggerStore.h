// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

class Progress;
class SettingsStore;
class TriggerList;
struct Trigger;

// The trigger list in the settings store: "RecordCount" in "Application_params", and one
// section per position, named by the position in decimal, with t_name, t_keyword and t_file,
// t_quiet_ms when the trigger has a quiet time and t_callers when it answers more than team
// talk.
namespace triggerstore {

// False for the empty text and for text made only of spaces; tabs count as content.
bool is_not_blank(std::string_view text);

// The start-up order: reads RecordCount (anything but a whole number from 0 to 32767 gives
// an empty list), sizes the list with empty positions, then Load_Triggers.
void loadTriggerList(const SettingsStore& store, TriggerList& list);

// Fills positions 1 to TriggerCount from their sections, each key with its default; a
// position with a blank field stays empty.
void Load_Triggers(const SettingsStore& store, TriggerList& list);

// Rewrites every position's section, reporting progress, then writes RecordCount last.
// Sections above the list's count are left alone. False when the store could not be written.
bool Save_Triggers(SettingsStore& store, const TriggerList& list, Progress& progress);

void Add_Trigger(SettingsStore& store, std::string_view section, const Trigger& trigger);
void Delete_Trigger_Section(SettingsStore& store, std::string_view section);

} // namespace triggerstore
