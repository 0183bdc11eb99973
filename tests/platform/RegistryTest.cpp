// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win/Registry.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <random>
#include <sddl.h>

namespace {

// The value that the next handle of this process gets: the slot freed last. A key that
// GetKeyValue left open would hold that slot, and the next handle would get another.
// (Wine keeps no count of a process's handles, and listing the system's handles can bring
// its server down while other processes end.)
std::uintptr_t nextHandleValue() {
    const HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    CloseHandle(event);
    return reinterpret_cast<std::uintptr_t>(event);
}

// A key of its own under HKEY_CURRENT_USER\Software for each test, removed afterwards.
class RegistryTest : public testing::Test {
protected:
    const std::string keyName = "Software\\Yelpcue test " + std::to_string(std::random_device()());
    HKEY key = nullptr;

    void SetUp() override {
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, keyName.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        RegCloseKey(key);
        RegDeleteTreeA(HKEY_CURRENT_USER, keyName.c_str());
    }

    // Stores `bytes` exactly as given (a string value's terminator included or not).
    void setValue(const std::string& subKey, const std::string& name, DWORD type,
                  std::string_view bytes) {
        HKEY target = nullptr;
        ASSERT_EQ(RegCreateKeyExA(key, subKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  &target, nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExA(target, name.c_str(), 0, type,
                                 reinterpret_cast<const BYTE*>(bytes.data()),
                                 static_cast<DWORD>(bytes.size())),
                  ERROR_SUCCESS);
        RegCloseKey(target);
    }
    void setString(const std::string& subKey, const std::string& name, const std::string& text) {
        setValue(subKey, name, REG_SZ, std::string_view(text.c_str(), text.size() + 1));
    }

    // The access that `sddl` grants, set on a sub-key that the test owns.
    void restrict(const std::string& subKey, const char* sddl) {
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1,
                                                                         &descriptor, nullptr));
        HKEY target = nullptr;
        ASSERT_EQ(RegOpenKeyExA(key, subKey.c_str(), 0, WRITE_DAC, &target), ERROR_SUCCESS);
        EXPECT_EQ(RegSetKeySecurity(target, DACL_SECURITY_INFORMATION, descriptor), ERROR_SUCCESS);
        RegCloseKey(target);
        LocalFree(descriptor);
    }
};

TEST_F(RegistryTest, ReadsStringValuesAndClosesTheKeyInEveryCase) {
    const std::string longPath = "C:\\" + std::string(1100, 'x') + "\\MSINFO32.EXE";
    setString("MSINFO", "PATH", "C:\\Program Files\\Common Files\\msinfo32.exe");
    setValue("MSINFO", "Unterminated", REG_SZ, "C:\\Tools");
    setString("MSINFO", "Empty", "");
    setValue("MSINFO", "Number", REG_DWORD, std::string_view("\x01\x00\x00\x00", 4));
    setString("MSINFO", "TooLong", longPath);
    // Ordinary users may read but not write HKEY_LOCAL_MACHINE, where the values are.
    restrict("MSINFO", "D:P(A;;KR;;;WD)");

    struct Case {
        const char* subKey;
        const char* value;
        bool found;
        std::string text;
    };
    const Case cases[] = {
        {"MSINFO", "PATH", true, "C:\\Program Files\\Common Files\\msinfo32.exe"},
        {"MSINFO", "path", true, "C:\\Program Files\\Common Files\\msinfo32.exe"},
        {"MSINFO", "Unterminated", true, "C:\\Tools"},
        {"MSINFO", "Empty", true, ""},
        {"Missing", "PATH", false, ""},
        {"MSINFO", "Missing", false, ""},
        {"MSINFO", "Number", false, ""},
        // Cut to the buffer it would name another program.
        {"MSINFO", "TooLong", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.subKey) + "\\" + c.value);
        std::string text = "left from before";
        const std::uintptr_t handleBefore = nextHandleValue();
        EXPECT_EQ(
            registry::GetKeyValue(HKEY_CURRENT_USER, keyName + "\\" + c.subKey, c.value, text),
            c.found);
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(nextHandleValue(), handleBefore) << "the key is closed";
    }
    restrict("MSINFO", "D:P(A;;KA;;;WD)");
}

TEST_F(RegistryTest, SystemInformationProgramFromPathElseFromTheSharedToolsDirectory) {
    TempDir tools;
    EXPECT_EQ(registry::systemInformationProgram(key), std::nullopt);

    setString("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", tools.path().string());
    EXPECT_EQ(registry::systemInformationProgram(key), std::nullopt)
        << "the directory holds no MSINFO32.EXE";
    writeFile(tools / "MSINFO32.EXE", "MZ");
    EXPECT_EQ(registry::systemInformationProgram(key), tools.path().string() + "\\MSINFO32.EXE");

    // PATH wins and is taken as it stands: whether it starts is the launcher's to tell.
    setString("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", "C:\\Missing\\msinfo32.exe");
    EXPECT_EQ(registry::systemInformationProgram(key), "C:\\Missing\\msinfo32.exe");
}

} // namespace
