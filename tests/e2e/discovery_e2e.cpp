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
    // A runtime folder `relative` (ending in "\") inside the sandbox whose jvm.dll in bin\`vm` is text.
    std::wstring fakeRuntime(const std::wstring& relative, const std::wstring& vm = L"client") {
        sandbox.makeFolder(relative + L"bin\\" + vm);
        sandbox.writeFile(relative + L"bin\\" + vm + L"\\jvm.dll", "not a library");
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
std::wstring serverJvmOf(const std::wstring& home) { return home + L"bin\\server\\jvm.dll"; }
std::wstring withoutBackslash(const std::wstring& folder) { return folder.substr(0, folder.size() - 1); }

// The paired program may still be starting when the launcher has already returned.
bool waitForFile(const std::wstring& path) { return waitUntil([&] { return pathExists(path); }, 10000); }

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
    EXPECT_FALSE(pathExists(sandbox.path(L"record.txt")));

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

    // The library found in the working folder is the one loaded, not the one
    // of the same relative path beside the executable.
    sandbox.copyTree(runtimeFixture(L"full"), L"elsewhere\\rt");
    sandbox.writeFile(L"app.classes", "class app.Main\nmain exit 3\n");
    writeIni("JRE Path=rt\n[Class Path]\nClass Path=\\app.classes\n");
    EXPECT_EQ(runToExit(sandbox.exePath(), options), 3u);
}

// Where current installers register a runtime: a subkey with a sample name,
// the value holding the home, and the "VM Provider" that admits its VM.
struct Registration {
    const wchar_t* path;
    const wchar_t* value;
    const char* provider;
};
const Registration kCurrentLayouts[] = {
    {L"Software\\JavaSoft\\JDK\\17.0.9", L"JavaHome", ""},
    {L"Software\\JavaSoft\\JRE\\10.0.2", L"JavaHome", ""},
    {L"Software\\Eclipse Adoptium\\JDK\\17.0.9.9\\hotspot\\MSI", L"Path", ""},
    {L"Software\\Eclipse Adoptium\\JRE\\17.0.9.9\\hotspot\\MSI", L"Path", ""},
    {L"Software\\Eclipse Foundation\\JDK\\17.0.9.9\\hotspot\\MSI", L"Path", ""},
    {L"Software\\AdoptOpenJDK\\JDK\\16.0.2.7\\hotspot\\MSI", L"Path", ""},
    {L"Software\\AdoptOpenJDK\\JRE\\16.0.2.7\\hotspot\\MSI", L"Path", ""},
    {L"Software\\AdoptOpenJDK\\JDK\\16.0.2.7\\openj9\\MSI", L"Path", "VM Provider=ibm\n"},
    {L"Software\\AdoptOpenJDK\\JRE\\16.0.2.7\\openj9\\MSI", L"Path", "VM Provider=ibm\n"},
    {L"Software\\Semeru\\JDK\\17.0.9.9\\openj9\\MSI", L"Path", "VM Provider=ibm\n"},
    {L"Software\\Semeru\\JRE\\17.0.9.9\\openj9\\MSI", L"Path", "VM Provider=ibm\n"},
    {L"Software\\Microsoft\\JDK\\17.0.9.8\\hotspot\\MSI", L"Path", ""},
    {L"Software\\Azul Systems\\Zulu\\zulu-17", L"InstallationPath", ""},
    {L"Software\\BellSoft\\Liberica\\jdk-17", L"InstallationPath", ""},
};

TEST_F(Discovery, TheNewestRuntimeWinsWhateverItsLayoutWithinTheSettings) {
    const std::wstring javaSoft = fakeRuntime(L"javasoft-jre8\\");
    const std::wstring temurin = fakeRuntime(L"temurin17\\", L"server");
    const std::wstring zulu = fakeRuntime(L"zulu21\\", L"server");
    sandbox.writeFile(L"zulu21\\release", "JAVA_VERSION=\"21.0.1\"\n");
    registry.add(RuntimeView::Own, L"1.8.0_392", javaSoft);
    registry.addValue(RuntimeView::Own, L"Software\\Eclipse Adoptium\\JDK\\17.0.9.9\\hotspot\\MSI", L"Path", temurin);
    registry.addValue(RuntimeView::Own, L"Software\\Azul Systems\\Zulu\\zulu-21", L"InstallationPath", zulu);
    const auto chosenWith = [&](const std::string& settings) {
        writeIni(settings);
        return loadFailureText();
    };

    EXPECT_TRUE(mentions(chosenWith(""), serverJvmOf(zulu)));
    EXPECT_TRUE(mentions(chosenWith("Maximum Version=1.8\n"), jvmOf(javaSoft)));
    EXPECT_TRUE(mentions(chosenWith("JVM Source=only_JRE\n"), jvmOf(javaSoft)));
    EXPECT_TRUE(mentions(chosenWith("Runtime Registrations=classic\n"), jvmOf(javaSoft)));
    const std::wstring semeru = fakeRuntime(L"semeru17\\", L"server");
    registry.addValue(RuntimeView::Own, L"Software\\Semeru\\JDK\\17.0.9.9\\openj9\\MSI", L"Path", semeru);
    EXPECT_TRUE(mentions(chosenWith("VM Provider=ibm\n"), serverJvmOf(semeru)));
}

TEST_F(Discovery, AJdkOfACurrentLayoutIsItsOwnRuntimeHome) {
    const std::wstring server = fakeRuntime(L"jdk17\\", L"server");
    registry.addValue(RuntimeView::Own, L"Software\\JavaSoft\\JDK\\17.0.9", L"JavaHome", withoutBackslash(server));
    writeIni("");
    EXPECT_TRUE(mentions(loadFailureText(), serverJvmOf(server)));

    registry.clear();
    const std::wstring client = fakeRuntime(L"jdk17-client\\");
    registry.addValue(RuntimeView::Own, L"Software\\Microsoft\\JDK\\17.0.9.8\\hotspot\\MSI", L"Path", client);
    EXPECT_TRUE(mentions(loadFailureText(), jvmOf(client)));
}

TEST_F(Discovery, VersionsComeFromSubkeysOfEveryFormOrFromTheReleaseFile) {
    const std::wstring runtimes[] = {fakeRuntime(L"v17\\"), fakeRuntime(L"v21\\"), fakeRuntime(L"v11\\"),
                                     fakeRuntime(L"v8\\"), fakeRuntime(L"v22\\"), fakeRuntime(L"garbage\\")};
    const auto addAt = [&](const wchar_t* path, const wchar_t* value, const std::wstring& home) {
        registry.addValue(RuntimeView::Own, path, value, home);
    };
    addAt(L"Software\\Eclipse Adoptium\\JDK\\17.0.9+9\\hotspot\\MSI", L"Path", runtimes[0]);
    addAt(L"Software\\JavaSoft\\JDK\\21", L"JavaHome", runtimes[1]);
    addAt(L"Software\\Microsoft\\JDK\\11.0.21.9\\hotspot\\MSI", L"Path", runtimes[2]);
    addAt(L"Software\\Eclipse Adoptium\\JRE\\1.8.0_392\\hotspot\\MSI", L"Path", runtimes[3]);
    sandbox.writeFile(L"v22\\release", "JAVA_VERSION=\"22\"\n");
    addAt(L"Software\\Azul Systems\\Zulu\\Zulu JDK", L"InstallationPath", runtimes[4]);
    const std::string noise = "JAVA_VERSION=\"\xff\xfe?\"\n\x01\x02";
    sandbox.writeFile(L"garbage\\release", noise);
    addAt(L"Software\\BellSoft\\Liberica\\Liberica JDK", L"InstallationPath", runtimes[5]);

    const char* const maxima[] = {"", "Maximum Version=21\n", "Maximum Version=17\n", "Maximum Version=11\n",
                                  "Maximum Version=1.8\n"};
    const std::wstring expected[] = {runtimes[4], runtimes[1], runtimes[0], runtimes[2], runtimes[3]};
    for (size_t i = 0; i < 5; ++i) {
        writeIni(maxima[i]);
        EXPECT_TRUE(mentions(loadFailureText(), jvmOf(expected[i]))) << maxima[i];
    }
    // A release file without a version makes no candidate, not even one of version 0.0.0.0.
    registry.clear();
    addAt(L"Software\\BellSoft\\Liberica\\Liberica JDK", L"InstallationPath", runtimes[5]);
    writeIni("");
    EXPECT_EQ(notFoundText(), L"Det gick inte att hitta JRE (Java Runtime Environment). Hämta och installera JRE "
                              L"(senaste version) från:");
}

TEST_F(Discovery, UseJavaHomeTakesItsRuntimeAfterTheLocalOneAndBeforeTheRegistry) {
    const std::wstring registered = fakeRuntime(L"registered\\");
    registry.add(RuntimeView::Own, L"21", registered);
    const std::wstring javaHome = fakeRuntime(L"java-home\\", L"server");
    sandbox.writeFile(L"java-home\\release", "JAVA_VERSION=\"17.0.9\"\n");
    LaunchOptions options;
    options.environment[L"JAVA_HOME"] = withoutBackslash(javaHome);

    writeIni("Use JAVA_HOME=Yes\n");
    EXPECT_TRUE(mentions(loadFailureText(options), serverJvmOf(javaHome)));
    writeIni("");
    EXPECT_TRUE(mentions(loadFailureText(options), jvmOf(registered)));
    writeIni("Use JAVA_HOME=yes\nMinimum Version=18\n");
    EXPECT_TRUE(mentions(loadFailureText(options), jvmOf(registered)));

    writeIni("Use JAVA_HOME=YES\n");
    options.environment[L"JAVA_HOME"] = L"";
    EXPECT_TRUE(mentions(loadFailureText(options), jvmOf(registered)));
    options.environment[L"JAVA_HOME"] = sandbox.path(L"nothing-here");
    EXPECT_TRUE(mentions(loadFailureText(options), jvmOf(registered)));

    const std::wstring local = fakeRuntime(L"jre\\");
    options.environment[L"JAVA_HOME"] = javaHome;
    EXPECT_TRUE(mentions(loadFailureText(options), jvmOf(local)));
}

TEST_F(Discovery, AForeignJavaHomeGoesToThePairProductOrIsPassedOver) {
    const std::wstring registered = fakeRuntime(L"registered\\");
    registry.add(RuntimeView::Own, L"1.8", registered);
    LaunchOptions options;
    options.environment[L"JAVA_HOME"] = runtimeFixture(L"pair-foreign");
    options.environment[L"PAIR_RECORDER_FILE"] = sandbox.path(L"record.txt");

    writeIni("Use JAVA_HOME=Yes\n");
    EXPECT_TRUE(mentions(loadFailureText(options), jvmOf(registered)));
    EXPECT_FALSE(pathExists(sandbox.path(L"record.txt")));

    writeIni("Use JAVA_HOME=Yes\n[Application]\nPair Product=" + toUtf8(pairRecorder()) + "\n");
    EXPECT_EQ(runToExit(sandbox.exePath(), options), 0u);
    EXPECT_TRUE(waitForFile(sandbox.path(L"record.txt")));
}

// Every current layout, in this build's view and in the other one, with the
// runtime double laid out as a JDK 9+ home: the JVM it loads says which.
class CurrentLayouts : public Discovery {
protected:
    CurrentLayouts() {
        sandbox.writeFile(L"app.classes", "class app.Main\nmain env QZ_JVM_PATH\nmain exit 37\n");
    }

    // The double `fixture` copied to `relative` with only its server VM and a release file.
    std::wstring jdkHome(const std::wstring& fixture, const std::wstring& relative) {
        sandbox.copyTree(runtimeFixture(fixture), relative);
        DeleteFileW(sandbox.path(relative + L"bin\\client\\jvm.dll").c_str());
        RemoveDirectoryW(sandbox.path(relative + L"bin\\client").c_str());
        sandbox.writeFile(relative + L"release", "JAVA_VERSION=\"17.0.9\"\n");
        return sandbox.path(relative);
    }

    // Both launchers' settings: the same but for the pair each names.
    void writeSettings(const std::string& provider) const {
        const auto text = [&](const std::wstring& pair) {
            return "[Java Runtime Environment]\nMain Class=app.Main\n" + provider +
                   "[Class Path]\nClass Path=\\app.classes\n[Application]\nOutput File=" +
                   ansi(sandbox.path(L"out.txt")) + "\nPair Product=" + ansi(sandbox.path(pair)) +
                   "\nPair Return Code=Yes\n";
        };
        sandbox.writeIni(text(L"pair.exe"));
        sandbox.writeFile(L"pair.ini", text(L"app.exe"));
    }

    // The JVM library that ran main, as main printed it, once the start ended with main's code.
    std::string libraryThatRan() const {
        DeleteFileW(sandbox.path(L"out.txt").c_str());
        const DWORD exitCode = runToExit(sandbox.exePath());
        const std::vector<std::string> lines = readLines(sandbox.path(L"out.txt"));
        if (exitCode != 37 || lines.empty()) return "(exit " + std::to_string(exitCode) + ", nothing printed)";
        return lines.front();
    }

    void expectEachLayoutFound(RuntimeView view, const std::wstring& home) {
        for (const Registration& layout : kCurrentLayouts) {
            registry.clear();
            registry.addValue(view, layout.path, layout.value, home);
            writeSettings(layout.provider);
            EXPECT_EQ(libraryThatRan(), ansi(serverJvmOf(home))) << toUtf8(layout.path);
        }
    }
};

TEST_F(CurrentLayouts, EachIsFoundAndLoadedInThisBuildsView) {
    expectEachLayoutFound(RuntimeView::Own, jdkHome(L"full", L"own\\"));
}

TEST_F(CurrentLayouts, EachIsFoundInTheOtherViewAndLoadedByThePair) {
    ASSERT_TRUE(pathExists(pairedLauncherExePath())) << "build the other architecture's tree too";
    sandbox.copyFile(pairedLauncherExePath(), L"pair.exe");
    expectEachLayoutFound(RuntimeView::Paired, jdkHome(L"foreign", L"paired\\"));
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
