// SPDX-License-Identifier: MIT
#include "morvint/sysinfo.h"

#include <algorithm>
#include <exception>

namespace morvint {

namespace {

constexpr std::uint32_t valueBufferSize = 1024;

// Decimal text of a 32-bit number stored little-endian in the first bytes of data.
std::string numberText(const std::vector<char>& data, std::uint32_t size) {
    std::uint32_t number = 0;
    const std::uint32_t count = std::min<std::uint32_t>(size, 4);
    for (std::uint32_t i = count; i > 0; --i) {
        number = (number << 8) | static_cast<unsigned char>(data[i - 1]);
    }
    return std::to_string(number);
}

}  // namespace

bool GetKeyValue(SysInfoPlatform& platform, std::uint32_t KeyRoot, const std::string& KeyName,
                 const std::string& SubKeyRef, std::string& KeyVal) {
    SysInfoPlatform::Key key = 0;
    if (!platform.regOpenKey(KeyRoot, KeyName, key)) {
        KeyVal.clear();
        return false;
    }

    std::vector<char> buffer(valueBufferSize, '\0');
    std::uint32_t size = valueBufferSize;
    std::uint32_t type = 0;
    if (!platform.regQueryValue(key, SubKeyRef, type, buffer, size)) {
        KeyVal.clear();
        platform.regCloseKey(key);
        return false;
    }

    // Drop the terminating 0 when the value ends in one. An empty value is the
    // empty text.
    size = std::min<std::uint32_t>(size, static_cast<std::uint32_t>(buffer.size()));
    std::uint32_t length = size;
    if (size > 0 && buffer[size - 1] == '\0') {
        length = size - 1;
    }
    const std::string text(buffer.data(), length);

    if (type == regSz) {
        KeyVal = text;
    } else if (type == regDword) {
        KeyVal = numberText(buffer, size);
    }
    // Any other type counts as read but leaves KeyVal as it was.

    platform.regCloseKey(key);
    return true;
}

void StartSysInfo(SysInfoPlatform& platform, SysInfoMessages& messages) {
    static const std::string msinfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
    static const std::string msinfoValue = "PATH";
    static const std::string locationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
    static const std::string locationValue = "MSINFO";
    static const std::string toolFile = "\\MSINFO32.EXE";

    bool started = false;
    try {
        std::string path;
        bool found = GetKeyValue(platform, hkeyLocalMachine, msinfoKey, msinfoValue, path);
        if (!found && GetKeyValue(platform, hkeyLocalMachine, locationKey, locationValue, path)) {
            // The second value names the tool's folder.
            if (platform.fileExists(path + toolFile)) {
                path += toolFile;
                found = true;
            }
        }
        started = found && platform.startProgram(path);
    } catch (const std::exception&) {
        started = false;
    }
    if (!started) {
        messages.showUnavailable();
    }
}

}  // namespace morvint
