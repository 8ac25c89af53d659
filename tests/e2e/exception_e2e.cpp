// An exception escaping main, as a user meets it: the dialog with the stack
// trace, and what each answer does to the process.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/LauncherProcess.h"
#include "support/Robot.h"
#include "support/Sandbox.h"
#include "support/TextFiles.h"

namespace {

const int traceEdit = 208;
const DWORD exitStop = 0xFFFFFFFFu;

const char throwWithCause[] = "main throw java.lang.IllegalStateException: boom caused by java.io.IOException: disk\n";
const wchar_t traceWithCause[] =
    L"java.lang.IllegalStateException: boom\r\n"
    L"\tat app.Main.main(Main.java)\r\n"
    L"Caused by: java.io.IOException: disk\r\n"
    L"\tat app.Main.main(Main.java)\r\n";

// One application whose main runs `mainActions` on the double's runtime.
class ThrowingApp {
public:
    ThrowingApp(const std::string& mainActions, const std::string& application, const std::string& display = "") {
        sandbox_.writeFile(L"app.classes", "class app.Main\n" + mainActions);
        sandbox_.writeIni("[Java Runtime Environment]\nJRE Path=" + ansi(runtimeFixture(L"full")) +
                          "\nMain Class=app.Main\n[Class Path]\nClass Path=" + ansi(sandbox_.path(L"app.classes")) +
                          "\n[Application]\n" + application + "[Display]\n" + display);
    }

    LaunchOptions options() const {
        LaunchOptions launch;
        launch.environment[L"JVMDOUBLE_LOG"] = sandbox_.path(L"calls.log");
        return launch;
    }
    const std::wstring& exePath() const { return sandbox_.exePath(); }
    Sandbox& sandbox() { return sandbox_; }

    bool logHas(const std::string& text) const {
        for (const std::string& line : readLines(sandbox_.path(L"calls.log"))) {
            if (line.find(text) != std::string::npos) return true;
        }
        return false;
    }

private:
    Sandbox sandbox_;
};

const char failureCheckOn[] = "Failure Check=YES\n";

HWND waitForExceptionDialog(const LauncherProcess& process) {
    HWND dialog = waitForWindow(process.processId(), L"#32770", 20000);
    if (dialog && windowText(dialog) != L"Java-undantag") return nullptr;
    return dialog;
}

TEST(UncaughtException, DialogShowsTheWholeTraceReadOnlyCopyableAndCentred) {
    ThrowingApp app(throwWithCause, failureCheckOn);
    LauncherProcess process(app.exePath(), app.options());
    HWND dialog = waitForExceptionDialog(process);
    ASSERT_NE(nullptr, dialog);

    EXPECT_EQ(controlText(dialog, traceEdit), traceWithCause);
    HWND edit = GetDlgItem(dialog, traceEdit);
    EXPECT_TRUE(GetWindowLongW(edit, GWL_STYLE) & ES_READONLY);
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, WM_COPY, 0, 0);
    EXPECT_EQ(clipboardText(), traceWithCause);

    // Shown from the Java thread, which has no window of its own to own it.
    EXPECT_EQ(nullptr, ownerOf(dialog));
    RECT area;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    RECT rect = windowRect(dialog);
    EXPECT_LE(std::abs((rect.left + rect.right) - (area.left + area.right)), 1);
    EXPECT_LE(std::abs((rect.top + rect.bottom) - (area.top + area.bottom)), 1);
    EXPECT_FALSE(saveScreenshot(L"exception-dialog").empty());

    PostMessageW(dialog, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(process.wait(15000));
    EXPECT_EQ(0u, process.exitCode());
    EXPECT_FALSE(app.logHas("exit hook"));
}

TEST(UncaughtException, IgnoreGoesOnAsIfMainHadReturned) {
    ThrowingApp app(throwWithCause, failureCheckOn);
    LauncherProcess process(app.exePath(), app.options());
    HWND dialog = waitForExceptionDialog(process);
    ASSERT_NE(nullptr, dialog);
    clickButton(dialog, IDOK);
    ASSERT_TRUE(process.wait(15000));
    EXPECT_EQ(0u, process.exitCode());
    EXPECT_FALSE(app.logHas("exit hook"));
    EXPECT_TRUE(app.logHas("DestroyJavaVM"));
}

TEST(UncaughtException, StopEscapeAndTheCloseBoxEndThroughSystemExit) {
    const std::vector<void (*)(HWND)> ways = {
        [](HWND dialog) { clickButton(dialog, IDCANCEL); },
        [](HWND dialog) { PostMessageW(dialog, WM_KEYDOWN, VK_ESCAPE, 0); },
        [](HWND dialog) { PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); },
    };
    for (size_t way = 0; way < ways.size(); ++way) {
        ThrowingApp app(throwWithCause, failureCheckOn);
        LauncherProcess process(app.exePath(), app.options());
        HWND dialog = waitForExceptionDialog(process);
        ASSERT_NE(nullptr, dialog) << way;
        ways[way](dialog);
        ASSERT_TRUE(process.wait(15000)) << way;
        EXPECT_EQ(exitStop, process.exitCode()) << way;
        EXPECT_TRUE(app.logHas("event exit hook(-1)")) << way;
    }
}

TEST(UncaughtException, ReportedOnlyWithFailureCheckOn) {
    for (const char* application : {"", "Failure Check=no\n", "Failure Check=\n"}) {
        ThrowingApp app(throwWithCause, application);
        EXPECT_EQ(0u, runToExit(app.exePath(), app.options(), 20000)) << application;
        EXPECT_FALSE(app.logHas("printStackTrace")) << application;
    }
}

TEST(UncaughtException, FailingPrintStackTraceStillShowsWhatItWrote) {
    ThrowingApp app("main throw broken-trace java.lang.IllegalStateException: boom caused by java.io.IOException: disk\n",
                    failureCheckOn);
    LauncherProcess process(app.exePath(), app.options());
    HWND dialog = waitForExceptionDialog(process);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(controlText(dialog, traceEdit), L"java.lang.IllegalStateException: boom\r\n");
    clickButton(dialog, IDCANCEL);
    ASSERT_TRUE(process.wait(15000));
    EXPECT_EQ(exitStop, process.exitCode());
    EXPECT_TRUE(app.logHas("ExceptionDescribe"));
}

TEST(UncaughtException, FailingToStringShowsNothingAndGoesOn) {
    ThrowingApp app("main throw broken-text java.lang.IllegalStateException: boom\n", failureCheckOn);
    EXPECT_EQ(0u, runToExit(app.exePath(), app.options(), 20000));
    EXPECT_TRUE(app.logHas("ExceptionDescribe"));
    EXPECT_FALSE(app.logHas("exit hook"));
}

TEST(UncaughtException, OwnSplashIsGoneBeforeTheDialogShows) {
    ThrowingApp app(throwWithCause, failureCheckOn, "Splash Screen=splash.png\n");
    std::wstring image = fromUtf8(SOURCE_DIR) + L"/tests/splash/data/quadrants-400x300.png";
    for (wchar_t& c : image) {
        if (c == L'/') c = L'\\';
    }
    app.sandbox().copyFile(image, L"splash.png");
    LauncherProcess process(app.exePath(), app.options());
    HWND dialog = waitForExceptionDialog(process);
    ASSERT_NE(nullptr, dialog);
    for (HWND splash : findWindows(process.processId(), L"SplashScreenWindow")) EXPECT_FALSE(IsWindowVisible(splash));
    clickButton(dialog, IDOK);
    ASSERT_TRUE(process.wait(15000));
    EXPECT_EQ(0u, process.exitCode());
}

}  // namespace
