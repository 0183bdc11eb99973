// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win/Registry.h"

#include <array>
#include <filesystem>

namespace registry {

namespace {

// Closes the key whatever path leaves the scope.
class KeyHandle {
public:
    ~KeyHandle() {
        if (m_key)
            RegCloseKey(m_key);
    }
    HKEY* receive() { return &m_key; }
    HKEY get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

} // namespace

bool GetKeyValue(HKEY KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                 std::string& KeyVal) {
    KeyVal.clear();
    KeyHandle key;
    // Read access only: asking for write access to HKEY_LOCAL_MACHINE fails for every user
    // who is not an administrator.
    if (RegOpenKeyExA(KeyRoot, KeyName.c_str(), 0, KEY_READ, key.receive()) != ERROR_SUCCESS)
        return false;
    std::array<char, 1024> buffer{};
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(buffer.size());
    if (RegQueryValueExA(key.get(), SubKeyRef.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS)
        return false;
    if (type != REG_SZ)
        return false;
    if (size > 0 && buffer[size - 1] == '\0')
        --size;
    KeyVal.assign(buffer.data(), size);
    return true;
}

std::optional<std::string> systemInformationProgram(HKEY root) {
    std::string value;
    if (GetKeyValue(root, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", value))
        return value;
    if (GetKeyValue(root, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", value)) {
        const std::string program = value + "\\MSINFO32.EXE";
        std::error_code error;
        if (std::filesystem::exists(program, error))
            return program;
    }
    return std::nullopt;
}

} // namespace registry
