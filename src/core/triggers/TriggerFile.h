// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/FileChooser.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TriggerList;
struct Trigger;

// The trigger text file that players share: one trigger per line, its name, keyword and
// sound file separated by commas, each field usually in double quotes.
namespace triggerfile {

// The line of one trigger, ended by CR LF. Each field is quoted, with a double quote inside
// written twice. The empty name and keyword of an empty position are written as nothing
// (not even quotes), its empty sound file as two double quotes, as earlier versions did.
std::string formatLine(const Trigger& trigger);
// Every position of the list in order, empty positions included.
std::string format(const TriggerList& list);

// The records of a file's text, one per line, in file order. Spaces and tabs before a field
// are skipped, and after an unquoted one. A field in double quotes may hold commas and line
// ends, and reads two double quotes as one; what follows its closing quote up to the next
// comma or line end is ignored. Lines with fewer than three fields, blank lines included,
// give no record; fields after the third are ignored. A UTF-8 byte order mark is skipped.
std::vector<Trigger> parse(std::string_view text);

// The whole file, parsed; nullopt when it cannot be read.
// Writes the export file in place of any file at `path`, only ever by a complete one; false
// when it could not be written.
bool write(const std::filesystem::path& path, const TriggerList& list);

std::optional<std::vector<Trigger>> read(const std::filesystem::path& path);

// The open and save dialogs of the import and the export.
FileChooser::Options dialogOptions();

} // namespace triggerfile
