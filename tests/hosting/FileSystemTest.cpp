#include <gtest/gtest.h>

#include <windows.h>

#include "hosting/OutputRedirection.h"

namespace {

// A fresh folder under %TEMP%, removed with everything in it.
class TempFolder {
public:
    TempFolder() {
        wchar_t base[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        path_ = std::wstring(base) + L"hosting-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(counter_++);
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~TempFolder() { remove(path_); }
    const std::wstring& path() const { return path_; }
    void touch(const std::wstring& relative) const {
        HANDLE file = CreateFileW((path_ + L"\\" + relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                                  nullptr);
        CloseHandle(file);
    }

private:
    static void remove(const std::wstring& folder) {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                std::wstring name = found.cFileName;
                if (name == L"." || name == L"..") continue;
                std::wstring child = folder + L"\\" + name;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    remove(child);
                } else {
                    DeleteFileW(child.c_str());
                }
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(folder.c_str());
    }
    static inline int counter_ = 0;
    std::wstring path_;
};

bool isFolder(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(ParentFolders, CreatesMissingFoldersAndUndoesOnlyItsOwnOnFailure) {
    TempFolder temp;
    ensureParentFolders(temp.path() + L"\\a\\b\\out.log");
    EXPECT_TRUE(isFolder(temp.path() + L"\\a\\b"));

    // "bad<name" cannot be created: the folder made on the way is removed
    // again, the empty one that was there before stays.
    CreateDirectoryW((temp.path() + L"\\empty").c_str(), nullptr);
    ensureParentFolders(temp.path() + L"\\empty\\new\\bad<name\\deeper\\out.log");
    EXPECT_TRUE(isFolder(temp.path() + L"\\empty"));
    EXPECT_FALSE(isFolder(temp.path() + L"\\empty\\new"));
}

TEST(Timestamp, PicturesFormatTimeThenDateAndKeepTheRestOfTheName) {
    SYSTEMTIME time{};
    time.wYear = 2026;
    time.wMonth = 3;
    time.wDay = 7;
    time.wHour = 14;
    time.wMinute = 5;
    time.wSecond = 9;
    time.wMilliseconds = 512;
    EXPECT_EQ(expandTimestamp(L"C:\\logs\\app_%yyyy-MM-dd_HH.mm.ss%.log", time),
              L"C:\\logs\\app_2026-03-07_14.05.09.log");
    EXPECT_EQ(expandTimestamp(L"out%HHmmssL%.txt", time), L"out140509512.txt");
    time.wMilliseconds = 7;
    EXPECT_EQ(expandTimestamp(L"out%HHmmssL%.txt", time), L"out1405097.txt");
    EXPECT_EQ(expandTimestamp(L"100%.log", time), L"100.log");
    EXPECT_EQ(expandTimestamp(L"plain.log", time), L"plain.log");
    // A result past MAX_PATH. (Wine 8's formatting overruns its own buffer for
    // a picture of about 270 characters in 32-bit code, 290 in 64-bit code.)
    const std::wstring filler(258, L'_');
    EXPECT_EQ(expandTimestamp(L"out%yyyy" + filler + L"HH%.txt", time), L"out2026" + filler + L"14.txt");
}

}  // namespace
