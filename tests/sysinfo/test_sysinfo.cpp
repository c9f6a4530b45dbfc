// SPDX-License-Identifier: MIT
// The system-information lookup, played on one table of machines. Built
// natively it runs against a registry, file system and program start in
// memory; built for Windows it runs under Wine against the real ones.
#include <gtest/gtest.h>

#include "morvint/sysinfo.h"

#ifdef _WIN32
#include <filesystem>
#include <fstream>

#include "morvint/sysinfo_windows.h"
#endif

namespace morvint {
namespace {

using namespace std::string_literals;
using S = std::string;
constexpr auto msinfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr auto locationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const S work = "C:\\morvint test";

struct Value {
    S key, name;  // an empty name: the key's default value
    std::uint32_t type;
    S bytes;
};
// broken: a file that is no program; in memory its file test also fails outright.
enum Kind { none, program, hidden, broken };

struct Messages : SysInfoMessages {
    int shown = 0;
    void showUnavailable() override { ++shown; }
};

#ifdef _WIN32
namespace fs = std::filesystem;
// A program started by a case writes here the name it was started under.
const char* const startedFile = "C:\\morvint started.txt";

// Opens keys as a user who may read them but not write them.
LONG WINAPI openAsReader(HKEY root, LPCSTR name, DWORD options, REGSAM rights, PHKEY key) {
    if ((rights & ~(KEY_READ | KEY_WOW64_RES)) != 0)
        return ERROR_ACCESS_DENIED;
    return RegOpenKeyExA(root, name, options, rights, key);
}

// The real registry and a folder under C:\, whose programs are copies of this
// test that end at once (see main).
struct Machine final : Messages {
    std::unique_ptr<SysInfoPlatform> platform = makeWindowsPlatform(&openAsReader);
    Machine() {
        for (auto key : {msinfoKey, locationKey}) RegDeleteTreeA(HKEY_LOCAL_MACHINE, key);
        fs::remove(startedFile);
        // A program started by the case before may still run and hold its file.
        for (int wait = 0; wait < 100; ++wait) {
            std::error_code busy;
            fs::remove_all(work, busy);
            if (!busy)
                break;
            Sleep(100);
        }
    }
    void add(const Value& v) {
        EXPECT_EQ(0, RegSetKeyValueA(HKEY_LOCAL_MACHINE, v.key.c_str(), v.name.c_str(), v.type,
                                     v.bytes.data(), v.bytes.size()));
    }
    void add(const S& path, Kind kind) {
        fs::create_directories(fs::path(path).parent_path());
        if (kind == broken)
            std::ofstream(path) << "not a program";
        else
            fs::copy_file(_pgmptr, path);
        SetFileAttributesA(path.c_str(),
                           kind == hidden ? FILE_ATTRIBUTE_HIDDEN : FILE_ATTRIBUTE_NORMAL);
    }
    // The started program's argv[0], once it has written it: a path split at a
    // blank by an unquoted command line shows here.
    S started() {
        S name;
        for (int wait = 0; wait < 200 && name.empty(); ++wait) {
            Sleep(100);
            std::getline(std::ifstream(startedFile), name);
        }
        return name;
    }
#else
// All in memory; every key opened must be closed again.
struct Machine final : Messages, SysInfoPlatform {
    std::map<S, std::map<S, Value> > keys;
    std::map<S, Kind> files;
    std::map<Key, S> open;
    ~Machine() override { EXPECT_TRUE(open.empty()) << "a key was left open"; }
    SysInfoPlatform* platform = this;
    void add(const Value& value) { keys[value.key][value.name] = value; }
    void add(const S& path, Kind kind) { files[path] = kind; }
    bool regOpenKey(std::uint32_t root, const S& name, Key& key) override {
        if (root != hkeyLocalMachine || keys.count(name) == 0)
            return false;
        open[key = open.size() + 1] = name;
        return true;
    }
    bool regQueryValue(Key key, const S& name, std::uint32_t& type, std::vector<char>& buffer,
                       std::uint32_t& size) override {
        auto& values = keys[open.at(key)];
        if (values.count(name) == 0 || values[name].bytes.size() > size)
            return false;
        std::copy(values[name].bytes.begin(), values[name].bytes.end(), buffer.begin());
        type = values[name].type;
        size = static_cast<std::uint32_t>(values[name].bytes.size());
        return true;
    }
    void regCloseKey(Key key) override { EXPECT_EQ(open.erase(key), 1u) << "closed twice"; }
    bool fileExists(const S& path) override {
        if (files[path] == broken)
            throw std::runtime_error("file test failed");
        return files[path] == program;
    }
    S startedPath;
    S started() const { return startedPath; }
    bool startProgram(const S& path) override {
        startedPath = path;
        return files[path] == program || files[path] == hidden;
    }
#endif
};

// Values of each sort read with KeyVal "old"; the key is made by the first
// value stored, so the first row finds no key and the later empty one no value.
TEST(GetKeyValue, ReadsTextAndNumbersAndLeavesOtherTypes) {
    const std::tuple<std::uint32_t, S, bool, S> rows[] = {
        {0, "", false, ""},  // type 0: nothing stored
        {regSz, "abc", true, "abc"},
        {0, "", false, ""},
        {regSz, "ab\0\0"s, true, "ab\0"s},
        {regSz, "\0"s, true, ""},
        {regSz, S(1023, 'y') + '\0', true, S(1023, 'y')},
        {regSz, S(1025, 'z'), false, ""},
        {regDword, "\x78\x56\x34\x12", true, "305419896"},
        {regDword, "\0\1\0\0"s, true, "256"},
        {regDword, "\xff\xff\xff\xff", true, "4294967295"},
        {2, "%SystemRoot%\0"s, true, "old"},
        {7, "a\0b\0\0"s, true, "old"},
    };
    Machine machine;
    int row = 0;
    for (const auto& [type, bytes, read, expected] : rows) {
        const S name = std::to_string(row++);
        SCOPED_TRACE("row " + name);
        if (type != 0)
            machine.add({msinfoKey, name, type, bytes});
        S keyVal = "old";
        EXPECT_EQ(GetKeyValue(*machine.platform, hkeyLocalMachine, msinfoKey, name, keyVal), read);
        EXPECT_EQ(keyVal, expected);
    }
}

// Which program the System Info button starts on each machine, under its whole
// name, or that it shows the message instead; no machine holds a program that a
// wrong lookup could start instead. A first value found is started as it is,
// blanks and all (a split path would find the broken decoy), and the second key
// is then not used, even when starting fails.
TEST(StartSysInfo, StartsTheToolOrShowsTheMessage) {
    const S tool = work + "\\first tool\\msinfo32.exe", decoy = work + "\\first.exe";
    const S folder = work + "\\sys info", folderTool = folder + "\\MSINFO32.EXE";
    const Value second{locationKey, "MSINFO", regSz, folder + '\0'};
    const auto first = [](const S& path) { return Value{msinfoKey, "PATH", regSz, path + '\0'}; };
    using Files = std::map<S, Kind>;
    const Files::value_type toolFile{tool, program}, folderFile{folderTool, program};
    const S message;  // nothing started
    const std::tuple<const char*, std::vector<Value>, Files, S> cases[] = {
        {"first found", {first(tool), second}, {toolFile, {decoy, broken}}, tool},
        {"first names no file", {first(work + "\\none.exe"), second}, {folderFile}, message},
        {"first of size 0", {{msinfoKey, "PATH", regSz, ""}, second}, {folderFile}, message},
        {"first of type 3",
         {{msinfoKey, "PATH", 3, tool}, second},
         {toolFile, folderFile},
         message},
        {"first key without value", {{msinfoKey, "", 0, ""}, second}, {folderFile}, folderTool},
        {"second key with MSINFO32.EXE", {second}, {folderFile}, folderTool},
        {"MSINFO32.EXE no program", {second}, {{folderTool, broken}}, message},
        {"MSINFO32.EXE hidden", {second}, {{folderTool, hidden}}, message},
        {"neither key", {}, {folderFile}, message},
    };
    for (const auto& [name, values, files, started] : cases) {
        SCOPED_TRACE(name);
        Machine machine;
        for (const auto& value : values) machine.add(value);
        for (const auto& [path, kind] : files) machine.add(path, kind);
        StartSysInfo(*machine.platform, machine);
        EXPECT_EQ(machine.shown, started.empty() ? 1 : 0);
        if (!started.empty()) {
            EXPECT_EQ(machine.started(), started);
        }
    }
}

#ifdef _WIN32
// This test carries the program's version record.
TEST(VersionRecord, NamesTheProgram) {
    std::vector<char> info(GetFileVersionInfoSizeA(_pgmptr, nullptr));
    ASSERT_TRUE(GetFileVersionInfoA(_pgmptr, 0, info.size(), info.data()));
    S texts;
    for (const S name :
         {"ProductName", "InternalName", "OriginalFilename", "FileVersion", "ProductVersion"}) {
        void* value = nullptr;
        UINT length = 0;
        VerQueryValueA(info.data(), ("\\StringFileInfo\\040904B0\\" + name).c_str(), &value,
                       &length);
        texts += S(value ? static_cast<char*>(value) : "-") + ";";
    }
    EXPECT_EQ(texts, "Morvint;Morvint;Morvint.exe;1.00;1.00;");
}
#endif

}  // namespace
}  // namespace morvint

// Started under another name, as the system-information tool, the test writes
// the name it was started under and ends.
int main(int argc, char** argv) {
#ifdef _WIN32
    if (std::filesystem::path(_pgmptr).stem() != "test_sysinfo") {
        std::ofstream(morvint::startedFile) << argv[0] << "\n";
        return 0;
    }
#endif
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
