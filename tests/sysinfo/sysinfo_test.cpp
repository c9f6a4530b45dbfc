#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "fake_platform.h"
#include "morvint/sysinfo.h"

namespace morvint::test {
namespace {

const std::string msinfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string locationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const std::string someKey = "SOFTWARE\\Morvint Test";

std::string bytes(std::initializer_list<unsigned char> list) {
    return std::string(list.begin(), list.end());
}

// ---------------------------------------------------------------------------
// GetKeyValue: one value stored under someKey, read back with KeyVal "old".

struct ReadCase {
    const char* name;
    bool keyExists;
    bool valueExists;
    FakeValue value;
    bool expectedResult;
    std::string expectedKeyVal;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class GetKeyValueTest : public testing::TestWithParam<ReadCase> {};

// Checks the result, the text received, the reads made and that the key is closed.
TEST_P(GetKeyValueTest, ReadsTheValue) {
    const ReadCase& c = GetParam();
    FakePlatform platform;
    if (c.keyExists) {
        platform.keys[someKey] = {};
        if (c.valueExists) {
            platform.keys[someKey]["Value"] = c.value;
        }
    }
    std::string keyVal = "old";

    const bool result = GetKeyValue(platform, hkeyLocalMachine, someKey, "Value", keyVal);

    EXPECT_EQ(result, c.expectedResult);
    EXPECT_EQ(keyVal, c.expectedKeyVal);
    EXPECT_EQ(platform.opened, std::vector<std::string>{someKey});
    EXPECT_EQ(platform.queried,
              c.keyExists ? std::vector<std::string>{"Value"} : std::vector<std::string>{});
    EXPECT_TRUE(platform.openKeys.empty()) << "a key was left open";
    EXPECT_EQ(platform.badCloses, 0);
    EXPECT_EQ(platform.badBuffers, 0) << "the value must be read into 1024 zero bytes";
}

INSTANTIATE_TEST_SUITE_P(
    Values, GetKeyValueTest,
    testing::Values(
        ReadCase{"NoKey", false, false, {}, false, ""},
        ReadCase{"NoValue", true, false, {}, false, ""},
        ReadCase{"TextEndingInZero", true, true, textValue("C:\\Tools\\msinfo32.exe"), true,
                 "C:\\Tools\\msinfo32.exe"},
        ReadCase{"TextWithoutZero", true, true, {regSz, "abc"}, true, "abc"},
        // Only the one last 0 is dropped.
        ReadCase{"TextEndingInTwoZeros",
                 true,
                 true,
                 {regSz, std::string("ab\0\0", 4)},
                 true,
                 std::string("ab\0", 3)},
        ReadCase{"TextOfOnlyZero", true, true, {regSz, std::string(1, '\0')}, true, ""},
        ReadCase{"TextOfSizeZero", true, true, {regSz, ""}, true, ""},
        ReadCase{"TextFillingTheBuffer",
                 true,
                 true,
                 {regSz, std::string(1024, 'x')},
                 true,
                 std::string(1024, 'x')},
        ReadCase{"TextAndZeroFillingTheBuffer", true, true, textValue(std::string(1023, 'y')), true,
                 std::string(1023, 'y')},
        ReadCase{"TextLargerThanTheBuffer", true, true, {regSz, std::string(1025, 'z')}, false, ""},
        ReadCase{
            "Number", true, true, {regDword, bytes({0x78, 0x56, 0x34, 0x12})}, true, "305419896"},
        ReadCase{"NumberEndingInZeroBytes",
                 true,
                 true,
                 {regDword, bytes({0x00, 0x01, 0, 0})},
                 true,
                 "256"},
        ReadCase{"NumberZero", true, true, {regDword, bytes({0, 0, 0, 0})}, true, "0"},
        ReadCase{"NumberLargest",
                 true,
                 true,
                 {regDword, bytes({0xff, 0xff, 0xff, 0xff})},
                 true,
                 "4294967295"},
        ReadCase{"NumberOfSizeZero", true, true, {regDword, ""}, true, "0"},
        // Other types count as read and leave KeyVal as it was.
        ReadCase{"ExpandableText", true, true, {2, textValue("%SystemRoot%").bytes}, true, "old"},
        ReadCase{"Binary", true, true, {3, "xyz"}, true, "old"},
        ReadCase{"BinaryOfSizeZero", true, true, {3, ""}, true, "old"},
        ReadCase{"MultiText", true, true, {7, std::string("a\0b\0\0", 5)}, true, "old"}),
    [](const testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

// The root is handed to the registry unchanged.
TEST(GetKeyValue, UsesTheRootGiven) {
    FakePlatform platform;
    platform.keys[someKey]["Value"] = textValue("text");
    std::string keyVal = "old";
    EXPECT_FALSE(GetKeyValue(platform, 0x80000001u, someKey, "Value", keyVal));
    EXPECT_EQ(keyVal, "");
    EXPECT_TRUE(GetKeyValue(platform, hkeyLocalMachine, someKey, "Value", keyVal));
    EXPECT_EQ(keyVal, "text");
}

// ---------------------------------------------------------------------------
// StartSysInfo: the registry, files and programs of one machine, and what the
// System Info button then does.

struct Machine {
    bool firstKey = false;
    bool firstValue = false;
    FakeValue first;
    bool secondKey = false;
    bool secondValue = false;
    std::string folder;  // the second value's text
    std::vector<std::string> files;
    std::vector<std::string> programs;
    bool fileTestThrows = false;
};

struct StartCase {
    const char* name;
    Machine machine;
    std::vector<std::string> expectedOpened;
    std::vector<std::string> expectedFileTests;
    std::vector<std::string> expectedStartTries;
    std::vector<std::string> expectedStarted;
    int expectedMessages;
};

void PrintTo(const StartCase& c, std::ostream* os) {
    *os << c.name;
}

class StartSysInfoTest : public testing::TestWithParam<StartCase> {};

// Checks which keys are opened in which order, which files are tested, which
// program is started, and whether the message is shown.
TEST_P(StartSysInfoTest, StartsTheToolOrShowsTheMessage) {
    const StartCase& c = GetParam();
    FakePlatform platform;
    if (c.machine.firstKey) {
        platform.keys[msinfoKey] = {};
        if (c.machine.firstValue) {
            platform.keys[msinfoKey]["PATH"] = c.machine.first;
        }
    }
    if (c.machine.secondKey) {
        platform.keys[locationKey] = {};
        if (c.machine.secondValue) {
            platform.keys[locationKey]["MSINFO"] = textValue(c.machine.folder);
        }
    }
    platform.files.insert(c.machine.files.begin(), c.machine.files.end());
    platform.programs.insert(c.machine.programs.begin(), c.machine.programs.end());
    platform.fileTestThrows = c.machine.fileTestThrows;
    FakeMessages messages;

    StartSysInfo(platform, messages);

    EXPECT_EQ(platform.opened, c.expectedOpened);
    EXPECT_EQ(platform.fileTests, c.expectedFileTests);
    EXPECT_EQ(platform.startTries, c.expectedStartTries);
    EXPECT_EQ(platform.started, c.expectedStarted);
    EXPECT_EQ(messages.shown, c.expectedMessages);
    EXPECT_TRUE(platform.openKeys.empty()) << "a key was left open";
    EXPECT_EQ(platform.badCloses, 0);
    EXPECT_EQ(platform.badBuffers, 0);
}

const std::string tool = "C:\\Program Files\\Common Files\\MSInfo\\msinfo32.exe";
const std::string folder = "C:\\Program Files\\Common Files\\MSInfo";
const std::string folderTool = folder + "\\MSINFO32.EXE";

INSTANTIATE_TEST_SUITE_P(
    Machines, StartSysInfoTest,
    testing::Values(
        // The first value is taken as it is, untested; the second key is never looked at.
        StartCase{"FirstValueFound",
                  {true, true, textValue(tool), true, true, folder, {folderTool}, {tool}},
                  {msinfoKey},
                  {},
                  {tool},
                  {tool},
                  0},
        StartCase{"FirstValueNamesNoProgram",
                  {true, true, textValue(tool), true, true, folder, {folderTool}, {folderTool}},
                  {msinfoKey},
                  {},
                  {tool},
                  {},
                  1},
        StartCase{"FirstKeyWithoutValueSecondWithFile",
                  {true, false, {}, true, true, folder, {folderTool}, {folderTool}},
                  {msinfoKey, locationKey},
                  {folderTool},
                  {folderTool},
                  {folderTool},
                  0},
        StartCase{"OnlySecondKeyWithFile",
                  {false, false, {}, true, true, folder, {folderTool}, {folderTool}},
                  {msinfoKey, locationKey},
                  {folderTool},
                  {folderTool},
                  {folderTool},
                  0},
        StartCase{"OnlySecondKeyWithoutFile",
                  {false, false, {}, true, true, folder, {}, {folderTool}},
                  {msinfoKey, locationKey},
                  {folderTool},
                  {},
                  {},
                  1},
        StartCase{"OnlySecondKeyFileThatDoesNotStart",
                  {false, false, {}, true, true, folder, {folderTool}, {}},
                  {msinfoKey, locationKey},
                  {folderTool},
                  {folderTool},
                  {},
                  1},
        StartCase{"SecondKeyWithoutValue",
                  {false, false, {}, true, false, "", {"\\MSINFO32.EXE"}, {"\\MSINFO32.EXE"}},
                  {msinfoKey, locationKey},
                  {},
                  {},
                  {},
                  1},
        StartCase{"SecondValueEmpty",
                  {false, false, {}, true, true, "", {}, {"\\MSINFO32.EXE"}},
                  {msinfoKey, locationKey},
                  {"\\MSINFO32.EXE"},
                  {},
                  {},
                  1},
        StartCase{"NeitherKey",
                  {false, false, {}, false, false, "", {}, {""}},
                  {msinfoKey, locationKey},
                  {},
                  {},
                  {},
                  1},
        // Found, but the path stays empty; the start fails.
        StartCase{"FirstValueOfAnotherType",
                  {true, true, {3, tool}, true, true, folder, {folderTool}, {tool, folderTool}},
                  {msinfoKey},
                  {},
                  {""},
                  {},
                  1},
        StartCase{"FirstValueOfSizeZero",
                  {true, true, {regSz, ""}, true, true, folder, {folderTool}, {folderTool}},
                  {msinfoKey},
                  {},
                  {""},
                  {},
                  1},
        StartCase{"FirstValueANumber",
                  {true, true, {regDword, bytes({42, 0, 0, 0})}, false, false, "", {}, {"42"}},
                  {msinfoKey},
                  {},
                  {"42"},
                  {"42"},
                  0},
        StartCase{"FileTestFails",
                  {false, false, {}, true, true, folder, {folderTool}, {folderTool}, true},
                  {msinfoKey, locationKey},
                  {folderTool},
                  {},
                  {},
                  1}),
    [](const testing::TestParamInfo<StartCase>& info) { return std::string(info.param.name); });

#ifndef _WIN32
// Without a registry every lookup fails and System Info shows the message.
TEST(SystemPlatform, ReportsFailureWithoutARegistry) {
    auto platform = makeSystemPlatform();
    std::string keyVal = "old";
    EXPECT_FALSE(GetKeyValue(*platform, hkeyLocalMachine, msinfoKey, "PATH", keyVal));
    EXPECT_EQ(keyVal, "");
    EXPECT_FALSE(platform->fileExists("/bin/sh"));
    EXPECT_FALSE(platform->startProgram("/bin/true"));
    FakeMessages messages;
    StartSysInfo(*platform, messages);
    EXPECT_EQ(messages.shown, 1);
}
#endif

}  // namespace
}  // namespace morvint::test
