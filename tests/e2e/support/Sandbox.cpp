#include "support/Sandbox.h"

#include <gtest/gtest.h>

#include "support/TextFiles.h"

namespace {

std::wstring windowsPath(const char* unixStylePath) {
    std::wstring path = fromUtf8(unixStylePath);
    for (wchar_t& c : path) {
        if (c == L'/') c = L'\\';
    }
    return path;
}

std::wstring temporaryRoot() {
    wchar_t buffer[MAX_PATH];
    DWORD length = GetTempPathW(MAX_PATH, buffer);
    std::wstring root = std::wstring(buffer, length) + L"launcher-e2e\\";
    CreateDirectoryW(root.c_str(), nullptr);
    return root;
}

void writeBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << toUtf8(path);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

}  // namespace

std::wstring buildPath(const std::wstring& relative) { return windowsPath(BUILD_DIR) + L"\\" + relative; }

std::wstring launcherExePath() { return buildPath(LAUNCHER_EXE_NAME); }

std::wstring pairedBuildPath(const std::wstring& relative) { return windowsPath(PAIRED_BUILD_DIR) + L"\\" + relative; }

std::wstring pairedLauncherExePath() { return pairedBuildPath(PAIRED_LAUNCHER_EXE_NAME); }

std::wstring runtimeFixture(const std::wstring& variant) { return buildPath(L"runtimes\\" + variant + L"\\"); }

bool copyTree(const std::wstring& from, const std::wstring& to) {
    CreateDirectoryW(to.c_str(), nullptr);
    std::wstring source = from.back() == L'\\' ? from : from + L"\\";
    std::wstring target = to.back() == L'\\' ? to : to + L"\\";
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((source + L"*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    do {
        std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            ok = copyTree(source + name, target + name) && ok;
        } else {
            ok = CopyFileW((source + name).c_str(), (target + name).c_str(), FALSE) && ok;
        }
    } while (FindNextFileW(find, &entry));
    FindClose(find);
    return ok;
}

void removeTree(const std::wstring& folder) {
    std::wstring base = folder.back() == L'\\' ? folder : folder + L"\\";
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((base + L"*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring path = base + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                removeTree(path);
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryW(base.c_str());
}

Sandbox::Sandbox(const std::wstring& exeName) {
    static unsigned counter = 0;
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    std::wstring label = test ? fromUtf8(test->name()) : L"sandbox";
    for (wchar_t& c : label) {
        if (!iswalnum(c)) c = L'_';
    }
    folder_ = temporaryRoot() + label + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
              std::to_wstring(++counter) + L"\\";
    removeTree(folder_);
    CreateDirectoryW(folder_.c_str(), nullptr);
    exePath_ = folder_ + exeName;
    EXPECT_TRUE(CopyFileW(launcherExePath().c_str(), exePath_.c_str(), FALSE)) << toUtf8(launcherExePath());
}

Sandbox::~Sandbox() {
    if (!testing::Test::HasFailure()) removeTree(folder_);
}

std::wstring Sandbox::iniPath() const {
    size_t dot = exePath_.rfind(L'.');
    return exePath_.substr(0, dot + 1) + L"ini";
}

void Sandbox::writeIni(const std::string& text) const { writeBytes(iniPath(), text); }

void Sandbox::writeFile(const std::wstring& relative, const std::string& bytes) const {
    writeBytes(path(relative), bytes);
}

void Sandbox::makeFolder(const std::wstring& relative) const {
    std::wstring full = path(relative);
    for (size_t i = folder_.size(); i <= full.size(); ++i) {
        if (i == full.size() || full[i] == L'\\') CreateDirectoryW(full.substr(0, i).c_str(), nullptr);
    }
}

void Sandbox::copyTree(const std::wstring& from, const std::wstring& relative) const {
    makeFolder(relative);
    EXPECT_TRUE(::copyTree(from, path(relative))) << toUtf8(from);
}

void Sandbox::copyFile(const std::wstring& from, const std::wstring& relative) const {
    EXPECT_TRUE(CopyFileW(from.c_str(), path(relative).c_str(), FALSE)) << toUtf8(from);
}
