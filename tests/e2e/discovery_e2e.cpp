// Which runtime the launcher picks, and the hand-over of a runtime of the
// other architecture to the paired executable. Runtimes here hold a jvm.dll
// that is plain text, so loading it fails with a message naming the chosen
// library.
#include <gtest/gtest.h>

#include "support/LauncherProcess.h"
#include "support/Polling.h"
#include "support/RegisteredRuntimes.h"
#include "support/Robot.h"
#include "support/Sandbox.h"
#include "support/TextFiles.h"

namespace {

const int kNotFoundMessage = 203;

std::wstring pairRecorder() { return buildPath(L"tests\\fixtures\\pair\\pair_recorder.exe"); }

class Discovery : public ::testing::Test {
protected:
    // A runtime folder `relative` (ending in "\") inside the sandbox whose client jvm.dll is text.
    std::wstring fakeRuntime(const std::wstring& relative) {
        sandbox.makeFolder(relative + L"bin\\client");
        sandbox.writeFile(relative + L"bin\\client\\jvm.dll", "not a library");
        sandbox.writeFile(relative + L"bin\\java.dll", "marker");
        return sandbox.path(relative);
    }

    void writeIni(const std::string& extra) { sandbox.writeIni("[Java Runtime Environment]\nMain Class=app.Main\n" + extra); }

    // Waits for the one message box the launch shows, returns its text and closes it.
    std::wstring loadFailureText(const LaunchOptions& options = {}) {
        LauncherProcess process(sandbox.exePath(), options);
        HWND box = waitForWindow(process.processId(), L"#32770");
        if (!box) return L"(no message box)";
        std::wstring text = controlText(box, 0xFFFF);
        clickButton(box, IDOK);
        EXPECT_TRUE(process.wait(10000));
        EXPECT_EQ(process.exitCode(), 0xFFFFFFFFu);
        return text;
    }

    // The not-found dialog's message; the dialog is cancelled.
    std::wstring notFoundText(const LaunchOptions& options = {}) {
        LauncherProcess process(sandbox.exePath(), options);
        HWND dialog = waitForWindow(process.processId(), L"#32770");
        if (!dialog) return L"(no dialog)";
        std::wstring text = controlText(dialog, kNotFoundMessage);
        clickButton(dialog, IDCANCEL);
        EXPECT_TRUE(process.wait(10000));
        EXPECT_EQ(process.exitCode(), 0xFFFFFFFFu);
        return text;
    }

    RegisteredRuntimes registry;
    Sandbox sandbox;
};

std::wstring jvmOf(const std::wstring& home) { return home + L"bin\\client\\jvm.dll"; }

// The paired program may still be starting when the launcher has already returned.
bool waitForFile(const std::wstring& path) { return waitUntil([&] { return fileExists(path); }, 10000); }

bool mentions(const std::wstring& text, const std::wstring& part) { return text.find(part) != std::wstring::npos; }

TEST_F(Discovery, EachPlaceIsTriedOnlyWhenTheOneBeforeItFindsNothing) {
    const std::wstring configured = fakeRuntime(L"configured\\");
    const std::wstring local = fakeRuntime(L"jre\\");
    const std::wstring registeredOwn = fakeRuntime(L"registered-own\\");
    const std::wstring registeredPaired = fakeRuntime(L"registered-paired\\");
    // The paired view's runtime is newer, yet the own view is searched first.
    registry.add(RuntimeView::Own, L"1.6", registeredOwn.substr(0, registeredOwn.size() - 1));
    registry.add(RuntimeView::Paired, L"1.8", registeredPaired);
    const std::string pair = "[Application]\nPair Product=" + toUtf8(pairRecorder()) + "\n";
    LaunchOptions options;
    options.environment[L"PAIR_RECORDER_FILE"] = sandbox.path(L"record.txt");

    writeIni("JRE Path=" + toUtf8(configured.substr(0, configured.size() - 1)) + "\n" + pair);
    EXPECT_TRUE(mentions(loadFailureText(options), jvmOf(configured)));

    writeIni(pair);
    EXPECT_TRUE(mentions(loadFailureText(options), jvmOf(local)));

    DeleteFileW(sandbox.path(L"jre\\bin\\java.dll").c_str());
    EXPECT_TRUE(mentions(loadFailureText(options), jvmOf(registeredOwn)));
    EXPECT_FALSE(fileExists(sandbox.path(L"record.txt")));

    // Only the paired view is left: the paired program is started instead of loading anything.
    registry.clear();
    registry.add(RuntimeView::Paired, L"1.8", registeredPaired);
    EXPECT_EQ(runToExit(sandbox.exePath(), options), 0u);
    EXPECT_TRUE(waitForFile(sandbox.path(L"record.txt")));
}

TEST_F(Discovery, WithoutAPairProductThePairedViewIsNotSearched) {
    registry.add(RuntimeView::Paired, L"1.8", fakeRuntime(L"registered-paired\\"));
    writeIni("Minimum Version=1.6\nMaximum Version=any\n");
    EXPECT_EQ(notFoundText(),
              L"Det gick inte att hitta JRE (Java Runtime Environment). Hämta och installera JRE (äldsta version 1.6) "
              L"från:");
}

TEST_F(Discovery, ServerOnlyRejectsAClientRuntimeWithTheServerText) {
    const std::wstring client = fakeRuntime(L"client\\");
    registry.add(RuntimeView::Own, L"1.8", client);
    writeIni("JVM Type=server\nJRE Path=" + toUtf8(client) + "\n");
    EXPECT_EQ(notFoundText(), L"Det gick inte att hitta JRE (Java Runtime Environment). Hämta och installera JRE med "
                              L"server-JVM (senaste version) från:");
}

TEST_F(Discovery, ARelativeJrePathFollowsTheWorkingFolderAndItsOverride) {
    fakeRuntime(L"rt\\");
    sandbox.makeFolder(L"elsewhere");
    LaunchOptions options;
    options.workingFolder = sandbox.path(L"elsewhere");

    writeIni("JRE Path=rt\n");
    EXPECT_FALSE(notFoundText(options).empty());

    writeIni("JRE Path=rt\n[Application]\nOverride WorkingDir=YES\n");
    EXPECT_TRUE(mentions(loadFailureText(options), L"rt\\bin\\client\\jvm.dll"));
}

class PairedLaunch : public Discovery {
protected:
    void writePairIni(const std::string& extra) {
        writeIni("JRE Path=" + toUtf8(runtimeFixture(L"pair-foreign")) + "\n[Application]\n" + extra);
    }
    std::wstring recorded() {
        if (!waitForFile(sandbox.path(L"record.txt"))) return L"(not started)";
        const std::string bytes = readFileBytes(sandbox.path(L"record.txt"));
        return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
    }
};

TEST_F(PairedLaunch, AForeignJvmHandsTheUnchangedCommandLineToThePairProduct) {
    LaunchOptions options;
    options.commandLine = L"\"" + sandbox.exePath() + L"\"  \"two words\" -nosplash \u00e5\u00e4\u00f6 \"\"";
    options.environment[L"PAIR_RECORDER_FILE"] = sandbox.path(L"record.txt");
    options.environment[L"PAIR_RECORDER_EXIT"] = L"42";

    writePairIni("Pair Product=" + toUtf8(pairRecorder()) + "\n");
    EXPECT_EQ(runToExit(sandbox.exePath(), options), 0u);
    EXPECT_EQ(recorded(), options.commandLine);

    DeleteFileW(sandbox.path(L"record.txt").c_str());
    writePairIni("Pair Product=" + toUtf8(pairRecorder()) + "\nPair Return Code=yEs\n");
    EXPECT_EQ(runToExit(sandbox.exePath(), options), 42u);
    EXPECT_EQ(recorded(), options.commandLine);
}

TEST_F(PairedLaunch, APairProductThatCannotStartEndsWithZero) {
    writePairIni("Pair Product=" + toUtf8(sandbox.path(L"missing.exe")) + "\nPair Return Code=Yes\n");
    EXPECT_EQ(runToExit(sandbox.exePath()), 0u);
}

TEST_F(PairedLaunch, WithoutAPairProductTheForeignJvmGoesOnToLoading) {
    writePairIni("");
    const std::wstring text = loadFailureText();
    EXPECT_TRUE(mentions(text, runtimeFixture(L"pair-foreign") + L"bin\\client\\jvm.dll")) << toUtf8(text);
    EXPECT_TRUE(mentions(text, L"193")) << toUtf8(text);
}

}  // namespace
