// The version record and icon that ui/windows/morvint.rc gives a program,
// read back from this test's own executable.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<char> ownVersionInfo() {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(self, &ignored);
    std::vector<char> data(size);
    if (size == 0 || !GetFileVersionInfoA(self, 0, size, data.data())) {
        data.clear();
    }
    return data;
}

std::string stringValue(std::vector<char>& info, const std::string& name) {
    void* value = nullptr;
    UINT length = 0;
    const std::string query = "\\StringFileInfo\\040904B0\\" + name;
    if (!VerQueryValueA(info.data(), query.c_str(), &value, &length) || length == 0) {
        return "<missing>";
    }
    return std::string(static_cast<const char*>(value));
}

// Each text of the version record.
TEST(VersionRecord, HoldsTheProgramsNamesAndVersion) {
    auto info = ownVersionInfo();
    ASSERT_FALSE(info.empty());
    const struct {
        const char* name;
        const char* text;
    } rows[] = {{"ProductName", "Morvint"},
                {"InternalName", "Morvint"},
                {"OriginalFilename", "Morvint.exe"},
                {"FileVersion", "1.00"},
                {"ProductVersion", "1.00"}};
    for (const auto& row : rows) {
        EXPECT_EQ(stringValue(info, row.name), row.text) << row.name;
    }
}

// The numeric versions are 1.0.0.0.
TEST(VersionRecord, NumericVersionIsOneZeroZero) {
    auto info = ownVersionInfo();
    ASSERT_FALSE(info.empty());
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", &value, &length));
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
}

// One icon image: 32 by 32 pixels in 16 colours.
TEST(Icon, Is32By32In16Colours) {
    const HMODULE self = GetModuleHandleA(nullptr);
    HRSRC group = FindResourceA(self, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    ASSERT_NE(group, nullptr);
    const auto* dir = static_cast<const unsigned char*>(LockResource(LoadResource(self, group)));
    ASSERT_NE(dir, nullptr);
    // GRPICONDIR: reserved, type 1, count; then one 14-byte entry per image.
    const auto word = [](const unsigned char* p) { return p[0] | (p[1] << 8); };
    EXPECT_EQ(word(dir + 2), 1);
    ASSERT_EQ(word(dir + 4), 1);
    const unsigned char* entry = dir + 6;
    EXPECT_EQ(entry[0], 32);
    EXPECT_EQ(entry[1], 32);
    EXPECT_EQ(entry[2], 16);
    EXPECT_EQ(word(entry + 6), 4);
    const int id = word(entry + 12);

    HRSRC image = FindResourceA(self, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(3));  // RT_ICON
    ASSERT_NE(image, nullptr);
    const auto* header =
        static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(self, image)));
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->biWidth, 32);
    EXPECT_EQ(header->biHeight, 64);  // image and mask
    EXPECT_EQ(header->biBitCount, 4);
    const auto* palette = reinterpret_cast<const RGBQUAD*>(header + 1);
    // The ground colour first: dark cyan.
    EXPECT_EQ(palette[0].rgbRed, 0x00);
    EXPECT_EQ(palette[0].rgbGreen, 0x80);
    EXPECT_EQ(palette[0].rgbBlue, 0x80);
}

}  // namespace
