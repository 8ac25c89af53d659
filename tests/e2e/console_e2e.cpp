// The console variant: what the GUI build shows in a box reaches standard
// error, and nothing waits for a click, so a script gets its exit code.
#include <gtest/gtest.h>

#include <string>

#include "support/CapturedOutput.h"
#include "support/LauncherProcess.h"
#include "support/RegisteredRuntimes.h"
#include "support/Sandbox.h"
#include "support/TextFiles.h"

namespace {

std::wstring consoleLauncherPath() {
    std::wstring gui = launcherExePath();
    return gui.substr(0, gui.size() - 4) + L"c.exe";
}

class ConsoleLauncher : public ::testing::Test {
protected:
    ConsoleLauncher() : output(sandbox.path(L"console.txt")) {
        sandbox.copyFile(consoleLauncherPath(), L"app.exe");
        launch.standardOutput = output.handle();
        launch.environment[L"JVMDOUBLE_LOG"] = sandbox.path(L"calls.log");
    }

    void writeApp(const std::string& runtimeLines, const std::string& mainActions,
                  const std::string& application = "") {
        sandbox.writeFile(L"app.classes", "class app.Main\n" + mainActions);
        sandbox.writeIni("[Java Runtime Environment]\nMain Class=app.Main\n" + runtimeLines +
                         "[Class Path]\nClass Path=\\app.classes\n[Application]\n" + application);
    }

    bool printed(const std::string& text) const { return output.text().find(text) != std::string::npos; }

    RegisteredRuntimes registry;
    Sandbox sandbox;
    CapturedOutput output;
    LaunchOptions launch;
};

const std::string ownRuntime() { return "JRE Path=" + ansi(runtimeFixture(L"full")) + "\n"; }

TEST_F(ConsoleLauncher, JavaOutputAndTheExitCodeReachTheCaller) {
    writeApp(ownRuntime(), "main out Hej fr\xC3\xA5n Java\nmain err to stderr\nmain exit 7\n");
    EXPECT_EQ(runToExit(sandbox.exePath(), launch), 7u);
    EXPECT_TRUE(printed("Hej fr\xC3\xA5n Java\r\n")) << output.text();
    EXPECT_TRUE(printed("to stderr\r\n")) << output.text();
}

TEST_F(ConsoleLauncher, ARunEndingWithTheRestartCodeRunsAgainAndTheCallerGetsTheLastCode) {
    writeApp(ownRuntime(), "main out run\nmain exit-in-turn " + ansi(sandbox.path(L"turns")) + " 75 75 4\n",
             "Restart Code=75\n");
    launch.environment[L"LAUNCHER_LOG"] = sandbox.path(L"launcher.log");
    EXPECT_EQ(runToExit(sandbox.exePath(), launch), 4u);
    EXPECT_EQ(output.text(), "run\r\nrun\r\nrun\r\n");
    const std::string log = readFileBytes(sandbox.path(L"launcher.log"));
    EXPECT_NE(log.find("restart 2: run 2 ended with the restart code"), std::string::npos) << log;
    EXPECT_EQ(log.find("restart 3"), std::string::npos) << log;
}

// A message box would hold the process until someone clicks; the time-out
// inside runToExit would then answer STILL_ACTIVE instead of -1.
TEST_F(ConsoleLauncher, AMessageGoesToStandardErrorWithTheSameTextAndExitCode) {
    sandbox.writeIni("[Java Runtime Environment]\n");
    EXPECT_EQ(runToExit(sandbox.exePath(), launch, 15000), 0xFFFFFFFFu);
    EXPECT_EQ(output.text(), "Huvudklass har inte angetts i INI-filen.\n");
}

TEST_F(ConsoleLauncher, NoRuntimePrintsTheNotFoundTextAndTheDownloadAddress) {
    writeApp("JRE Path=" + ansi(sandbox.path(L"missing\\")) + "\nMinimum Version=1.8\n", "main return\n");
    EXPECT_EQ(runToExit(sandbox.exePath(), launch, 15000), 0xFFFFFFFFu);
    EXPECT_TRUE(printed("Det gick inte att hitta JRE")) << output.text();
    EXPECT_TRUE(printed("1.8")) << output.text();
    EXPECT_TRUE(printed("\nhttps://adoptium.net/\n")) << output.text();
}

TEST_F(ConsoleLauncher, AnUncaughtExceptionPrintsItsTraceEvenWithFailureCheckOn) {
    writeApp(ownRuntime(), "main throw java.lang.IllegalStateException: boom\n", "Failure Check=Yes\n");
    EXPECT_EQ(runToExit(sandbox.exePath(), launch, 15000), 0u);
    EXPECT_TRUE(printed("Exception in thread \"main\" java.lang.IllegalStateException: boom\r\n")) << output.text();
}

}  // namespace
