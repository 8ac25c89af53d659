// Both architectures' launchers in one application folder, each with its own
// settings file and each naming the other as "Pair Product", as an
// application ships them. This build's launcher is started; the runtime it
// finds is of the other architecture, so the other launcher hosts it, and
// the application's exit code comes back through both processes.
#include <gtest/gtest.h>

#include <string>

#include "support/LauncherProcess.h"
#include "support/RegisteredRuntimes.h"
#include "support/Sandbox.h"
#include "support/TextFiles.h"

namespace {

const bool kBuild64 = sizeof(void*) == 8;
const wchar_t* const kOwnName = kBuild64 ? L"App64" : L"App";
const wchar_t* const kPairName = kBuild64 ? L"App" : L"App64";

// The double's runtime built for the other architecture: only the pair can load it.
std::wstring foreignRuntime() { return runtimeFixture(L"foreign"); }

class PairRoundTrip : public ::testing::Test {
protected:
    PairRoundTrip() : sandbox(std::wstring(kOwnName) + L".exe") {
        sandbox.copyFile(pairedLauncherExePath(), pairExe());
        sandbox.writeFile(L"app.classes", "class app.Main\nmain args\nmain exit 37\n");
        launch.environment[L"JVMDOUBLE_LOG"] = sandbox.path(L"calls.log");
        launch.arguments = L"one \"two words\" \u00e5\u00e4\u00f6";
    }

    void SetUp() override {
        ASSERT_TRUE(fileExists(pairedLauncherExePath()))
            << toUtf8(pairedLauncherExePath()) << ": build the other architecture's tree too";
    }

    std::wstring pairExe() const { return std::wstring(kPairName) + L".exe"; }

    // Both settings files, the same but for the pair each names.
    void writeSettings(const std::string& runtimeLines) const {
        const auto text = [&](const std::wstring& pair) {
            return "[Java Runtime Environment]\nMain Class=app.Main\n" + runtimeLines +
                   "[Class Path]\nClass Path=\\app.classes\n[Application]\nPair Product=" + ansi(sandbox.path(pair)) +
                   "\nPair Return Code=Yes\n";
        };
        sandbox.writeIni(text(pairExe()));
        sandbox.writeFile(std::wstring(kPairName) + L".ini", text(std::wstring(kOwnName) + L".exe"));
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

TEST_F(PairRoundTrip, ARuntimeNamedByJrePathIsHostedByThePair) {
    writeSettings("JRE Path=" + ansi(foreignRuntime()) + "\n");
    expectRoundTrip();
}

// The paired view, which this build reads only because "Pair Product" is
// set, is the pair's own view, searched first.
TEST_F(PairRoundTrip, ARuntimeRegisteredInThePairedViewIsFoundByThePairInItsOwn) {
    registry.add(RuntimeView::Paired, L"1.8", foreignRuntime());
    writeSettings("");
    expectRoundTrip();
}

}  // namespace
