#include "core/LogFilePath.h"
#include "core/LogText.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

std::string format(const char* text, ...) {
    va_list arguments;
    va_start(arguments, text);
    std::string result = formatLogText(text, arguments);
    va_end(arguments);
    return result;
}

}  // namespace

TEST(LogText, NumbersAndStringsOfBothWidthsFillTheFormat) {
    EXPECT_EQ(format("%d %d %d", 0, -6, INT_MIN), "0 -6 -2147483648");
    EXPECT_EQ(format("%u ms", 4294967295u), "4294967295 ms");
    EXPECT_EQ(format("%a=%s", "key", L"value"), "key=value");
    EXPECT_EQ(format("[%s|%a]", static_cast<const wchar_t*>(nullptr), static_cast<const char*>(nullptr)), "[|]");
    EXPECT_EQ(format("%x %x", 0x80070005u, 0u), "0x80070005 0x00000000");
    // An unknown or unfinished directive stays as written and takes no argument.
    EXPECT_EQ(format("100%% %q %d%", 5), "100% q 5%");
}

// A value never breaks its line, so every line of the file stays whole.
TEST(LogText, ValuesStayOnOneLine) {
    EXPECT_EQ(format("%s", L"java.lang.Error: boom\r\n\tat Main.main"), "java.lang.Error: boom\\n\tat Main.main");
    EXPECT_EQ(format("%a", "a\nb\x01" "c"), "a\\nb?c");
    EXPECT_EQ(format("%s", L"bell\a"), "bell?");
}

TEST(LogText, WideValuesBecomeUtf8AndBrokenSurrogatesAReplacementCharacter) {
    EXPECT_EQ(format("%s", L"hej då €"), "hej d\xC3\xA5 \xE2\x82\xAC");
    const wchar_t pair[] = {0xD83D, 0xDE00, 0};  // U+1F600 as Windows holds it
    EXPECT_EQ(format("%s", pair), "\xF0\x9F\x98\x80");
    const wchar_t lone[] = {L'a', 0xDC00, L'b', 0xD800, 0};
    EXPECT_EQ(format("%s", lone), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
}

TEST(LogText, LineCarriesTimeProcessAndThreadAndEndsInCrLf) {
    EXPECT_EQ(logLine(12, 4242, 7, "text"), "12 ms [4242:7] text\r\n");
}

TEST(LogFilePath, OnlyFilesOnADriveOrAShareAreOpenedAndTheReportedPathMustMatch) {
    for (const wchar_t* path : {L"C:\\logs\\app.log", L"\\\\?\\c:\\app.log", L"\\\\server\\share\\nul_con.log",
                                L"\\\\?\\unc\\server\\share\\a\\app.log"}) {
        EXPECT_TRUE(isPlainFilePath(path)) << path;
    }
    for (const wchar_t* path :
         {L"\\\\.\\pipe\\log", L"\\\\localhost\\PIPE\\log", L"\\\\?\\UNC\\host\\mailslot\\log", L"\\\\.\\C:\\app.log",
          L"\\\\?\\GLOBALROOT\\Device\\Null", L"\\??\\C:\\app.log", L"\\\\server\\share", L"C:\\logs\\nul.txt",
          L"C:\\Con .log", L"C:\\CONOUT$", L"C:\\LPT9.log", L"C:\\com\u00B9.log", L"C:\\aux\\app.log",
          L"C:\\app.log:stream", L"C:\\logs\\", L"C:\\a\\..\\app.log", L"C:app.log", L"app.log", L"C:\\a/b.log"}) {
        EXPECT_FALSE(isPlainFilePath(path)) << path;
    }
    EXPECT_TRUE(sameFilePath(L"\\\\?\\C:\\Logs\\App.log", L"c:\\logs\\APP.LOG"));
    EXPECT_TRUE(sameFilePath(L"\\\\?\\UNC\\server\\share\\app.log", L"\\\\Server\\share\\app.log"));
    EXPECT_FALSE(sameFilePath(L"\\\\?\\C:\\Windows\\app.log", L"C:\\Users\\link\\app.log"));
    EXPECT_FALSE(sameFilePath(L"\\\\?\\UNC\\C:\\app.log", L"C:\\app.log"));
    EXPECT_FALSE(sameFilePath(L"\\\\?\\C:\\\u00C5.log", L"C:\\\u00E5.log"));  // only ASCII letters fold
}
