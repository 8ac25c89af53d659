// The launcher's own splash window on its thread, on the 1024 x 768 test screen.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "TestImages.h"
#include "splash/SplashScreenWindow.h"
#include "splash/SplashState.h"
#include "splash/SplashThread.h"

namespace {

bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(10);
    }
    return true;
}

bool closeEnough(COLORREF actual, COLORREF expected, int tolerance = 12) {
    return std::abs(GetRValue(actual) - GetRValue(expected)) <= tolerance &&
           std::abs(GetGValue(actual) - GetGValue(expected)) <= tolerance &&
           std::abs(GetBValue(actual) - GetBValue(expected)) <= tolerance;
}

class SplashWindowTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        folder = splashTestFolder();
        ASSERT_TRUE(writeQuadrantPng(folder + L"splash-400x300.png", 400, 300));
        ASSERT_TRUE(writeQuadrantPng(folder + L"splash-1100x900.png", 1100, 900));
        ASSERT_TRUE(writeTextFile(folder + L"not-an-image.png", "plain text, no picture"));
    }

    void TearDown() override {
        closeSplashThread(splash);
        // Each test chooses its own class style; the class is registered once per process.
        UnregisterClassW(SplashScreenWindow::className, GetModuleHandleW(nullptr));
    }

    // The window is already shown when the start returns: it has to own any
    // error box that loading the JVM raises right after.
    HWND showSplash(const std::wstring& image, const std::wstring& shadow = L"") {
        splash.image = image;
        splash.shadow = shadow;
        if (!startSplashThread(splash)) return nullptr;
        HWND window = splash.windowHandle.load();
        return window && IsWindowVisible(window) ? window : nullptr;
    }

    static std::wstring folder;
    SplashState splash;
};

std::wstring SplashWindowTest::folder;

TEST_F(SplashWindowTest, ShowsTheImageCentredInABorderlessToolWindow) {
    ASSERT_EQ(1024, GetSystemMetrics(SM_CXSCREEN));
    ASSERT_EQ(768, GetSystemMetrics(SM_CYSCREEN));
    HWND window = showSplash(folder + L"splash-400x300.png");
    ASSERT_NE(nullptr, window);

    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(312, rect.left);
    EXPECT_EQ(234, rect.top);
    EXPECT_EQ(712, rect.right);
    EXPECT_EQ(534, rect.bottom);

    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    EXPECT_STREQ(L"SplashScreenWindow", name);
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_EQ(0, style & (WS_CAPTION | WS_BORDER | WS_THICKFRAME | WS_CHILD));
    const LONG exStyle = GetWindowLongW(window, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(exStyle & WS_EX_TOPMOST);
    EXPECT_EQ(nullptr, GetParent(window));
    EXPECT_EQ(0, GetWindowTextLengthW(window));
    EXPECT_EQ(0x0808u, GetClassLongW(window, GCL_STYLE));

    // What reaches the screen is the image: each quadrant's colour at its centre.
    const POINT centres[] = {{412, 309}, {612, 309}, {412, 459}, {612, 459}};
    HDC screen = GetDC(nullptr);
    bool painted = waitUntil([&] { return closeEnough(GetPixel(screen, 412, 309), quadrantColour(0)); }, 2000);
    for (int quadrant = 0; quadrant < 4; ++quadrant) {
        const COLORREF pixel = GetPixel(screen, centres[quadrant].x, centres[quadrant].y);
        EXPECT_TRUE(closeEnough(pixel, quadrantColour(quadrant)))
            << "quadrant " << quadrant << " pixel 0x" << std::hex << pixel;
    }
    ReleaseDC(nullptr, screen);
    EXPECT_TRUE(painted);

    // A repaint comes from the kept bitmap, not from decoding again.
    HBITMAP bitmap = splash.window->splashBitmap();
    ASSERT_NE(nullptr, bitmap);
    BITMAP size{};
    GetObjectW(bitmap, sizeof size, &size);
    EXPECT_EQ(400, size.bmWidth);
    EXPECT_EQ(300, size.bmHeight);
}

TEST_F(SplashWindowTest, DropShadowOnlyForLowerCaseTrue) {
    HWND window = showSplash(folder + L"splash-400x300.png", L"true");
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(0x20808u, GetClassLongW(window, GCL_STYLE));
    closeSplashThread(splash);
    ASSERT_TRUE(UnregisterClassW(SplashScreenWindow::className, GetModuleHandleW(nullptr)));

    for (const wchar_t* shadow : {L"True", L"TRUE", L"yes", L"1", L""}) {
        window = showSplash(folder + L"splash-400x300.png", shadow);
        ASSERT_NE(nullptr, window);
        EXPECT_EQ(0x0808u, GetClassLongW(window, GCL_STYLE)) << "shadow \"" << shadow << "\"";
        closeSplashThread(splash);
        UnregisterClassW(SplashScreenWindow::className, GetModuleHandleW(nullptr));
    }
}

TEST_F(SplashWindowTest, ImageLargerThanTheScreenKeepsItsNegativeOrigin) {
    HWND window = showSplash(folder + L"splash-1100x900.png");
    ASSERT_NE(nullptr, window);
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(-38, rect.left);
    EXPECT_EQ(-66, rect.top);
    EXPECT_EQ(1062, rect.right);
    EXPECT_EQ(834, rect.bottom);
}

TEST_F(SplashWindowTest, MissingOrUndecodableImageGivesAnEmptyWindow) {
    for (const std::wstring& image : {folder + L"no-such-file.png", folder + L"not-an-image.png", folder}) {
        HWND window = showSplash(image);
        ASSERT_NE(nullptr, window) << image;
        RECT rect;
        GetWindowRect(window, &rect);
        EXPECT_EQ(rect.left, rect.right);
        EXPECT_EQ(rect.top, rect.bottom);
        EXPECT_EQ(nullptr, splash.window->splashBitmap());
        closeSplashThread(splash);
    }
}

TEST_F(SplashWindowTest, ClosingEndsTheThreadAndForgetsTheWindow) {
    // Closing straight after each start.
    for (int attempt = 0; attempt < 5; ++attempt) {
        splash.image = folder + L"splash-400x300.png";
        ASSERT_TRUE(startSplashThread(splash));
        HANDLE thread = splash.thread.get();
        HANDLE watcher = nullptr;
        DuplicateHandle(GetCurrentProcess(), thread, GetCurrentProcess(), &watcher, SYNCHRONIZE, FALSE, 0);
        closeSplashThread(splash);
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(watcher, 0));
        CloseHandle(watcher);
        EXPECT_EQ(nullptr, splash.window);
        EXPECT_EQ(nullptr, splash.windowHandle.load());
    }

    HWND window = showSplash(folder + L"splash-400x300.png");
    ASSERT_NE(nullptr, window);
    closeSplashThread(splash);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(splash.thread);
    EXPECT_EQ(nullptr, splash.windowHandle.load());

    closeSplashThread(splash);  // nothing left to close
}

TEST_F(SplashWindowTest, WindowClosedFromOutsideIsNoLongerOfferedAsOwner) {
    HWND window = showSplash(folder + L"splash-400x300.png");
    ASSERT_NE(nullptr, window);
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(nullptr, splash.windowHandle.load());
    // The thread keeps waiting for its WM_QUIT.
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(splash.thread.get(), 50));
    closeSplashThread(splash);
    EXPECT_FALSE(splash.thread);
}

}  // namespace
