// The launcher's own splash window on its thread: class style, empty
// windows for unusable images, and a clean end however the window goes.
#include <gtest/gtest.h>

#include "core/SettingsRules.h"
#include "splash/SplashScreen.h"
#include "splash/SplashScreenWindow.h"
#include "support/TimeScale.h"

namespace {

std::wstring sourceFile(const wchar_t* relative) { return std::wstring(L"" SOURCE_DIR L"/") + relative; }

class SplashWindowTest : public testing::Test {
protected:
    void TearDown() override {
        splash.closeWindow();
        // The class is registered once per process; each test picks its own style.
        UnregisterClassW(SplashScreenWindow::className, GetModuleHandleW(nullptr));
    }

    // The window is already shown when the start returns: it has to own any
    // error box that loading the JVM raises right after.
    HWND showSplash(const std::wstring& image, const std::wstring& shadow = L"") {
        // The settings reader takes only "true" as asking for a shadow.
        if (!splash.startWindow(image, isTrueExactly(shadow))) return nullptr;
        HWND window = published.load();
        return window && IsWindowVisible(window) ? window : nullptr;
    }

    const std::wstring image = sourceFile(L"tests/splash/data/quadrants-400x300.png");
    std::atomic<HWND> published{nullptr};
    SplashScreen splash{published};
};

TEST_F(SplashWindowTest, DropShadowOnlyForLowerCaseTrue) {
    for (const wchar_t* shadow : {L"true", L"True", L"TRUE", L"yes", L""}) {
        HWND window = showSplash(image, shadow);
        ASSERT_NE(nullptr, window) << shadow;
        const bool exact = std::wstring(shadow) == L"true";
        EXPECT_EQ(exact ? 0x20808u : 0x0808u, GetClassLongW(window, GCL_STYLE)) << shadow;
        splash.closeWindow();
        ASSERT_TRUE(UnregisterClassW(SplashScreenWindow::className, GetModuleHandleW(nullptr)));
    }
}

TEST_F(SplashWindowTest, MissingOrUndecodableImageGivesAnEmptyWindow) {
    for (const std::wstring& path : {sourceFile(L"no-such-file.png"), sourceFile(L"tests/splash/SplashWindowTest.cpp"),
                                     sourceFile(L"tests")}) {
        HWND window = showSplash(path);
        ASSERT_NE(nullptr, window) << path;
        RECT rect;
        GetWindowRect(window, &rect);
        EXPECT_TRUE(IsRectEmpty(&rect)) << path;
        EXPECT_EQ(nullptr, splash.window()->splashBitmap());
        splash.closeWindow();
    }
}

TEST_F(SplashWindowTest, ClosingEndsTheThreadAndForgetsTheWindow) {
    HWND window = showSplash(image);
    ASSERT_NE(nullptr, window);
    HANDLE thread = nullptr;
    DuplicateHandle(GetCurrentProcess(), splash.thread(), GetCurrentProcess(), &thread, SYNCHRONIZE, FALSE, 0);
    splash.closeWindow();
    EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), WaitForSingleObject(thread, 0));
    CloseHandle(thread);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(nullptr, splash.window());
    EXPECT_EQ(nullptr, published.load());
    splash.closeWindow();  // nothing left to close
}

TEST_F(SplashWindowTest, WindowClosedFromOutsideIsNoLongerOfferedAsOwner) {
    HWND window = showSplash(image);
    ASSERT_NE(nullptr, window);
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(nullptr, published.load());
    // The thread keeps waiting for its WM_QUIT.
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(splash.thread(), scaled(50)));
    splash.closeWindow();
    EXPECT_EQ(nullptr, splash.thread());
}

}  // namespace
