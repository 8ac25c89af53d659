#include <windows.h>

#include <gtest/gtest.h>

#include "core/Settings.h"
#include "core/SettingsRules.h"

namespace {

using namespace std::string_literals;

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
        // Wine's profile functions keep a file they parsed while its time stays, and a quick rewrite may keep it.
        const FILETIME time = {++writes_, 0x01DA0000};
        SetFileTime(file, nullptr, nullptr, &time);
        CloseHandle(file);
    }

    std::wstring folder_;
    std::wstring path_;
    DWORD writes_ = 0;
};

// Any value fits: Wine's copy cuts the last character of a quoted value
// that fills the buffer exactly, where Windows copies it whole.
std::wstring profileString(const std::wstring& path, const std::wstring& section, const wchar_t* key) {
    static wchar_t buffer[1 << 17];
    return std::wstring(buffer, GetPrivateProfileStringW(section.c_str(), key, L"", buffer, 1 << 17, path.c_str()));
}

// The text as ANSI (form 0), UTF-16LE (1) or UTF-16BE (2) with its byte-order mark.
std::string stored(const std::wstring& text, int form) {
    std::string bytes = form == 0 ? "" : form == 1 ? "\xFF\xFE" : "\xFE\xFF";
    for (wchar_t c : text) {
        if (form == 2) bytes += static_cast<char>(c >> 8);
        bytes += static_cast<char>(c);
        if (form == 1) bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

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

TEST_F(SettingsFileTest, ForeignEncodingsAreDecodedAsWindowsDoes) {
    static const char utf16[] = "\xFF\xFE[\0A\0]\0\r\0\n\0k\0=\0\xE5\0\xE4\0\xF6\0\r\0\n\0";
    write(std::string(utf16, sizeof(utf16) - 1));
    EXPECT_EQ(IniFile(path_).getString(L"A", L"k"), L"\u00e5\u00e4\u00f6");

    // Windows reads a UTF-8 byte-order mark as three ANSI characters of the first line; Wine decodes UTF-8.
    write("\xEF\xBB\xBF[A]\nk=v\n");
    EXPECT_EQ(IniFile(path_).getString(L"A", L"k"), L"");
}

// Each file replaces the one before, as one edited between two starts, and
// answers every pair of a few names as the profile functions do.
TEST_F(SettingsFileTest, AnswersAsTheProfileFunctions) {
    const std::wstring texts[] = {
        L"[a]\nk=1\n[A]\nk=2\nK=3\nj=4\n[b]\nk\nk=5\nb=\nb=6\n",
        L"[a]\nk=\nj=1\n[A+]\nk=x\nj=y\nb= z\n",
        L"[ a ]\n k = \" 1 \" \nj='2'\nb=\"3'\nK=\"\n[b]\nk=''\nj=\"\"\"\n",
        L"[a]\n;k=1\nk=2 ;3\n;[b]\nb=4\n[b] ;c\nk=5\n",
        L"[a]\rk=1\r\n\tb\v=\f2\x1a\r[b\nj=3\n[a]b]\nk=4\n[\nK=5\n",
        L"[a]\nk=1\0 2\nj\0b=3\n[b\0c]\nk=\"4\0\"\n"s,
        L"\uFEFF[a]\nk=\xE5\x93\xFF\u4E2D\n[\xC5]\nk=1\n",
        L"[a]\nk=" + std::wstring(100000, L'x') + L"\nj=\"" + std::wstring(255, L'y') + L"\"\nb=" +
            std::wstring(511, L'z'),
        L"",
    };
    std::vector<std::string> corpus;
    for (const std::wstring& text : texts) {
        for (int form = 0; form < 3; ++form) corpus.push_back(stored(text, form));
    }
    std::string garbage;
    for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919 + 13) & 0xFF);
    corpus.push_back(garbage);
    // Names and every character with a meaning, in random order.
    const char* const pieces[] = {"\n[a]", "\n[A]", "\n[a+]", "\n[b", "]", "\nk=", "\nj", "=", " ", "\t", "\"", "'",
                                  "\r", ";", "\x1a", "1"};
    uint32_t seed = 24;
    for (int file = 0; file < 60; ++file) {
        std::string text;
        for (int i = 0; i < 20; ++i) text += pieces[(seed = seed * 1103515245 + 12345) >> 16 & 15];
        corpus.push_back(text);
    }
    const wchar_t* const names[] = {L"a", L"A", L"b", L"k", L"K", L"j", L"a+", L"ab"};
    for (size_t file = 0; file < corpus.size(); ++file) {
        write(corpus[file]);
        const SettingsLookup lookup(path_);
        for (const wchar_t* section : names) {
            for (const wchar_t* key : names) {
                std::wstring expected = profileString(path_, section, key);
                if (expected.empty()) expected = plusSectionValue(profileString(path_, section + L"+"s, key));
                EXPECT_EQ(lookup.getString(section, key), expected) << file << " [" << section << "] " << key;
            }
        }
    }
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
