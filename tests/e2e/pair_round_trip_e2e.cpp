// Both architectures' launchers in one application folder, each with its own
// settings file and each naming the other as "Pair Product", as an
// application ships them. This build's launcher is started; the runtime it
// finds is of the other architecture, so the other launcher hosts it, and
// the application's exit code comes back through both processes.
#include <gtest/gtest.h>

#include <windows.h>

#include <tlhelp32.h>

#include <algorithm>
#include <string>

#include "core/win/Scoped.h"
#include "support/LauncherProcess.h"
#include "support/Polling.h"
#include "support/RegisteredRuntimes.h"
#include "support/Robot.h"
#include "support/Sandbox.h"
#include "support/TextFiles.h"

namespace {

const bool kBuild64 = sizeof(void*) == 8;
const wchar_t* const kOwnName = kBuild64 ? L"App64" : L"App";
const wchar_t* const kPairName = kBuild64 ? L"App" : L"App64";

// The double's runtime built for the other architecture: only the pair can load it.
std::wstring foreignRuntime() { return runtimeFixture(L"foreign"); }

// The id of a process named `exeName` that `parent` started, 0 while there is
// none. The name guards against a process left by an earlier parent of the same id.
DWORD childOf(DWORD parent, const std::wstring& exeName) {
    ScopedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return 0;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
        if (entry.th32ParentProcessID == parent && _wcsicmp(entry.szExeFile, exeName.c_str()) == 0) {
            return entry.th32ProcessID;
        }
    }
    return 0;
}

class PairRoundTrip : public ::testing::Test {
protected:
    PairRoundTrip() : sandbox(std::wstring(kOwnName) + L".exe") {
        sandbox.copyFile(pairedLauncherExePath(), pairExe());
        sandbox.writeFile(L"app.classes", "class app.Main\nmain args\nmain exit 37\n");
        launch.environment[L"JVMDOUBLE_LOG"] = sandbox.path(L"calls.log");
        launch.arguments = L"one \"two words\" \u00e5\u00e4\u00f6";
    }

    void SetUp() override {
        ASSERT_TRUE(pathExists(pairedLauncherExePath()))
            << toUtf8(pairedLauncherExePath()) << ": build the other architecture's tree too";
    }

    std::wstring pairExe() const { return std::wstring(kPairName) + L".exe"; }

    // Both settings files, the same but for the pair each names and, when
    // given, the pair's own runtime lines.
    void writeSettings(const std::string& runtimeLines, const std::string* pairRuntimeLines = nullptr,
                       const std::string& applicationLines = "") const {
        const auto text = [&](const std::wstring& pair, const std::string& runtimeLines) {
            return "[Java Runtime Environment]\nMain Class=app.Main\n" + runtimeLines +
                   "[Class Path]\nClass Path=\\app.classes\n[Application]\nPair Product=" + ansi(sandbox.path(pair)) +
                   "\nPair Return Code=Yes\nApp User Model ID=Example.Pair\n" + applicationLines;
        };
        sandbox.writeIni(text(pairExe(), runtimeLines));
        sandbox.writeFile(std::wstring(kPairName) + L".ini",
                          text(std::wstring(kOwnName) + L".exe", pairRuntimeLines ? *pairRuntimeLines : runtimeLines));
    }

    // Runs this build's launcher and checks that the pair's runtime ran main
    // once, with the arguments, and that its System.exit code came back.
    void expectRoundTrip() const {
        EXPECT_EQ(runToExit(sandbox.exePath(), launch), 37u);
        int mains = 0;
        for (const std::string& line : readLines(sandbox.path(L"calls.log"))) {
            if (line.find("app/Main.main(") == std::string::npos) continue;
            ++mains;
            EXPECT_NE(line.find("args=([\"one\", \"two words\", \"" + toUtf8(L"\u00e5\u00e4\u00f6") + "\"])"),
                      std::string::npos)
                << line;
        }
        EXPECT_EQ(mains, 1);
    }

    RegisteredRuntimes registry;
    Sandbox sandbox;
    LaunchOptions launch;
};

// Each process sets the taskbar identity from its own settings file.
TEST_F(PairRoundTrip, ARuntimeNamedByJrePathIsHostedByThePair) {
    writeSettings("JRE Path=" + ansi(foreignRuntime()) + "\n");
    launch.environment[L"LAUNCHER_LOG"] = sandbox.path(L"launch.log");
    expectRoundTrip();
    const std::vector<std::string> lines = readLines(sandbox.path(L"launch.log"));
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::string& line) {
                  return line.find("] App User Model ID: Example.Pair, SetCurrentProcessExplicitAppUserModelID: 0x0") !=
                         std::string::npos;
              }),
              2);
}

// The paired view, which this build reads only because "Pair Product" is
// set, is the pair's own view, searched first.
TEST_F(PairRoundTrip, ARuntimeRegisteredInThePairedViewIsFoundByThePairInItsOwn) {
    registry.add(RuntimeView::Paired, L"1.8", foreignRuntime());
    writeSettings("");
    expectRoundTrip();
}

// The first start hands its runtime to the pair and gives up the guard: a
// later start of the same executable goes the same way and reaches the
// running application in the pair, whose answer comes back through both.
TEST_F(PairRoundTrip, ALaterStartOfAHandedOverSingleInstanceApplicationReachesIt) {
    sandbox.writeFile(L"app.classes", "class app.Main\nmain wait-file release.txt\nsecondaryMain int 7\n");
    writeSettings("JRE Path=" + ansi(foreignRuntime()) + "\n", nullptr, "Single Instance=yes\n");
    LauncherProcess first(sandbox.exePath(), launch);
    ASSERT_TRUE(waitUntil([&] { return readFileBytes(sandbox.path(L"calls.log")).find("app/Main.main(") !=
                                       std::string::npos; }));
    LaunchOptions later = launch;
    later.arguments = L"doc.txt";
    EXPECT_EQ(runToExit(sandbox.exePath(), later), 7u);
    const std::string calls = readFileBytes(sandbox.path(L"calls.log"));
    EXPECT_NE(calls.find("secondaryMain([Ljava/lang/String;)I args=([\"doc.txt\"])"), std::string::npos) << calls;
    sandbox.writeFile(L"release.txt", "");
    ASSERT_TRUE(first.wait(20000));
    EXPECT_EQ(first.exitCode(), 0u);
}

// Each launcher pointed at a runtime only the other can host would start the
// two without end. The pair, started by its pair, does not hand back: it
// loads what it found, says why that fails, and its exit code comes back.
TEST_F(PairRoundTrip, APairStartedByItsPairDoesNotHandBack) {
    const std::string ownRuntime = "JRE Path=" + ansi(runtimeFixture(L"full")) + "\n";
    writeSettings("JRE Path=" + ansi(foreignRuntime()) + "\n", &ownRuntime);

    LauncherProcess process(sandbox.exePath(), launch);
    DWORD pair = 0;
    ASSERT_TRUE(waitUntil([&] { return (pair = childOf(process.processId(), pairExe())) != 0; }));
    // A pair that handed back would be waiting for its own pair instead of showing this.
    HWND box = waitForWindow(pair, L"#32770");
    ASSERT_NE(box, nullptr) << "the pair showed no message";
    const std::wstring text = controlText(box, 0xFFFF);
    EXPECT_NE(text.find(runtimeFixture(L"full")), std::wstring::npos) << toUtf8(text);
    EXPECT_NE(text.find(L"193"), std::wstring::npos) << toUtf8(text);
    clickButton(box, IDOK);
    EXPECT_TRUE(process.wait(10000));
    EXPECT_EQ(process.exitCode(), 0xFFFFFFFFu);
}

}  // namespace
