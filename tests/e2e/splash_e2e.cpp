// The splash as a user sees it: started by the launcher before Java, shown
// while main runs, chosen between the runtime's library and its own window.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/LauncherProcess.h"
#include "support/Polling.h"
#include "support/Robot.h"
#include "support/Sandbox.h"
#include "support/TextFiles.h"

namespace {

const wchar_t kSplashClass[] = L"SplashScreenWindow";
const std::string kWaitingMain = "main wait-file go.txt\nmain return\n";

// One application in its own folder: the double's runtime (a relative path
// is inside the folder), an app.Main of the given actions and the test's
// [Display] lines (plus any later sections).
class SplashApp {
public:
    explicit SplashApp(const std::string& display, const std::string& mainActions = kWaitingMain,
                       const std::wstring& jrePath = runtimeFixture(L"full"), const std::string& vmParameters = "",
                       const std::wstring& image = L"quadrants-400x300.png") {
        sandbox_.copyFile(fromUtf8(SOURCE_DIR) + L"\\tests\\splash\\data\\" + image, L"splash.png");
        sandbox_.writeFile(L"app.classes", "class app.Main\n" + mainActions);
        const bool relative = jrePath.find(L':') == std::wstring::npos;
        sandbox_.writeIni("[Java Runtime Environment]\nJRE Path=" + ansi(relative ? sandbox_.path(jrePath) : jrePath) +
                          "\nMain Class=app.Main\nVirtual Machine Parameters=" + vmParameters +
                          "\n[Class Path]\nClass Path=" + ansi(sandbox_.path(L"app.classes")) + "\n[Display]\n" +
                          display);
    }

    const Sandbox& sandbox() const { return sandbox_; }

    LaunchOptions options(const std::wstring& arguments = L"") const {
        LaunchOptions launch;
        launch.arguments = arguments;
        launch.environment[L"JVMDOUBLE_LOG"] = sandbox_.path(L"calls.log");
        return launch;
    }

    // The double's calls that start with `prefix`, without the thread details it appends.
    std::vector<std::string> calls(const std::string& prefix = "") const {
        std::vector<std::string> lines;
        for (const std::string& line : readLines(sandbox_.path(L"calls.log"))) {
            if (line.rfind(prefix, 0) == 0) lines.push_back(line.substr(0, line.find(" @thread=")));
        }
        return lines;
    }

    bool waitForMain() const {
        return waitUntil([this] {
            for (const std::string& line : calls()) {
                if (line.find(" app/Main.main(") != std::string::npos) return true;
            }
            return false;
        });
    }

    void releaseMain() const { sandbox_.writeFile(L"go.txt", "go"); }

private:
    Sandbox sandbox_;
};

const char kImage[] = "Splash Screen=splash.png\n";  // relative to the launcher's folder

bool closeEnough(COLORREF actual, COLORREF expected) {
    return std::abs(GetRValue(actual) - GetRValue(expected)) <= 12 &&
           std::abs(GetGValue(actual) - GetGValue(expected)) <= 12 &&
           std::abs(GetBValue(actual) - GetBValue(expected)) <= 12;
}

// The quadrant colours of the test images, and where the 400 x 300 one shows them.
const COLORREF kQuadrantColours[] = {RGB(220, 30, 30), RGB(30, 180, 60), RGB(40, 60, 230), RGB(240, 220, 40)};
const POINT kQuadrantCentres[] = {{412, 309}, {612, 309}, {412, 459}, {612, 459}};

bool quadrantShows(int quadrant) {
    return closeEnough(screenPixel(kQuadrantCentres[quadrant].x, kQuadrantCentres[quadrant].y),
                       kQuadrantColours[quadrant]);
}

void expectQuadrantsOnScreen(const std::string& what) {
    waitUntil([] { return quadrantShows(0) && quadrantShows(1) && quadrantShows(2) && quadrantShows(3); }, 5000);
    for (int quadrant = 0; quadrant < 4; ++quadrant) {
        const COLORREF pixel = screenPixel(kQuadrantCentres[quadrant].x, kQuadrantCentres[quadrant].y);
        EXPECT_TRUE(closeEnough(pixel, kQuadrantColours[quadrant]))
            << what << " quadrant " << quadrant << " 0x" << std::hex << pixel;
    }
}

TEST(OwnSplashWindow, ShowsTheImageCentredWhileMainRuns) {
    SplashApp app(kImage);
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
    EXPECT_EQ(static_cast<LONG>(WS_POPUP | WS_VISIBLE), GetWindowLongW(splash, GWL_STYLE) & ~WS_CLIPSIBLINGS);
    EXPECT_EQ(WS_EX_TOOLWINDOW, GetWindowLongW(splash, GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST));
    expectQuadrantsOnScreen("png");
    EXPECT_FALSE(saveScreenshot(L"splash-own-window").empty());

    app.releaseMain();
    ASSERT_TRUE(process.wait(15000));
    EXPECT_EQ(0u, process.exitCode());
}

// Shows `image` as the splash while main waits, and hands its window's rectangle to `check`.
template <typename Check>
void showSplashImage(const std::wstring& image, Check check) {
    SCOPED_TRACE(toUtf8(image));
    SplashApp app(kImage, kWaitingMain, runtimeFixture(L"full"), "", image);
    LauncherProcess process(app.sandbox().exePath(), app.options());
    HWND splash = waitForWindow(process.processId(), kSplashClass);
    ASSERT_NE(nullptr, splash);
    ASSERT_TRUE(app.waitForMain());
    check(windowRect(splash));
    app.releaseMain();
    ASSERT_TRUE(process.wait(15000));
}

TEST(OwnSplashWindow, JpegShowsLikePngAndAnImageLargerThanTheScreenStaysCentred) {
    showSplashImage(L"quadrants-400x300.jpg", [](const RECT& rect) {
        EXPECT_EQ(312, rect.left);
        EXPECT_EQ(534, rect.bottom);
        expectQuadrantsOnScreen("jpeg");
    });
    // 1200 x 900 on a 1024 x 768 screen: centred, so partly off screen.
    showSplashImage(L"quadrants-1200x900.png", [](const RECT& rect) {
        EXPECT_EQ(-88, rect.left);
        EXPECT_EQ(-66, rect.top);
        EXPECT_EQ(1112, rect.right);
        EXPECT_EQ(834, rect.bottom);
        EXPECT_TRUE(waitUntil(
            [] {
                return closeEnough(screenPixel(100, 100), kQuadrantColours[0]) &&
                       closeEnough(screenPixel(900, 700), kQuadrantColours[3]);
            },
            5000))
            << std::hex << screenPixel(100, 100) << " " << screenPixel(900, 700);
        EXPECT_FALSE(saveScreenshot(L"splash-larger-than-screen").empty());
    });
}

TEST(OwnSplashWindow, NoSplashSwitchAnywhereSuppressesItButNotItsOtherSpelling) {
    for (const wchar_t* arguments : {L"-nosplash", L"first -nosplash last", L"/nosplash x", L"-NoSplash"}) {
        SplashApp app(kImage);
        LauncherProcess process(app.sandbox().exePath(), app.options(arguments));
        ASSERT_TRUE(app.waitForMain()) << arguments;
        // The splash is up before Java starts, so by main it would be there.
        const bool suppressed = std::wstring(arguments) != L"-NoSplash";
        EXPECT_EQ(suppressed, findWindows(process.processId(), kSplashClass).empty()) << arguments;
        app.releaseMain();
        ASSERT_TRUE(process.wait(15000));
        EXPECT_EQ(0u, process.exitCode());
    }
}

TEST(OwnSplashWindow, EmptyOrUnreadableImageShowsNothingAndSaysNothing) {
    for (const char* display : {"Splash Screen=\n", "Splash Screen=missing.png\n", "Splash Screen=app.classes\n"}) {
        SplashApp app(display);
        LauncherProcess process(app.sandbox().exePath(), app.options());
        ASSERT_TRUE(app.waitForMain()) << display;
        for (HWND window : findWindows(process.processId(), kSplashClass)) {
            const RECT rect = windowRect(window);
            EXPECT_TRUE(IsRectEmpty(&rect)) << display;
        }
        EXPECT_TRUE(findWindows(process.processId(), L"#32770").empty()) << display;
        app.releaseMain();
        ASSERT_TRUE(process.wait(15000));
        EXPECT_EQ(0u, process.exitCode());
    }
}

TEST(OwnSplashWindow, IsGoneBeforeTheExceptionDialogShows) {
    SplashApp app(std::string(kImage) + "[Application]\nFailure Check=Yes\n",
                  "main wait-file go.txt\nmain throw java.lang.IllegalStateException: boom\n");
    LauncherProcess process(app.sandbox().exePath(), app.options());
    HWND splash = waitForWindow(process.processId(), kSplashClass);
    ASSERT_NE(nullptr, splash);
    app.releaseMain();
    HWND dialog = waitForWindow(process.processId(), L"#32770", 15000);
    ASSERT_NE(nullptr, dialog);
    EXPECT_FALSE(IsWindow(splash));
    EXPECT_EQ(nullptr, ownerOf(dialog));
}

TEST(OwnSplashWindow, OwnsTheErrorBoxesShownWhileItExists) {
    for (const wchar_t* arguments : {L"", L"-nosplash"}) {
        SplashApp app(kImage, "main return\n", runtimeFixture(L"full"), "-bogus");
        LauncherProcess process(app.sandbox().exePath(), app.options(arguments));
        HWND box = waitForWindow(process.processId(), L"#32770");
        ASSERT_NE(nullptr, box) << arguments;
        const std::vector<HWND> splashes = findWindows(process.processId(), kSplashClass);
        EXPECT_EQ(splashes.empty() ? nullptr : splashes[0], ownerOf(box)) << arguments;
        EXPECT_EQ(*arguments == L'\0', !splashes.empty()) << arguments;
        if (!splashes.empty()) {
            EXPECT_FALSE(saveScreenshot(L"splash-owned-error").empty());
        }
        clickButton(box, IDOK);
        ASSERT_TRUE(process.wait(15000));
        EXPECT_EQ(0xFFFFFFFFu, process.exitCode());
    }
}

// Not ASCII, so the log shows which code page the library was given.
const std::wstring kNativeImage = L"C:\\Bilder\\V\u00e4lkommen.png";
const std::string kNative = "Splash Screen=" + ansi(kNativeImage) + "\nPreffer Native Splash Screen=yes\n";

std::string hex(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) out += "0123456789abcdef"[c >> 4], out += "0123456789abcdef"[c & 15];
    return out;
}

TEST(NativeSplash, RuntimeLibraryGetsTheImageInOrderAndIsClosedAfterTheVm) {
    SplashApp app(kNative);
    LauncherProcess process(app.sandbox().exePath(), app.options());
    ASSERT_TRUE(app.waitForMain());
    EXPECT_TRUE(findWindows(process.processId(), kSplashClass).empty());
    app.releaseMain();
    ASSERT_TRUE(process.wait(15000));
    EXPECT_EQ(0u, process.exitCode());

    const std::string path = hex(ansi(kNativeImage));
    ASSERT_NE(std::string::npos, path.find("56e46c6b")) << "a-umlaut as one ANSI byte: " << path;
    const std::vector<std::string> expected = {"SplashInit", "SplashLoadFile " + path,
                                               "SplashSetFileJarName " + path + " (empty)", "SplashClose"};
    EXPECT_EQ(expected, app.calls("Splash"));
    EXPECT_EQ("SplashClose", app.calls().back());
}

TEST(NativeSplash, ClosedWhenTheJavaThreadFails) {
    SplashApp app(kNative, "main return\n", runtimeFixture(L"full"), "-bogus");
    LauncherProcess process(app.sandbox().exePath(), app.options());
    HWND box = waitForWindow(process.processId(), L"#32770");
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(nullptr, ownerOf(box));
    clickButton(box, IDOK);
    ASSERT_TRUE(process.wait(15000));
    EXPECT_EQ(0xFFFFFFFFu, process.exitCode());
    EXPECT_EQ("SplashClose", app.calls("Splash").back());
}

TEST(NativeSplash, IncompleteOrMissingLibraryFallsBackToTheOwnWindowSilently) {
    const std::string display = std::string(kImage) + "Preffer Native Splash Screen=YES\n";
    SplashApp incomplete(display, kWaitingMain, runtimeFixture(L"splash-no-set-file-jar-name"));
    SplashApp missing(display, kWaitingMain, L"jre\\");
    missing.sandbox().copyTree(runtimeFixture(L"full"), L"jre");
    DeleteFileW(missing.sandbox().path(L"jre\\bin\\splashscreen.dll").c_str());
    for (const SplashApp* app : {&incomplete, &missing}) {
        LauncherProcess process(app->sandbox().exePath(), app->options());
        EXPECT_NE(nullptr, waitForWindow(process.processId(), kSplashClass));
        EXPECT_TRUE(findWindows(process.processId(), L"#32770").empty());
        app->releaseMain();
        ASSERT_TRUE(process.wait(15000));
        EXPECT_EQ(0u, process.exitCode());
        EXPECT_TRUE(app->calls("Splash").empty());
    }
}

}  // namespace
