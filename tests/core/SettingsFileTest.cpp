#include <windows.h>

#include <gtest/gtest.h>

#include "core/Settings.h"

namespace {

class SettingsFileTest : public testing::Test {
protected:
    void SetUp() override {
        wchar_t buffer[MAX_PATH];
        GetTempPathW(MAX_PATH, buffer);
        folder_ = std::wstring(buffer) + L"settings-test-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
        CreateDirectoryW(folder_.c_str(), nullptr);
        path_ = folder_ + L"app.ini";
    }
    void TearDown() override {
        DeleteFileW(path_.c_str());
        RemoveDirectoryW(folder_.c_str());
    }
    void write(const std::string& bytes) {
        HANDLE file = CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }

    std::wstring folder_;
    std::wstring path_;
};

}  // namespace

TEST_F(SettingsFileTest, LongValuesAreReadWhole) {
    std::string value600(600, 'x');
    std::string value100k(100000, 'y');
    write("[A]\nshort=1\nlong=" + value600 + "\nhuge=" + value100k + "\n");
    IniFile file(path_);
    EXPECT_EQ(file.getString(L"A", L"short"), L"1");
    EXPECT_EQ(file.getString(L"A", L"long"), std::wstring(600, L'x'));
    EXPECT_EQ(file.getString(L"A", L"huge"), std::wstring(100000, L'y'));
    EXPECT_EQ(file.getString(L"A", L"missing"), L"");
    EXPECT_EQ(IniFile(folder_ + L"absent.ini").getString(L"A", L"short"), L"");
}

TEST_F(SettingsFileTest, PlusSectionFillsOnlyEmptyValuesWithOneLeadingSpace) {
    write("[Java Runtime Environment]\nMain Class=app.Main\nJVM Type=\n"
          "[Java Runtime Environment+]\nVirtual Machine Parameters=-Xmx512m\nMain Class=other.Main\n"
          "JVM Type= server\n");
    SettingsLookup lookup(path_);
    EXPECT_EQ(lookup.getString(L"Java Runtime Environment", L"Virtual Machine Parameters"), L" -Xmx512m");
    EXPECT_EQ(lookup.getString(L"Java Runtime Environment", L"Main Class"), L"app.Main");
    EXPECT_EQ(lookup.getString(L"Java Runtime Environment", L"JVM Type"), L" server");
    EXPECT_EQ(lookup.getString(L"Java Runtime Environment", L"Nothing"), L"");
}

TEST_F(SettingsFileTest, ForeignEncodingsAndGarbageReadWithoutHarm) {
    static const char utf16[] = "\xFF\xFE[\0A\0]\0\r\0\n\0k\0=\0\xE5\0\xE4\0\xF6\0\r\0\n\0";
    write(std::string(utf16, sizeof(utf16) - 1));
    EXPECT_EQ(IniFile(path_).getString(L"A", L"k"), L"\u00e5\u00e4\u00f6");

    write("\xEF\xBB\xBF[A]\nk=v\n");
    IniFile(path_).getString(L"A", L"k");  // only must not fail; the BOM glues onto the section name

    std::string garbage;
    for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919 + 13) & 0xFF);
    write(garbage);
    EXPECT_EQ(IniFile(path_).getString(L"Java Runtime Environment", L"Main Class"), L"");
}

TEST_F(SettingsFileTest, UserSettingsPathLivesUnderAppDataAndCreatesItsFolders) {
    SetEnvironmentVariableW(L"APPDATA", folder_.substr(0, folder_.size() - 1).c_str());
    std::wstring path = userSettingsFilePath(L"C:\\Apps\\Tool.exe", L"My: Tool", L"{1234}", true);
    EXPECT_EQ(path, folder_ + L"My Tool\\{1234}\\Tool.ini");
    EXPECT_NE(GetFileAttributesW((folder_ + L"My Tool\\{1234}").c_str()), INVALID_FILE_ATTRIBUTES);
    RemoveDirectoryW((folder_ + L"My Tool\\{1234}").c_str());
    RemoveDirectoryW((folder_ + L"My Tool").c_str());

    EXPECT_EQ(userSettingsFilePath(L"Tool.exe", L"", L"{1}", false), folder_ + L"\\{1}\\Tool.ini");

    SetEnvironmentVariableW(L"APPDATA", nullptr);
    EXPECT_EQ(userSettingsFilePath(L"Tool.exe", L"P", L"C", false), L"\\P\\C\\Tool.ini");
}
