// One existence check for the runtime search, the splash library and the
// per-user settings file, which alone decides "JRE Path" once it exists.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/win/FileSystem.h"

namespace {

class FileExists : public testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"file-exists-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(folder_.c_str(), nullptr);
        CreateDirectoryW(path(L"sub").c_str(), nullptr);
        CloseHandle(CreateFileW(path(L"app1.ini").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    void TearDown() override {
        DeleteFileW(path(L"app1.ini").c_str());
        RemoveDirectoryW(path(L"sub").c_str());
        RemoveDirectoryW(folder_.c_str());
    }
    std::wstring path(const std::wstring& name) const { return folder_ + L"\\" + name; }

    std::wstring folder_;
};

TEST_F(FileExists, FilesAndFoldersAreFoundByTheirExactName) {
    EXPECT_TRUE(fileExists(path(L"app1.ini")));
    EXPECT_TRUE(fileExists(path(L"APP1.INI")));
    EXPECT_TRUE(fileExists(path(L"sub")));
    EXPECT_FALSE(fileExists(path(L"app2.ini")));
    EXPECT_FALSE(fileExists(path(L"absent\\app1.ini")));
}

TEST_F(FileExists, WildcardsMatchNothingThoughAFileFitsThePattern) {
    for (const wchar_t* pattern : {L"app?.ini", L"*.ini", L"app1.in*", L"*", L"app1<", L"app1.ini\""}) {
        EXPECT_FALSE(fileExists(path(pattern))) << std::string(pattern, pattern + wcslen(pattern));
    }
}

}  // namespace
