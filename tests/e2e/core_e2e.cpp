// Start-up failures that end before any runtime is searched.
#include <gtest/gtest.h>

#include "support/LauncherProcess.h"
#include "support/Robot.h"
#include "support/Sandbox.h"
#include "support/TextFiles.h"

namespace {

const wchar_t kMainClassMissing[] = L"Huvudklass har inte angetts i INI-filen.";

// Expects exactly one error box with `text`, closes it and returns the exit code.
DWORD expectSingleErrorBox(LauncherProcess& process, const std::wstring& text, const wchar_t* screenshot = nullptr) {
    HWND box = waitForWindow(process.processId(), L"#32770");
    EXPECT_NE(box, nullptr);
    if (!box) return STILL_ACTIVE;
    EXPECT_EQ(controlText(box, 0xFFFF), text);
    EXPECT_EQ(windowText(box), L"Error");
    EXPECT_EQ(ownerOf(box), nullptr);
    if (screenshot) {
        EXPECT_FALSE(saveScreenshot(screenshot).empty());
    }
    clickButton(box, IDOK);
    EXPECT_TRUE(process.wait(10000));
    return process.exitCode();
}

}  // namespace

TEST(StartupFailure, MissingMainClassShowsOneBoxAndExitsMinusOne) {
    Sandbox sandbox;
    sandbox.writeIni("[Java Runtime Environment]\nJRE Path=C:\\nowhere\n");
    LauncherProcess process(sandbox.exePath());
    EXPECT_EQ(expectSingleErrorBox(process, kMainClassMissing, L"main-class-missing"), 0xFFFFFFFFu);
}

TEST(StartupFailure, MissingSettingsFileReadsAsMissingMainClass) {
    Sandbox sandbox;
    LauncherProcess process(sandbox.exePath());
    EXPECT_EQ(expectSingleErrorBox(process, kMainClassMissing), 0xFFFFFFFFu);
}

TEST(StartupFailure, BinaryGarbageSettingsFileReadsAsMissingMainClass) {
    Sandbox sandbox;
    std::string garbage;
    for (int i = 0; i < 8192; ++i) garbage += static_cast<char>((i * 2654435761u >> 13) & 0xFF);
    sandbox.writeIni(garbage);
    LauncherProcess process(sandbox.exePath());
    EXPECT_EQ(expectSingleErrorBox(process, kMainClassMissing), 0xFFFFFFFFu);
}

TEST(StartupFailure, ExecutableWithoutExtensionEndsSilently) {
    Sandbox sandbox(L"launcher-without-extension");
    LauncherProcess process(sandbox.exePath());
    ASSERT_TRUE(process.started());
    EXPECT_TRUE(process.wait(10000));
    EXPECT_EQ(process.exitCode(), 0xFFFFFFFFu);
    EXPECT_TRUE(findWindows(process.processId(), L"#32770").empty());
}

TEST(StartupFailure, HugeCommandLineAndBrokenAppDataStillReachTheSettingsCheck) {
    Sandbox sandbox;
    LaunchOptions options;
    options.arguments = std::wstring(32000, L'a');
    options.environment[L"APPDATA"] = L"Q:\\missing\\drive";
    LauncherProcess process(sandbox.exePath(), options);
    EXPECT_EQ(expectSingleErrorBox(process, kMainClassMissing), 0xFFFFFFFFu);

    LaunchOptions unset;
    unset.environment[L"APPDATA"] = L"";
    LauncherProcess second(sandbox.exePath(), unset);
    EXPECT_EQ(expectSingleErrorBox(second, kMainClassMissing), 0xFFFFFFFFu);
}

TEST(CommandLine, ReachesMainSplitAsTheLauncherTokenizesIt) {
    Sandbox sandbox;
    sandbox.copyTree(runtimeFixture(L"full"), L"jre");
    sandbox.writeFile(L"app.jar", "class App\nmain args\n");
    sandbox.writeIni("[Java Runtime Environment]\nMain Class=App\nJRE Path=" + toUtf8(sandbox.path(L"jre")) +
                     "\n[Class Path]\nClass Path=\\app.jar\n[Application]\nOutput File=" +
                     toUtf8(sandbox.path(L"out.txt")) + "\n");
    LaunchOptions options;
    options.commandLine = L"\"" + sandbox.exePath() +
                          L"\" one  \"two three\" four \"\" a\tb \"C:\\dir\\\" -NoSplash abc\"def\" x\"y z\"\t\r\n ";
    EXPECT_EQ(runToExit(sandbox.exePath(), options), 0u);
    EXPECT_EQ(readLines(sandbox.path(L"out.txt")),
              (std::vector<std::string>{"one", "two three", "four", "", "a\tb", "C:\\dir\\", "-NoSplash",
                                        "abc\"def\"", "x\"y", "z\""}));
}

// The icon's images are stored PNG-compressed to keep the image small; the
// system must still make an icon of each size from them.
TEST(ApplicationIcon, LoadsAtBothStoredSizes) {
    HMODULE image = LoadLibraryExW(launcherExePath().c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(image, nullptr);
    for (int size : {16, 32}) {
        HICON icon = static_cast<HICON>(LoadImageW(image, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bitmap = {};
        GetObjectW(info.hbmColor, sizeof(bitmap), &bitmap);
        EXPECT_EQ(bitmap.bmWidth, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
    FreeLibrary(image);
}
