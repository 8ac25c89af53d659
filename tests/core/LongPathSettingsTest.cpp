// A settings file whose path is longer than MAX_PATH, as beside an
// executable in a deep folder: the profile functions, which take no such
// path, reach it through the short form of its folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Settings.h"
#include "core/win/FileSystem.h"

namespace {

const wchar_t kExtended[] = L"\\\\?\\";

class LongPathSettings : public testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        std::wstring folder = std::wstring(temp) + L"long-settings-" + std::to_wstring(GetCurrentProcessId());
        for (wchar_t letter : std::wstring(L"abcde")) {
            folders_.push_back(folder);
            folder += L"\\" + std::wstring(60, letter);
        }
        folders_.push_back(folder);
        for (const std::wstring& each : folders_) CreateDirectoryW((kExtended + each).c_str(), nullptr);
        file_ = folder + L"\\app.ini";
    }
    void TearDown() override {
        DeleteFileW((kExtended + file_).c_str());
        for (auto it = folders_.rbegin(); it != folders_.rend(); ++it) RemoveDirectoryW((kExtended + *it).c_str());
    }

    std::vector<std::wstring> folders_;
    std::wstring file_;
};

TEST_F(LongPathSettings, AFileBeyondMaxPathIsWrittenAndReadInPlace) {
    ASSERT_GT(file_.size(), static_cast<size_t>(MAX_PATH));
    // Not there yet: only the folder can be shortened.
    EXPECT_TRUE(writeSettingString(file_, L"Java Runtime Environment", L"Main Class", L"com.example.App"));
    EXPECT_NE(GetFileAttributesW((kExtended + file_).c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(SettingsLookup(file_).getString(L"Java Runtime Environment", L"Main Class"), L"com.example.App");
}

TEST_F(LongPathSettings, OnlyPathsThatNeedItAreShortened) {
    const std::wstring fitting = withinMaxPath(file_);
    EXPECT_LT(fitting.size(), static_cast<size_t>(MAX_PATH));
    EXPECT_EQ(fitting.substr(fitting.rfind(L'\\')), L"\\app.ini");
    EXPECT_EQ(withinMaxPath(kExtended + file_), fitting);

    const std::wstring shortPath = folders_.front() + L"\\app.ini";
    EXPECT_EQ(withinMaxPath(shortPath), shortPath);
    const std::wstring noFolder = folders_.back() + L"\\absent\\app.ini";
    EXPECT_EQ(withinMaxPath(noFolder), noFolder);
}

}  // namespace
