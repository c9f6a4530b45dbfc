// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace morvint {

// Registry roots, with the values Windows gives them.
inline constexpr std::uint32_t hkeyLocalMachine = 0x80000002u;

// Registry value types.
inline constexpr std::uint32_t regSz = 1;     // text
inline constexpr std::uint32_t regDword = 4;  // 32-bit number

// What the system-information lookup needs from the operating system.
// The tests replace it; on Windows it is the registry of advapi32.
class SysInfoPlatform {
public:
    using Key = std::uintptr_t;
    virtual ~SysInfoPlatform() = default;

    // Opens a key under a root with read access; false when it cannot be opened.
    virtual bool regOpenKey(std::uint32_t root, const std::string& name, Key& key) = 0;
    // Reads a named value into buffer, whose size on entry is its capacity; on
    // success type and size (bytes written) are set. A value larger than the
    // buffer fails.
    virtual bool regQueryValue(Key key, const std::string& valueName, std::uint32_t& type,
                               std::vector<char>& buffer, std::uint32_t& size) = 0;
    virtual void regCloseKey(Key key) = 0;
    // Whether a normal file (not hidden, system or a directory) exists at path.
    virtual bool fileExists(const std::string& path) = 0;
    // Starts the executable at path as a new process, without waiting for it;
    // false when it cannot be started.
    virtual bool startProgram(const std::string& path) = 0;
};

// The About box's message when the tool cannot be started: OK only, no icon.
inline constexpr std::string_view sysInfoUnavailableTitle = "Morvint";
inline constexpr std::string_view sysInfoUnavailable =
    "System Information Is Unavailable At This Time";

class SysInfoMessages {
public:
    virtual ~SysInfoMessages() = default;
    virtual void showUnavailable() = 0;
};

// The platform of the machine the program runs on: the registry on Windows,
// elsewhere a layer whose lookups all fail.
std::unique_ptr<SysInfoPlatform> makeSystemPlatform();

// Reads a registry value as text into KeyVal; true if the value was read.
bool GetKeyValue(SysInfoPlatform& platform, std::uint32_t KeyRoot, const std::string& KeyName,
                 const std::string& SubKeyRef, std::string& KeyVal);

// Finds the system-information tool in the registry and starts it, or shows the
// message when it can't.
void StartSysInfo(SysInfoPlatform& platform, SysInfoMessages& messages);

}  // namespace morvint
