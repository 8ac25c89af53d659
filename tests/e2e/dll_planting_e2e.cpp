// Libraries planted where a user's files lie, beside the executable or in the
// working folder, under the names of libraries the launcher or the runtime
// loads. Wine prefers such a library to its own only when WINEDLLOVERRIDES in
// the Unix environment of the whole process tree says so; the build sets it
// for this program's tests, and the first test proves it took effect.
#include <gtest/gtest.h>

#include <string>

#include "support/LauncherProcess.h"
#include "support/Polling.h"
#include "support/Robot.h"
#include "support/Sandbox.h"
#include "support/TextFiles.h"

namespace {

std::wstring plantedLibrary(const std::wstring& name) { return buildPath(L"planted\\" + name); }

// An application whose main waits for go.txt, its runtime at `runtime`, a
// splash when `display` names one, and a working folder "downloads" of its own.
class PlantedApp {
public:
    PlantedApp(const std::wstring& runtime, const std::string& display) {
        sandbox_.copyTree(runtime, L"jre");
        sandbox_.makeFolder(L"downloads");
        sandbox_.copyFile(fromUtf8(SOURCE_DIR) + L"\\tests\\splash\\data\\quadrants-400x300.png", L"splash.png");
        sandbox_.writeFile(L"app.classes", "class app.Main\nmain wait-file go.txt\nmain return\n");
        sandbox_.writeIni("[Java Runtime Environment]\nJRE Path=" + ansi(sandbox_.path(L"jre")) +
                          "\nMain Class=app.Main\n[Class Path]\nClass Path=" + ansi(sandbox_.path(L"app.classes")) +
                          "\n[Display]\n" + display);
    }

    const Sandbox& sandbox() const { return sandbox_; }

    LaunchOptions options() const {
        LaunchOptions launch;
        launch.workingFolder = sandbox_.path(L"downloads");
        launch.environment[L"JVMDOUBLE_LOG"] = sandbox_.path(L"calls.log");
        launch.environment[L"LOAD_MARK_LOG"] = sandbox_.path(L"loaded.log");
        return launch;
    }

    // Starts the launcher, waits for main (and the splash window when one is
    // expected), lets main return and gives the exit code.
    DWORD run(bool splash) const {
        LauncherProcess process(sandbox_.exePath(), options());
        if (splash) {
            EXPECT_NE(nullptr, waitForWindow(process.processId(), L"SplashScreenWindow"));
        }
        EXPECT_TRUE(waitUntil([this] { return readFileBytes(sandbox_.path(L"calls.log")).find(" app/Main.main(") !=
                                              std::string::npos; }));
        sandbox_.writeFile(L"downloads\\go.txt", "go");
        if (!process.wait(15000)) return STILL_ACTIVE;
        return process.exitCode();
    }

    std::string loaded() const { return readFileBytes(sandbox_.path(L"loaded.log")); }

private:
    Sandbox sandbox_;
};

TEST(DllPlanting, WineRunsAGdiPlusBesideAProgramThatImportsIt) {
    Sandbox sandbox(L"importer.exe");
    sandbox.copyFile(plantedLibrary(L"gdiplus_importer.exe"), L"importer.exe");
    sandbox.copyFile(plantedLibrary(L"gdiplus.dll"), L"gdiplus.dll");
    LaunchOptions options;
    options.environment[L"LOAD_MARK_LOG"] = sandbox.path(L"loaded.log");
    EXPECT_EQ(0u, runToExit(sandbox.exePath(), options));
    EXPECT_EQ("planted gdiplus\n", readFileBytes(sandbox.path(L"loaded.log")))
        << "without a native-first override for gdiplus the tests below cannot fail";
}

TEST(DllPlanting, APlantedGdiPlusNeverLoadsWhileTheSplashDraws) {
    PlantedApp app(runtimeFixture(L"full"), "Splash Screen=splash.png\n");
    app.sandbox().copyFile(plantedLibrary(L"gdiplus.dll"), L"gdiplus.dll");
    app.sandbox().copyFile(plantedLibrary(L"gdiplus.dll"), L"downloads\\gdiplus.dll");
    EXPECT_EQ(0u, app.run(true));
    EXPECT_EQ("", app.loaded());
}

TEST(DllPlanting, TheRuntimeLoadsItsOwnLibraryAndNotOnePlantedInTheWorkingFolder) {
    PlantedApp app(runtimeFixture(L"with-dependency"), "");
    app.sandbox().copyFile(plantedLibrary(L"jvmdependency.dll"), L"downloads\\jvmdependency.dll");
    EXPECT_EQ(0u, app.run(false));
    EXPECT_EQ("runtime\n", app.loaded());
}

}  // namespace
