// SPDX-License-Identifier: MIT
#include "morvint/sysinfo_windows.h"

namespace morvint {

namespace {

// The predefined roots are 32-bit values sign-extended to a handle.
HKEY rootHandle(std::uint32_t root) {
    return reinterpret_cast<HKEY>(
        static_cast<ULONG_PTR>(static_cast<LONG_PTR>(static_cast<LONG>(root))));
}

HKEY keyHandle(SysInfoPlatform::Key key) {
    return reinterpret_cast<HKEY>(key);
}

// The registry of advapi32, the file system and CreateProcessA.
class WindowsSysInfoPlatform final : public SysInfoPlatform {
public:
    explicit WindowsSysInfoPlatform(RegOpenKeyFunction openKey) : openKey_(openKey) {}

    bool regOpenKey(std::uint32_t root, const std::string& name, Key& key) override {
        HKEY opened = nullptr;
        // Read access is enough, and a user without write rights to the key may
        // still read it.
        if (openKey_(rootHandle(root), name.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
            return false;
        }
        key = reinterpret_cast<Key>(opened);
        return true;
    }

    bool regQueryValue(Key key, const std::string& valueName, std::uint32_t& type,
                       std::vector<char>& buffer, std::uint32_t& size) override {
        DWORD valueType = 0;
        DWORD bytes = static_cast<DWORD>(buffer.size());
        if (RegQueryValueExA(keyHandle(key), valueName.c_str(), nullptr, &valueType,
                             reinterpret_cast<BYTE*>(buffer.data()), &bytes) != ERROR_SUCCESS) {
            return false;
        }
        type = valueType;
        size = bytes;
        return true;
    }

    void regCloseKey(Key key) override { RegCloseKey(keyHandle(key)); }

    bool fileExists(const std::string& path) override {
        const DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            return false;
        }
        return (attributes &
                (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY)) == 0;
    }

    bool startProgram(const std::string& path) override {
        if (path.empty()) {
            return false;
        }
        // The program is named by lpApplicationName, so blanks in the path
        // never split it; its command line is the quoted path.
        std::string commandLine = "\"" + path + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWNORMAL;
        PROCESS_INFORMATION process{};
        if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &process)) {
            return false;
        }
        // Not waiting: the tool runs on its own.
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return true;
    }

private:
    RegOpenKeyFunction openKey_;
};

}  // namespace

std::unique_ptr<SysInfoPlatform> makeWindowsPlatform(RegOpenKeyFunction openKey) {
    return std::make_unique<WindowsSysInfoPlatform>(openKey);
}

std::unique_ptr<SysInfoPlatform> makeSystemPlatform() {
    return makeWindowsPlatform(&RegOpenKeyExA);
}

}  // namespace morvint
