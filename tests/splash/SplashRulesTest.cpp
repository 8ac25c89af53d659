// Placement of the splash window and the native library's location.
#include <gtest/gtest.h>

#include <climits>

#include "splash/SplashRules.h"

namespace {

void expectRect(const SplashRect& rect, int left, int top, int right, int bottom) {
    EXPECT_EQ(left, rect.left);
    EXPECT_EQ(top, rect.top);
    EXPECT_EQ(right, rect.right);
    EXPECT_EQ(bottom, rect.bottom);
}

TEST(SplashPlacement, CentresOnTheScreenAndOverhangsBothSides) {
    expectRect(splashWindowRect(400, 300, 1920, 1080), 760, 390, 1160, 690);
    // Odd leftovers round toward zero: the extra pixel goes right and down.
    expectRect(splashWindowRect(401, 301, 1024, 768), 311, 233, 712, 534);
    expectRect(splashWindowRect(0, 0, 1024, 768), 512, 384, 512, 384);
    // Larger than the screen: negative origin, and a one-pixel overhang stays at 0.
    expectRect(splashWindowRect(1100, 900, 1024, 768), -38, -66, 1062, 834);
    expectRect(splashWindowRect(1025, 769, 1024, 768), 0, 0, 1025, 769);
    expectRect(splashWindowRect(INT_MAX, 1, 0, 1), -(INT_MAX / 2), 0, INT_MAX / 2 + 1, 1);
}

TEST(NativeSplashPath, DropsTwoComponentsAndNamesTheLibrary) {
    EXPECT_EQ(L"C:\\Java\\jre8\\bin\\splashscreen.dll", nativeSplashLibraryPath(L"C:\\Java\\jre8\\bin\\client\\jvm.dll"));
    // A folder that already ends in a separator gets no second one.
    EXPECT_EQ(L"D:/jre/bin/splashscreen.dll", nativeSplashLibraryPath(L"D:/jre/bin/\\client\\jvm.dll"));
    // Fewer than two backslashes: each missing cut leaves the text as it is.
    EXPECT_EQ(L"C:\\splashscreen.dll", nativeSplashLibraryPath(L"C:\\jvm.dll"));
    EXPECT_EQ(L"jvm.dll\\splashscreen.dll", nativeSplashLibraryPath(L"jvm.dll"));
    EXPECT_EQ(L"", nativeSplashLibraryPath(L""));
}

}  // namespace
