#include <gtest/gtest.h>

#include "hosting/ExceptionText.h"

TEST(ExceptionText, EveryKindOfLineBreakBecomesCrLf) {
    EXPECT_EQ(withWindowsLineBreaks(L"a\r\nb\r\n"), L"a\r\nb\r\n");
    EXPECT_EQ(withWindowsLineBreaks(L"java.lang.Error: one\ntwo\r\n\tat A.main(A.java)\r\n"),
              L"java.lang.Error: one\r\ntwo\r\n\tat A.main(A.java)\r\n");
    EXPECT_EQ(withWindowsLineBreaks(L"old\rmac\n\nblank"), L"old\r\nmac\r\n\r\nblank");
    EXPECT_EQ(withWindowsLineBreaks(L"\r"), L"\r\n");
    EXPECT_EQ(withWindowsLineBreaks(L"\n\r"), L"\r\n\r\n");
    EXPECT_EQ(withWindowsLineBreaks(L""), L"");
}
