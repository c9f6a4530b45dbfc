// The system-information lookup against the real registry, file system and
// program start of Windows (run under Wine). Registry values are written with
// reg.exe, as an administrator would.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "morvint/sysinfo.h"

namespace morvint::test {
namespace {

namespace fs = std::filesystem;

const std::string msinfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string locationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const std::string work = "C:\\morvint wine test";

// Runs a command line to its end and returns its exit code.
DWORD run(std::string commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        ADD_FAILURE() << "cannot run " << commandLine;
        return 1;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

void regAdd(const std::string& key, const std::string& value, const std::string& type,
            const std::string& data) {
    ASSERT_EQ(run("reg.exe add " + quoted("HKLM\\" + key) + " /v " + quoted(value) + " /t " + type +
                  " /d " + quoted(data) + " /f"),
              0u);
}

void regAddKey(const std::string& key) {
    ASSERT_EQ(run("reg.exe add " + quoted("HKLM\\" + key) + " /f"), 0u);
}

// reg add cannot write a value of no bytes at all; a .reg file can.
void regImportEmptyText(const std::string& key, const std::string& value) {
    const std::string file = work + "\\empty.reg";
    {
        std::ofstream out(file, std::ios::binary);
        out << "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\" << key
            << "]\r\n\"" << value << "\"=hex(1):\r\n";
    }
    ASSERT_EQ(run("reg.exe import " + quoted(file)), 0u);
}

void regDeleteKey(const std::string& key) {
    HKEY root = nullptr;
    const auto slash = key.rfind('\\');
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.substr(0, slash).c_str(), 0, KEY_ALL_ACCESS, &root) !=
        ERROR_SUCCESS) {
        return;
    }
    RegDeleteTreeA(root, key.substr(slash + 1).c_str());
    RegCloseKey(root);
}

std::string selfFolder() {
    char self[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    return fs::path(std::string(self, length)).parent_path().string();
}

// Puts a copy of the stand-in tool at path.
void placeTool(const std::string& path) {
    fs::create_directories(fs::path(path).parent_path());
    fs::copy_file(selfFolder() + "\\marker_program.exe", path,
                  fs::copy_options::overwrite_existing);
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Waits until the stand-in tool at path has written its marker, for at most a
// minute, and returns the command line it recorded ("" if it never ran).
std::string waitForRun(const std::string& path) {
    const std::string marker = path + ".ran";
    for (int i = 0; i < 600 && !fs::exists(marker); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return fs::exists(marker) ? readFile(marker) : std::string();
}

// The real platform, with a record of the programs it was asked to start.
class RecordingPlatform final : public SysInfoPlatform {
public:
    std::vector<std::string> startTries;

    bool regOpenKey(std::uint32_t root, const std::string& name, Key& key) override {
        return real->regOpenKey(root, name, key);
    }
    bool regQueryValue(Key key, const std::string& valueName, std::uint32_t& type,
                       std::vector<char>& buffer, std::uint32_t& size) override {
        return real->regQueryValue(key, valueName, type, buffer, size);
    }
    void regCloseKey(Key key) override { real->regCloseKey(key); }
    bool fileExists(const std::string& path) override { return real->fileExists(path); }
    bool startProgram(const std::string& path) override {
        startTries.push_back(path);
        return real->startProgram(path);
    }

private:
    std::unique_ptr<SysInfoPlatform> real = makeSystemPlatform();
};

class Messages final : public SysInfoMessages {
public:
    int shown = 0;
    void showUnavailable() override { ++shown; }
};

// Each test starts with neither key and an empty work folder.
class WineRegistry : public testing::Test {
protected:
    void SetUp() override {
        regDeleteKey(msinfoKey);
        regDeleteKey(locationKey);
        fs::remove_all(work);
        fs::create_directories(work);
    }
    void TearDown() override {
        regDeleteKey(msinfoKey);
        regDeleteKey(locationKey);
    }

    RecordingPlatform platform;
    Messages messages;
};

// The first value names the tool; it is started by its full path, blanks and
// all, even though a program sits where an unquoted command line would split
// the path, and the second key is not used.
TEST_F(WineRegistry, FirstValueFoundStartsItsPathWithBlanks) {
    const std::string tool = work + "\\first tool\\msinfo32.exe";
    const std::string decoy = work + "\\first.exe";
    const std::string second = work + "\\second tool";
    placeTool(tool);
    placeTool(decoy);
    placeTool(second + "\\MSINFO32.EXE");
    regAdd(msinfoKey, "PATH", "REG_SZ", tool);
    regAdd(locationKey, "MSINFO", "REG_SZ", second);

    StartSysInfo(platform, messages);

    EXPECT_EQ(messages.shown, 0);
    EXPECT_EQ(platform.startTries, std::vector<std::string>{tool});
    EXPECT_EQ(waitForRun(tool), quoted(tool));
    EXPECT_FALSE(fs::exists(decoy + ".ran"));
    EXPECT_FALSE(fs::exists(second + "\\MSINFO32.EXE.ran"));
}

// The second value names the folder that holds MSINFO32.EXE.
TEST_F(WineRegistry, OnlySecondKeyWithTheFileStartsIt) {
    const std::string folder = work + "\\sys info";
    const std::string tool = folder + "\\MSINFO32.EXE";
    placeTool(tool);
    regAdd(locationKey, "MSINFO", "REG_SZ", folder);

    StartSysInfo(platform, messages);

    EXPECT_EQ(messages.shown, 0);
    EXPECT_EQ(platform.startTries, std::vector<std::string>{tool});
    EXPECT_EQ(waitForRun(tool), quoted(tool));
}

struct FailCase {
    const char* name;
    // What the registry and the work folder hold.
    void (*prepare)();
    std::vector<std::string> expectedStartTries;
};

void PrintTo(const FailCase& c, std::ostream* os) {
    *os << c.name;
}

class WineRegistryFails : public WineRegistry, public testing::WithParamInterface<FailCase> {};

// System Info shows its message once, after trying to start exactly these paths.
TEST_P(WineRegistryFails, ShowsTheMessage) {
    GetParam().prepare();
    ASSERT_FALSE(HasFatalFailure());

    StartSysInfo(platform, messages);

    EXPECT_EQ(messages.shown, 1);
    EXPECT_EQ(platform.startTries, GetParam().expectedStartTries);
}

INSTANTIATE_TEST_SUITE_P(
    Machines, WineRegistryFails,
    testing::Values(FailCase{"Neither", [] {}, {}},
                    FailCase{"OnlySecondKeyWithoutTheFile",
                             [] {
                                 fs::create_directories(work + "\\sys info");
                                 regAdd(locationKey, "MSINFO", "REG_SZ", work + "\\sys info");
                             },
                             {}},
                    FailCase{"OnlySecondKeyWithAFolderOfTheToolsName",
                             [] {
                                 fs::create_directories(work + "\\sys info\\MSINFO32.EXE");
                                 regAdd(locationKey, "MSINFO", "REG_SZ", work + "\\sys info");
                             },
                             {}},
                    FailCase{"OnlySecondKeyWithoutItsValue", [] { regAddKey(locationKey); }, {}},
                    FailCase{"FirstValueNamesNoFile",
                             [] { regAdd(msinfoKey, "PATH", "REG_SZ", work + "\\missing.exe"); },
                             {work + "\\missing.exe"}},
                    // Found, so the second key is not used even though it would work.
                    FailCase{"FirstValueOfSizeZero",
                             [] {
                                 placeTool(work + "\\sys info\\MSINFO32.EXE");
                                 regAdd(locationKey, "MSINFO", "REG_SZ", work + "\\sys info");
                                 regImportEmptyText(msinfoKey, "PATH");
                             },
                             {""}},
                    FailCase{"FirstValueOfAnotherType",
                             [] {
                                 placeTool(work + "\\sys info\\MSINFO32.EXE");
                                 regAdd(locationKey, "MSINFO", "REG_SZ", work + "\\sys info");
                                 regAdd(msinfoKey, "PATH", "REG_BINARY", "43003A00");
                             },
                             {""}}),
    [](const testing::TestParamInfo<FailCase>& info) { return std::string(info.param.name); });

// Values read back through the real registry.
TEST_F(WineRegistry, GetKeyValueReadsRealValues) {
    regAdd(msinfoKey, "Text", "REG_SZ", "C:\\Program Files\\x.exe");
    regAdd(msinfoKey, "Number", "REG_DWORD", "305419896");
    regAdd(msinfoKey, "Blank", "REG_SZ", "");
    regAdd(msinfoKey, "Bytes", "REG_BINARY", "0102");
    regImportEmptyText(msinfoKey, "Empty");
    struct Row {
        const char* value;
        bool result;
        std::string keyVal;
    };
    const Row rows[] = {{"Text", true, "C:\\Program Files\\x.exe"},
                        {"Number", true, "305419896"},
                        {"Blank", true, ""},
                        {"Empty", true, ""},
                        {"Bytes", true, "old"},
                        {"Missing", false, ""}};
    for (const Row& row : rows) {
        std::string keyVal = "old";
        EXPECT_EQ(GetKeyValue(platform, hkeyLocalMachine, msinfoKey, row.value, keyVal), row.result)
            << row.value;
        EXPECT_EQ(keyVal, row.keyVal) << row.value;
    }
    std::string keyVal = "old";
    EXPECT_FALSE(GetKeyValue(platform, hkeyLocalMachine, locationKey, "MSINFO", keyVal));
    EXPECT_EQ(keyVal, "");
}

// The value written by the .reg file really has no bytes.
TEST_F(WineRegistry, ImportedEmptyTextHasSizeZero) {
    regImportEmptyText(msinfoKey, "Empty");
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, msinfoKey.c_str(), 0, KEY_READ, &key),
              ERROR_SUCCESS);
    DWORD type = 0;
    DWORD size = 99;
    EXPECT_EQ(RegQueryValueExA(key, "Empty", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, 0u);
    RegCloseKey(key);
}

// Only a normal file counts as existing.
TEST_F(WineRegistry, FileTestAcceptsOnlyNormalFiles) {
    const std::string normal = work + "\\normal file.exe";
    const std::string hidden = work + "\\hidden.exe";
    const std::string system = work + "\\system.exe";
    const std::string readOnly = work + "\\read only.exe";
    const std::string folder = work + "\\folder.exe";
    for (const auto& path : {normal, hidden, system, readOnly}) {
        placeTool(path);
    }
    fs::create_directories(folder);
    ASSERT_TRUE(SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesA(system.c_str(), FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    struct Row {
        std::string path;
        bool exists;
    };
    const Row rows[] = {{normal, true},  {readOnly, true}, {hidden, false},
                        {system, false}, {folder, false},  {work + "\\missing.exe", false}};
    for (const Row& row : rows) {
        EXPECT_EQ(platform.fileExists(row.path), row.exists) << row.path;
    }
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesA(system.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// An empty path and a missing file are not started.
TEST_F(WineRegistry, StartFailsForEmptyAndMissingPaths) {
    EXPECT_FALSE(platform.startProgram(""));
    EXPECT_FALSE(platform.startProgram(work + "\\missing.exe"));
}

}  // namespace
}  // namespace morvint::test
