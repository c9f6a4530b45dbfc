// SPDX-License-Identifier: MIT
#include "morvint/sysinfo.h"

namespace morvint {

namespace {

// A system without a registry or the system-information tool: every lookup
// fails, so the About box shows its message.
class NoSysInfoPlatform final : public SysInfoPlatform {
public:
    bool regOpenKey(std::uint32_t, const std::string&, Key&) override { return false; }
    bool regQueryValue(Key, const std::string&, std::uint32_t&, std::vector<char>&,
                       std::uint32_t&) override {
        return false;
    }
    void regCloseKey(Key) override {}
    bool fileExists(const std::string&) override { return false; }
    bool startProgram(const std::string&) override { return false; }
};

}  // namespace

std::unique_ptr<SysInfoPlatform> makeSystemPlatform() {
    return std::make_unique<NoSysInfoPlatform>();
}

}  // namespace morvint
