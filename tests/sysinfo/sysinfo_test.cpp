// The system-information lookup, played on one table of machines. Built
// natively it runs against a registry, file system and program start in
// memory; built for Windows it runs under Wine against the real ones.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "morvint/sysinfo.h"

#ifdef _WIN32
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "morvint/sysinfo_windows.h"
#else
#include <map>
#include <stdexcept>
#endif

namespace morvint {
namespace {

const std::string msinfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string locationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const std::string testKey = "SOFTWARE\\Morvint Test";
const std::string work = "C:\\morvint test";

struct Value {
    std::string key;
    std::string name;  // empty: the key's default value
    std::uint32_t type = regSz;
    std::string bytes;
};

Value text(const std::string& key, const std::string& name, const std::string& text) {
    return {key, name, regSz, text + '\0'};
}

enum class Kind { program, hiddenProgram, notAProgram };

struct File {
    std::string path;
    Kind kind = Kind::program;
};

#ifndef _WIN32
// All in memory; every key opened must be closed again.
class Machine final : public SysInfoPlatform, public SysInfoMessages {
public:
    int shown = 0;  // messages
    void showUnavailable() override { ++shown; }
    ~Machine() override { EXPECT_TRUE(open.empty()) << "a key was left open"; }
    void add(const Value& value) { keys[value.key][value.name] = value; }
    void add(const File& file) { files[file.path] = file.kind; }
    SysInfoPlatform& platform() { return *this; }
    std::vector<std::string> started(std::size_t) { return startedPaths; }
    bool fileTestThrows = false;

    bool regOpenKey(std::uint32_t root, const std::string& name, Key& key) override {
        if (root != hkeyLocalMachine || keys.count(name) == 0)
            return false;
        key = ++lastKey;
        open[key] = name;
        return true;
    }
    bool regQueryValue(Key key, const std::string& name, std::uint32_t& type,
                       std::vector<char>& buffer, std::uint32_t& size) override {
        const auto& values = keys[open.at(key)];
        const auto value = values.find(name);
        if (value == values.end() || value->second.bytes.size() > size)
            return false;
        std::copy(value->second.bytes.begin(), value->second.bytes.end(), buffer.begin());
        type = value->second.type;
        size = static_cast<std::uint32_t>(value->second.bytes.size());
        return true;
    }
    void regCloseKey(Key key) override { EXPECT_EQ(open.erase(key), 1u) << "closed twice"; }
    bool fileExists(const std::string& path) override {
        if (fileTestThrows)
            throw std::runtime_error("file test failed");
        return files.count(path) != 0 && files[path] != Kind::hiddenProgram;
    }
    bool startProgram(const std::string& path) override {
        if (files.count(path) == 0 || files[path] == Kind::notAProgram)
            return false;
        startedPaths.push_back(path);
        return true;
    }

private:
    std::map<std::string, std::map<std::string, Value>> keys;
    std::map<std::string, Kind> files;
    std::map<Key, std::string> open;
    Key lastKey = 0;
    std::vector<std::string> startedPaths;
};
#else
namespace fs = std::filesystem;

fs::path self() {
    char path[MAX_PATH] = {};
    return std::string(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
}

// Opens keys as a user who may read them but not write them.
LONG WINAPI openAsReader(HKEY root, LPCSTR name, DWORD options, REGSAM rights, PHKEY key) {
    if ((rights & ~(KEY_READ | KEY_WOW64_RES)) != 0)
        return ERROR_ACCESS_DENIED;
    return RegOpenKeyExA(root, name, options, rights, key);
}

// The real registry and a folder under C:\; the programs are copies of this
// test, which then only leave a mark beside themselves (see main).
class Machine final : public SysInfoMessages {
public:
    int shown = 0;  // messages
    void showUnavailable() override { ++shown; }
    Machine() {
        for (const auto& key : {msinfoKey, locationKey, testKey})
            RegDeleteTreeA(HKEY_LOCAL_MACHINE, key.c_str());
        // A program started by the case before may still be running.
        std::error_code busy;
        for (int wait = 0; wait < 100 && (fs::remove_all(work, busy), busy); ++wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }
    void add(const Value& value) {
        EXPECT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, value.key.c_str(), value.name.c_str(),
                                  value.type, value.bytes.data(), value.bytes.size()),
                  ERROR_SUCCESS);
    }
    void add(const File& file) {
        fs::create_directories(fs::path(file.path).parent_path());
        if (file.kind == Kind::notAProgram) {
            std::ofstream(file.path) << "not a program";
        } else {
            fs::copy_file(self(), file.path);
            programs.push_back(file.path);
        }
        if (file.kind == Kind::hiddenProgram)
            SetFileAttributesA(file.path.c_str(), FILE_ATTRIBUTE_HIDDEN);
    }
    SysInfoPlatform& platform() { return *real; }
    // The programs that ran, once at least count of them have.
    std::vector<std::string> started(std::size_t count) {
        std::vector<std::string> ran;
        for (int wait = 0; wait < 100 && (wait == 0 || ran.size() < count); ++wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(wait == 0 ? 0 : 100));
            ran.clear();
            for (const auto& path : programs) {
                if (fs::exists(path + ".ran"))
                    ran.push_back(path);
            }
        }
        return ran;
    }

private:
    std::unique_ptr<SysInfoPlatform> real = makeWindowsPlatform(&openAsReader);
    std::vector<std::string> programs;
};
#endif

// One value of each sort, read with KeyVal "old".
TEST(GetKeyValue, ReadsTextAndNumbersAndLeavesOtherTypes) {
    const struct {
        std::uint32_t type;  // 0: no such value
        std::string bytes;
        bool result;
        std::string keyVal;
    } rows[] = {
        {0, "", false, ""},
        {regSz, std::string("C:\\Program Files\\x.exe\0", 23), true, "C:\\Program Files\\x.exe"},
        {regSz, "abc", true, "abc"},
        {regSz, std::string("ab\0\0", 4), true, std::string("ab\0", 3)},
        {regSz, std::string(1, '\0'), true, ""},
        {regSz, "", true, ""},
        {regSz, std::string(1023, 'y') + '\0', true, std::string(1023, 'y')},
        {regSz, std::string(1025, 'z'), false, ""},
        {regDword, "\x78\x56\x34\x12", true, "305419896"},
        {regDword, std::string("\0\1\0\0", 4), true, "256"},
        {regDword, "\xff\xff\xff\xff", true, "4294967295"},
        {2, std::string("%SystemRoot%\0", 13), true, "old"},
        {3, "xyz", true, "old"},
        {3, "", true, "old"},
        {7, std::string("a\0b\0\0", 5), true, "old"},
    };
    Machine machine;
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const std::string name = std::to_string(i);
        SCOPED_TRACE("row " + name);
        if (rows[i].type != 0)
            machine.add({testKey, name, rows[i].type, rows[i].bytes});
        std::string keyVal = "old";
        EXPECT_EQ(GetKeyValue(machine.platform(), hkeyLocalMachine, testKey, name, keyVal),
                  rows[i].result);
        EXPECT_EQ(keyVal, rows[i].keyVal);
    }
    std::string keyVal = "old";
    EXPECT_FALSE(GetKeyValue(machine.platform(), hkeyLocalMachine, locationKey, "MSINFO", keyVal));
    EXPECT_EQ(keyVal, "");
}

const std::string tool = work + "\\first tool\\msinfo32.exe";
const std::string decoy = work + "\\first.exe";  // where a split path would look
const std::string folder = work + "\\sys info";
const std::string folderTool = folder + "\\MSINFO32.EXE";
const Value second = text(locationKey, "MSINFO", folder);

Value first(const std::string& path) {
    return text(msinfoKey, "PATH", path);
}

// What the System Info button starts on each machine; the message when nothing.
// A first value found is started as it is, blanks and all, and the second key
// is then not used, even when starting fails.
TEST(StartSysInfo, StartsTheToolOrShowsTheMessage) {
    const struct {
        const char* name;
        std::vector<Value> values;
        std::vector<File> files;
        std::vector<std::string> started;
    } cases[] = {
        {"first found", {first(tool), second}, {{tool}, {decoy}, {folderTool}}, {tool}},
        {"first names no file", {first(work + "\\none.exe"), second}, {{folderTool}}, {}},
        {"first of size 0", {{msinfoKey, "PATH", regSz, ""}, second}, {{folderTool}}, {}},
        {"first of another type",
         {{msinfoKey, "PATH", 3, tool}, second},
         {{tool}, {folderTool}},
         {}},
        {"first key without value", {{msinfoKey, "", 0, ""}, second}, {{folderTool}}, {folderTool}},
        {"second key with MSINFO32.EXE", {second}, {{folderTool}}, {folderTool}},
        {"second key without MSINFO32.EXE", {second}, {}, {}},
        {"MSINFO32.EXE no program", {second}, {{folderTool, Kind::notAProgram}}, {}},
        {"MSINFO32.EXE hidden", {second}, {{folderTool, Kind::hiddenProgram}}, {}},
        {"second key without value", {{locationKey, "", 0, ""}}, {}, {}},
        {"second value empty", {text(locationKey, "MSINFO", "")}, {}, {}},
        {"neither key", {}, {{folderTool}}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Machine machine;
        for (const auto& value : c.values) machine.add(value);
        for (const auto& file : c.files) machine.add(file);
        StartSysInfo(machine.platform(), machine);
        EXPECT_EQ(machine.started(c.started.size()), c.started);
        EXPECT_EQ(machine.shown, c.started.empty() ? 1 : 0);
    }
}

#ifndef _WIN32
// A failing file test, and a system without a registry, end in the message.
TEST(StartSysInfo, ShowsTheMessageWhenTheFileTestFailsOrThereIsNoRegistry) {
    Machine machine;
    machine.add(second);
    machine.add(File{folderTool});
    machine.fileTestThrows = true;
    StartSysInfo(machine, machine);
    EXPECT_EQ(machine.shown, 1);
    StartSysInfo(*makeSystemPlatform(), machine);
    EXPECT_EQ(machine.shown, 2);
}
#else
// This test carries the program's version record.
TEST(VersionRecord, NamesTheProgram) {
    std::vector<char> info(GetFileVersionInfoSizeA(self().string().c_str(), nullptr));
    ASSERT_TRUE(GetFileVersionInfoA(self().string().c_str(), 0, info.size(), info.data()));
    for (const auto& [name, expected] : {std::pair{"ProductName", "Morvint"},
                                         {"InternalName", "Morvint"},
                                         {"OriginalFilename", "Morvint.exe"},
                                         {"FileVersion", "1.00"},
                                         {"ProductVersion", "1.00"}}) {
        const char* value = nullptr;
        UINT length = 0;
        VerQueryValueA(info.data(), (std::string("\\StringFileInfo\\040904B0\\") + name).c_str(),
                       (void**)&value, &length);
        EXPECT_STREQ(value, expected) << name;
    }
}
#endif

}  // namespace
}  // namespace morvint

#ifdef _WIN32
// Started under another name, as the system-information tool, this program
// leaves a mark beside itself and ends.
int main(int argc, char** argv) {
    if (morvint::self().stem() != "sysinfo_test") {
        std::ofstream(morvint::self().string() + ".ran");
        return 0;
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
#endif
