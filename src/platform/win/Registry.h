// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <windows.h>

namespace registry {

// Reads the string value `SubKeyRef` of the key `KeyName` under `KeyRoot` into `KeyVal`;
// false, with `KeyVal` empty, when the key or the value cannot be read or is not a string.
// The key is closed in every case.
bool GetKeyValue(HKEY KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                 std::string& KeyVal);

// The system information program named in the registry under `root`: the MSINFO "PATH"
// value, else MSINFO32.EXE in the "Shared Tools Location" directory when that file exists.
std::optional<std::string> systemInformationProgram(HKEY root = HKEY_LOCAL_MACHINE);

} // namespace registry
