#pragma once

#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "morvint/sysinfo.h"

namespace morvint::test {

// A registry value as the fake holds it: its type and its raw bytes.
struct FakeValue {
    std::uint32_t type = regSz;
    std::string bytes;
};

// Text value as Windows stores it: the characters followed by a 0.
inline FakeValue textValue(const std::string& text) {
    return {regSz, text + std::string(1, '\0')};
}

// A registry, a file system and a program starter in memory, recording every call.
class FakePlatform final : public SysInfoPlatform {
public:
    // key name -> value name -> value; all keys live under HKEY_LOCAL_MACHINE.
    std::map<std::string, std::map<std::string, FakeValue>> keys;
    std::set<std::string> files;     // normal files that exist
    std::set<std::string> programs;  // paths that start as programs
    bool fileTestThrows = false;

    std::vector<std::string> opened;      // key names, in the order opened
    std::vector<std::string> queried;     // value names, in the order read
    std::vector<std::string> fileTests;   // paths tested
    std::vector<std::string> started;     // paths of programs started
    std::vector<std::string> startTries;  // paths given to startProgram
    std::multiset<Key> openKeys;          // handles not closed yet
    int badCloses = 0;                    // closes of handles that were not open
    int badBuffers = 0;                   // reads not given 1024 zero bytes and size 1024

    bool regOpenKey(std::uint32_t root, const std::string& name, Key& key) override {
        opened.push_back(name);
        auto found = keys.find(name);
        if (root != hkeyLocalMachine || found == keys.end()) {
            return false;
        }
        key = nextKey++;
        handles[key] = name;
        openKeys.insert(key);
        return true;
    }

    bool regQueryValue(Key key, const std::string& valueName, std::uint32_t& type,
                       std::vector<char>& buffer, std::uint32_t& size) override {
        queried.push_back(valueName);
        if (buffer.size() != 1024 || size != 1024 ||
            std::string(buffer.begin(), buffer.end()) != std::string(1024, '\0')) {
            ++badBuffers;
        }
        const auto handle = handles.find(key);
        if (handle == handles.end() || openKeys.count(key) == 0) {
            return false;
        }
        const auto& values = keys.at(handle->second);
        const auto value = values.find(valueName);
        if (value == values.end() || value->second.bytes.size() > size) {
            return false;
        }
        std::copy(value->second.bytes.begin(), value->second.bytes.end(), buffer.begin());
        type = value->second.type;
        size = static_cast<std::uint32_t>(value->second.bytes.size());
        return true;
    }

    void regCloseKey(Key key) override {
        const auto open = openKeys.find(key);
        if (open == openKeys.end()) {
            ++badCloses;
            return;
        }
        openKeys.erase(open);
    }

    bool fileExists(const std::string& path) override {
        fileTests.push_back(path);
        if (fileTestThrows) {
            throw std::runtime_error("file test failed");
        }
        return files.count(path) != 0;
    }

    bool startProgram(const std::string& path) override {
        startTries.push_back(path);
        if (programs.count(path) == 0) {
            return false;
        }
        started.push_back(path);
        return true;
    }

private:
    Key nextKey = 0x100;
    std::map<Key, std::string> handles;
};

// Counts the About box's messages.
class FakeMessages final : public SysInfoMessages {
public:
    int shown = 0;
    void showUnavailable() override { ++shown; }
};

}  // namespace morvint::test
