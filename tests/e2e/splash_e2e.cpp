// The splash as a user sees it: started by the launcher before Java, shown
// while main runs, chosen between the runtime's library and its own window.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/LauncherProcess.h"
#include "support/Robot.h"
#include "support/Sandbox.h"
#include "support/TextFiles.h"

namespace {

const wchar_t kSplashClass[] = L"SplashScreenWindow";
const COLORREF kQuadrants[] = {RGB(220, 30, 30), RGB(30, 180, 60), RGB(40, 60, 230), RGB(240, 220, 40)};

std::wstring sourceFile(const std::wstring& relative) {
    std::wstring path = fromUtf8(SOURCE_DIR) + L"\\" + relative;
    for (wchar_t& c : path) {
        if (c == L'/') c = L'\\';
    }
    return path;
}

std::string ansi(const std::wstring& text) {
    char buffer[MAX_PATH * 2] = {};
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, buffer, sizeof buffer, nullptr, nullptr);
    return buffer;
}

std::string hex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

bool waitUntil(bool (*condition)(const void*), const void* context, DWORD timeoutMs = 15000) {
    const DWORD start = GetTickCount();
    while (!condition(context)) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(20);
    }
    return true;
}

bool closeEnough(COLORREF actual, COLORREF expected) {
    return std::abs(GetRValue(actual) - GetRValue(expected)) <= 12 &&
           std::abs(GetGValue(actual) - GetGValue(expected)) <= 12 &&
           std::abs(GetBValue(actual) - GetBValue(expected)) <= 12;
}

// One application in its own folder: the double's runtime, an app whose main
// waits for go.txt, and the [Display] lines of the test.
class SplashApp {
public:
    SplashApp(const std::string& display, const std::wstring& jrePath = runtimeFixture(L"full"),
              const std::string& mainActions = "main wait-file go.txt\nmain return\n",
              const std::string& vmParameters = "") {
        sandbox_.copyFile(sourceFile(L"tests\\splash\\data\\quadrants-400x300.png"), L"splash.png");
        sandbox_.writeFile(L"app.classes", "class app.Main\n" + mainActions);
        sandbox_.writeIni("[Java Runtime Environment]\nJRE Path=" + ansi(jrePath) +
                          "\nMain Class=app.Main\nVirtual Machine Parameters=" + vmParameters +
                          "\n[Class Path]\nClass Path=" + ansi(sandbox_.path(L"app.classes")) + "\n[Display]\n" +
                          display);
    }

    Sandbox& sandbox() { return sandbox_; }
    std::wstring image() const { return sandbox_.path(L"splash.png"); }
    std::wstring log() const { return sandbox_.path(L"calls.log"); }

    LaunchOptions options(const std::wstring& arguments = L"") const {
        LaunchOptions launch;
        launch.arguments = arguments;
        launch.environment[L"JVMDOUBLE_LOG"] = log();
        return launch;
    }

    // The double's calls without the thread details it appends.
    std::vector<std::string> calls() const {
        std::vector<std::string> lines = readLines(log());
        for (std::string& line : lines) line = line.substr(0, line.find(" @thread="));
        return lines;
    }

    bool mainRunning() const {
        for (const std::string& line : calls()) {
            if (line.find("app/Main.main(") != std::string::npos) return true;
        }
        return false;
    }

    bool waitForMain() const {
        return waitUntil([](const void* app) { return static_cast<const SplashApp*>(app)->mainRunning(); }, this);
    }

    void releaseMain() const { sandbox_.writeFile(L"go.txt", "go"); }

private:
    Sandbox sandbox_;
};

std::string displayWithImage(const std::string& more = "") {
    return "Splash Screen=splash.png\n" + more;  // relative to the launcher's folder
}

TEST(OwnSplashWindow, ShowsTheImageCentredWhileMainRunsAndLeavesAtTeardown) {
    SplashApp app(displayWithImage());
    LauncherProcess process(app.sandbox().exePath(), app.options());
    HWND splash = waitForWindow(process.processId(), kSplashClass);
    ASSERT_NE(nullptr, splash);
    ASSERT_TRUE(app.waitForMain());
    EXPECT_TRUE(IsWindowVisible(splash));

    const RECT rect = windowRect(splash);
    EXPECT_EQ(312, rect.left);
    EXPECT_EQ(234, rect.top);
    EXPECT_EQ(712, rect.right);
    EXPECT_EQ(534, rect.bottom);
    const LONG style = GetWindowLongW(splash, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_EQ(0, style & (WS_CAPTION | WS_BORDER | WS_THICKFRAME));
    EXPECT_TRUE(GetWindowLongW(splash, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);

    const POINT centres[] = {{412, 309}, {612, 309}, {412, 459}, {612, 459}};
    // Painting happens in the launcher's own time.
    const DWORD start = GetTickCount();
    while (!closeEnough(screenPixel(612, 459), kQuadrants[3]) && GetTickCount() - start < 5000) Sleep(20);
    for (int quadrant = 0; quadrant < 4; ++quadrant) {
        const COLORREF pixel = screenPixel(centres[quadrant].x, centres[quadrant].y);
        EXPECT_TRUE(closeEnough(pixel, kQuadrants[quadrant])) << "quadrant " << quadrant << " 0x" << std::hex << pixel;
    }
    EXPECT_FALSE(saveScreenshot(L"splash-own-window").empty());

    app.releaseMain();
    ASSERT_TRUE(process.wait(15000));
    EXPECT_EQ(0u, process.exitCode());
    EXPECT_FALSE(IsWindow(splash));
}

TEST(OwnSplashWindow, NoSplashSwitchAnywhereSuppressesItButNotItsOtherSpelling) {
    for (const wchar_t* arguments : {L"-nosplash", L"first -nosplash last", L"/nosplash x"}) {
        SplashApp app(displayWithImage());
        LauncherProcess process(app.sandbox().exePath(), app.options(arguments));
        ASSERT_TRUE(app.waitForMain()) << arguments;
        EXPECT_TRUE(findWindows(process.processId(), kSplashClass).empty()) << arguments;
        app.releaseMain();
        ASSERT_TRUE(process.wait(15000));
        EXPECT_EQ(0u, process.exitCode());
    }

    SplashApp app(displayWithImage());
    LauncherProcess process(app.sandbox().exePath(), app.options(L"-NoSplash"));
    EXPECT_NE(nullptr, waitForWindow(process.processId(), kSplashClass));
    app.releaseMain();
    ASSERT_TRUE(process.wait(15000));
}

TEST(OwnSplashWindow, EmptyOrUnreadableImageShowsNothingAndSaysNothing) {
    for (const std::string& display : {std::string("Splash Screen=\n"), std::string("Splash Screen=missing.png\n"),
                                       std::string("Splash Screen=app.classes\n")}) {
        SplashApp app(display);
        LauncherProcess process(app.sandbox().exePath(), app.options());
        ASSERT_TRUE(app.waitForMain()) << display;
        for (HWND window : findWindows(process.processId(), kSplashClass)) {
            const RECT rect = windowRect(window);
            EXPECT_TRUE(rect.right == rect.left && rect.bottom == rect.top) << display;
        }
        EXPECT_TRUE(findWindows(process.processId(), L"#32770").empty()) << display;
        app.releaseMain();
        ASSERT_TRUE(process.wait(15000));
        EXPECT_EQ(0u, process.exitCode());
    }
}

TEST(OwnSplashWindow, IsGoneWhenMainThrows) {
    const std::string throwing = "main wait-file go.txt\nmain throw java.lang.IllegalStateException: boom\n";
    {
        SplashApp app(displayWithImage(), runtimeFixture(L"full"), throwing);
        LauncherProcess process(app.sandbox().exePath(), app.options());
        HWND splash = waitForWindow(process.processId(), kSplashClass);
        ASSERT_NE(nullptr, splash);
        app.releaseMain();
        ASSERT_TRUE(waitForWindowGone(splash, 15000));
        ASSERT_TRUE(process.wait(15000));
    }
    // With the exception dialog, the splash is gone before the dialog shows.
    SplashApp app(displayWithImage("[Application]\nFailure Check=Yes\n"), runtimeFixture(L"full"), throwing);
    LauncherProcess process(app.sandbox().exePath(), app.options());
    HWND splash = waitForWindow(process.processId(), kSplashClass);
    ASSERT_NE(nullptr, splash);
    app.releaseMain();
    HWND dialog = waitForWindow(process.processId(), L"#32770", 15000);
    ASSERT_NE(nullptr, dialog);
    EXPECT_FALSE(IsWindow(splash));
    EXPECT_EQ(nullptr, ownerOf(dialog));
    process.terminate();
}

// A failure before Java runs, shown while the splash is up, belongs to the splash.
TEST(OwnSplashWindow, OwnsTheErrorBoxesShownWhileItExists) {
    for (const wchar_t* arguments : {L"", L"-nosplash"}) {
        SplashApp app(displayWithImage(), runtimeFixture(L"full"), "main return\n", "-bogus");
        LauncherProcess process(app.sandbox().exePath(), app.options(arguments));
        HWND box = waitForWindow(process.processId(), L"#32770");
        ASSERT_NE(nullptr, box) << arguments;
        const std::vector<HWND> splashes = findWindows(process.processId(), kSplashClass);
        if (*arguments == L'\0') {
            ASSERT_EQ(1u, splashes.size());
            EXPECT_EQ(splashes[0], ownerOf(box));
            EXPECT_FALSE(saveScreenshot(L"splash-owned-error").empty());
        } else {
            EXPECT_TRUE(splashes.empty());
            EXPECT_EQ(nullptr, ownerOf(box));
        }
        clickButton(box, IDOK);
        ASSERT_TRUE(process.wait(15000));
        EXPECT_EQ(0xFFFFFFFFu, process.exitCode());
    }
}

class NativeSplash : public testing::Test {
protected:
    // Not ASCII, so the log shows which code page the library was given.
    static std::string nativeDisplay(const std::wstring& image) {
        return "Splash Screen=" + ansi(image) + "\nPreffer Native Splash Screen=yes\n";
    }
    const std::wstring image = L"C:\\Bilder\\V\u00e4lkommen.png";
};

TEST_F(NativeSplash, RuntimeLibraryGetsTheImageInOrderAndIsClosedAtTeardown) {
    SplashApp app(nativeDisplay(image));
    LauncherProcess process(app.sandbox().exePath(), app.options());
    ASSERT_TRUE(app.waitForMain());
    EXPECT_TRUE(findWindows(process.processId(), kSplashClass).empty());
    app.releaseMain();
    ASSERT_TRUE(process.wait(15000));
    EXPECT_EQ(0u, process.exitCode());

    std::vector<std::string> splashCalls;
    for (const std::string& line : app.calls()) {
        if (line.rfind("Splash", 0) == 0) splashCalls.push_back(line);
    }
    const std::string path = hex(ansi(image));
    ASSERT_NE(std::string::npos, path.find("56e46c6b")) << path;
    const std::vector<std::string> expected = {"SplashInit", "SplashLoadFile " + path,
                                               "SplashSetFileJarName " + path + " (empty)", "SplashClose"};
    EXPECT_EQ(expected, splashCalls);
    // Closed only after the VM has gone.
    const std::vector<std::string> calls = app.calls();
    EXPECT_EQ("SplashClose", calls.back());
}

TEST_F(NativeSplash, ClosedWhenTheJavaThreadFails) {
    SplashApp app(nativeDisplay(image), runtimeFixture(L"full"), "main return\n", "-bogus");
    LauncherProcess process(app.sandbox().exePath(), app.options());
    HWND box = waitForWindow(process.processId(), L"#32770");
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(nullptr, ownerOf(box));
    clickButton(box, IDOK);
    ASSERT_TRUE(process.wait(15000));
    EXPECT_EQ(0xFFFFFFFFu, process.exitCode());
    const std::vector<std::string> calls = app.calls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ("SplashClose", calls.back());
}

TEST_F(NativeSplash, IncompleteOrMissingLibraryFallsBackToTheOwnWindow) {
    {
        SplashApp app(nativeDisplay(L"splash.png"), runtimeFixture(L"splash-no-set-file-jar-name"));
        LauncherProcess process(app.sandbox().exePath(), app.options());
        EXPECT_NE(nullptr, waitForWindow(process.processId(), kSplashClass));
        app.releaseMain();
        ASSERT_TRUE(process.wait(15000));
        for (const std::string& line : app.calls()) EXPECT_NE(0u, line.rfind("Splash", 0)) << line;
    }
    {
        SplashApp app(nativeDisplay(L"splash.png"), L"");
        app.sandbox().copyTree(runtimeFixture(L"full"), L"jre");
        DeleteFileW(app.sandbox().path(L"jre\\bin\\splashscreen.dll").c_str());
        app.sandbox().writeIni("[Java Runtime Environment]\nJRE Path=" + ansi(app.sandbox().path(L"jre")) +
                               "\nMain Class=app.Main\n[Class Path]\nClass Path=" +
                               ansi(app.sandbox().path(L"app.classes")) + "\n[Display]\n" +
                               nativeDisplay(L"splash.png"));
        LauncherProcess process(app.sandbox().exePath(), app.options());
        EXPECT_NE(nullptr, waitForWindow(process.processId(), kSplashClass));
        EXPECT_TRUE(findWindows(process.processId(), L"#32770").empty());
        app.releaseMain();
        ASSERT_TRUE(process.wait(15000));
        EXPECT_EQ(0u, process.exitCode());
    }
}

}  // namespace
