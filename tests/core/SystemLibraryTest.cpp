#include "core/win/SystemLibrary.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring modulePathOf(HMODULE module) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(module, path, MAX_PATH);
    return path;
}

std::wstring systemFolder() {
    wchar_t folder[MAX_PATH] = {};
    GetSystemDirectoryW(folder, MAX_PATH);
    return folder;
}

std::wstring windowsPath(std::wstring path) {
    for (wchar_t& c : path) {
        if (c == L'/') c = L'\\';
    }
    return path;
}

// A working folder holding a library the system does not have, for each test.
class SystemLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"system-library-test";
        CreateDirectoryW(folder_.c_str(), nullptr);
        std::wstring planted = windowsPath(BUILD_DIR L"/planted/jvmdependency.dll");
        ASSERT_TRUE(CopyFileW(planted.c_str(), (folder_ + L"\\jvmdependency.dll").c_str(), FALSE));
        GetCurrentDirectoryW(MAX_PATH, previous_);
        SetCurrentDirectoryW(folder_.c_str());
    }

    void TearDown() override {
        SetCurrentDirectoryW(previous_);
        DeleteFileW((folder_ + L"\\jvmdependency.dll").c_str());
        RemoveDirectoryW(folder_.c_str());
    }

    std::wstring folder_;
    wchar_t previous_[MAX_PATH] = {};
};

TEST_F(SystemLibrary, BothWaysIgnoreALibraryInTheWorkingFolder) {
    HMODULE control = LoadLibraryW(L"jvmdependency.dll");
    ASSERT_NE(nullptr, control) << "a bare name finds the working folder's library";
    FreeLibrary(control);

    for (bool searchFlags : {true, false}) {
        SCOPED_TRACE(searchFlags ? "search flags" : "full path");
        EXPECT_EQ(nullptr, loadSystemLibrary(L"jvmdependency.dll", searchFlags));
        HMODULE gdiPlus = loadSystemLibrary(L"gdiplus.dll", searchFlags);
        ASSERT_NE(nullptr, gdiPlus);
        EXPECT_EQ(0, _wcsnicmp(modulePathOf(gdiPlus).c_str(), systemFolder().c_str(), systemFolder().size()));
        FreeLibrary(gdiPlus);
    }
}

}  // namespace
