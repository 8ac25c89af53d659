// The diagnostics log: what a start writes there when asked to, and that a
// log it cannot write, or none at all, changes nothing about the start.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/win/Scoped.h"
#include "support/LauncherProcess.h"
#include "support/Polling.h"
#include "support/RegisteredRuntimes.h"
#include "support/Robot.h"
#include "support/Sandbox.h"
#include "support/TextFiles.h"

namespace {

const DWORD exitFailed = 0xFFFFFFFFu;

std::wstring environmentOf(const wchar_t* name) {
    wchar_t value[32768];
    const DWORD length = GetEnvironmentVariableW(name, value, 32768);
    return std::wstring(value, length < 32768 ? length : 0);
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// One application folder whose starts log to launch.log beside it.
class LoggedApp {
public:
    explicit LoggedApp(const std::wstring& exeName = L"app.exe") : sandbox(exeName) {
        options.environment[L"LAUNCHER_LOG"] = logPath();
        options.environment[L"JVMDOUBLE_LOG"] = sandbox.path(L"calls.log");
    }

    std::wstring logPath() const { return sandbox.path(L"launch.log"); }
    std::vector<std::string> log() const { return readLines(logPath()); }

    std::vector<std::string> linesWith(const std::string& text) const {
        std::vector<std::string> found;
        for (const std::string& line : log()) {
            if (contains(line, text)) found.push_back(line);
        }
        if (found.empty()) {
            for (const std::string& line : log()) std::printf("%s\n", line.c_str());
        }
        return found;
    }
    bool logs(const std::string& text) const { return !linesWith(text).empty(); }

    // Settings for the JVM double's full runtime and a main class it describes.
    void hostedSettings(const std::string& classText, const std::string& extra = "") {
        sandbox.writeFile(L"app.txt", "class app.Main\n" + classText);
        sandbox.writeIni("[Java Runtime Environment]\nJRE Path=" + ansi(runtimeFixture(L"full")) +
                         "\nMain Class=app.Main\n[Class Path]\nClass Path=\\app.txt\n" + extra);
    }

    // Runs to the end, confirming each message box; the first box's text.
    std::wstring runConfirming(DWORD& exitCode) {
        LauncherProcess process(sandbox.exePath(), options);
        std::wstring first;
        boxes = 0;
        const bool ended = waitUntil(
            [&] {
                for (HWND box : findWindows(process.processId(), L"#32770")) {
                    if (!IsWindowVisible(box)) continue;
                    if (boxes++ == 0) first = controlText(box, 0xFFFF);
                    clickButton(box, IDOK);
                    waitForWindowGone(box, 5000);
                }
                return process.wait(0);
            },
            30000);
        exitCode = ended ? process.exitCode() : STILL_ACTIVE;
        while (!first.empty() && (first.back() == L'\n' || first.back() == L'\r')) first.pop_back();
        return first;
    }

    Sandbox sandbox;
    LaunchOptions options;
    int boxes = 0;  // confirmed by the last run
};

// The "<pid>" of a line "<ms> ms [<pid>:<tid>] <text>", empty when the line is not of that form.
std::string processOf(const std::string& line) {
    const size_t open = line.find(" ms [");
    const size_t colon = line.find(':', open);
    const size_t close = line.find("] ", colon);
    auto digits = [&](size_t from, size_t to) {
        return to > from && line.find_first_not_of("0123456789", from) >= to;
    };
    if (open == std::string::npos || close == std::string::npos || !digits(0, open) ||
        !digits(open + 5, colon) || !digits(colon + 1, close) || close + 2 >= line.size()) {
        return std::string();
    }
    return line.substr(open + 5, colon - open - 5);
}

// Every line: milliseconds, process and thread, then the text, and nothing broken off.
void expectWholeLines(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) EXPECT_FALSE(processOf(line).empty()) << line;
}

TEST(DiagnosticLog, RegistrySearchNamesEachRefusedRuntimeWithItsReasonAndTheChoice) {
    RegisteredRuntimes registry;
    LoggedApp app;
    auto runtimeFolder = [&](const std::wstring& name, bool withLibrary) {
        app.sandbox.makeFolder(name + L"\\bin\\client");
        app.sandbox.writeFile(name + L"\\bin\\java.dll", "marker");
        if (withLibrary) app.sandbox.writeFile(name + L"\\bin\\client\\jvm.dll", "not a library");
        return app.sandbox.path(name);
    };
    const std::wstring jre = L"Software\\JavaSoft\\Java Runtime Environment\\";
    registry.add(RuntimeView::Own, L"1.5", runtimeFolder(L"old", true));
    registry.addValue(RuntimeView::Own, L"Software\\JavaSoft\\Java Development Kit\\1.8", L"JavaHome",
                      runtimeFolder(L"jdk", true));
    registry.addValue(RuntimeView::Own, L"Software\\JRockit\\Java Runtime Environment\\1.8", L"JavaHome",
                      runtimeFolder(L"jrockit", true));
    registry.add(RuntimeView::Own, L"1.7", runtimeFolder(L"empty", false));
    const std::wstring chosen = runtimeFolder(L"chosen", true);
    registry.add(RuntimeView::Own, L"1.6", chosen);
    app.sandbox.writeIni(
        "[Java Runtime Environment]\nMain Class=app.Main\nJVM Source=only_JRE\n"
        "[Java Runtime Environment+]\nMinimum Version=1.6\n");

    DWORD exitCode = 0;
    const std::wstring box = app.runConfirming(exitCode);
    EXPECT_EQ(exitCode, exitFailed);
    EXPECT_NE(box.find(chosen + L"\\bin\\client\\jvm.dll"), std::wstring::npos) << toUtf8(box);

    const std::string view = sizeof(void*) == 8 ? "64-bit" : "32-bit";
    EXPECT_TRUE(app.logs("candidate " + view + " HKLM\\" + toUtf8(jre) + "1.5: refused, version limit"));
    EXPECT_TRUE(app.logs("Java Development Kit\\1.8: refused, JVM Source"));
    EXPECT_TRUE(app.logs("JRockit\\Java Runtime Environment\\1.8: refused, VM Provider"));
    EXPECT_TRUE(app.logs(toUtf8(jre) + "1.7, home " + toUtf8(app.sandbox.path(L"empty")) +
                         "\\: refused, no JVM library"));
    EXPECT_TRUE(app.logs(toUtf8(jre) + "1.6, home " + toUtf8(chosen) + "\\, client: usable"));
    EXPECT_TRUE(app.logs("runtime chosen from the registry: " + toUtf8(chosen) + "\\bin\\client\\jvm.dll"));
    // The newer runtime was ranked first and tried first.
    EXPECT_TRUE(app.logs("ranked 1 in the " + view + " view: HKLM\\" + toUtf8(jre) + "1.7, version 1.7"));
    // Where each setting came from.
    EXPECT_TRUE(app.logs("setting [Java Runtime Environment+] Minimum Version = 1.6 ("));
    EXPECT_TRUE(app.logs("settings file " + toUtf8(app.sandbox.iniPath()) + " (ANSI, no byte-order mark)"));
    EXPECT_TRUE(app.logs("failed: "));
    EXPECT_TRUE(app.logs("exit code -1: the start failed"));
    expectWholeLines(app.log());
}

TEST(DiagnosticLog, JvmCreationFailureListsEveryOptionAndTheJniCodeAndChangesNothingElse) {
    const std::string parameters = "Virtual Machine Parameters=-Xmx64m " + ansi(L"-Dgreeting=\"hej då\"") + "\n";
    std::wstring boxes[2];
    for (int logged = 0; logged < 2; ++logged) {
        LoggedApp app;
        app.sandbox.writeFile(L"app.txt", "class app.Main\nmain return\n");
        app.sandbox.writeIni("[Java Runtime Environment]\nJRE Path=" + ansi(runtimeFixture(L"full")) +
                             "\nMain Class=app.Main\n" + parameters + "[Class Path]\nClass Path=\\app.txt\n");
        app.options.environment[L"JVMDOUBLE_CREATE_RESULT"] = L"-6";
        if (!logged) app.options.environment[L"LAUNCHER_LOG"] = L"";
        DWORD exitCode = 0;
        boxes[logged] = app.runConfirming(exitCode);
        EXPECT_EQ(exitCode, exitFailed);
        EXPECT_EQ(pathExists(app.logPath()), logged == 1);
        if (!logged) continue;

        std::vector<std::string> options = app.linesWith("JVM option ");
        ASSERT_EQ(options.size(), 3u);
        EXPECT_TRUE(contains(options[0], "JVM option -Djava.class.path=" + toUtf8(app.sandbox.path(L"app.txt"))));
        EXPECT_TRUE(contains(options[1], "JVM option -Xmx64m"));
        EXPECT_TRUE(contains(options[2], "JVM option -Dgreeting=hej då"));
        EXPECT_TRUE(app.logs("JNI_CreateJavaVM: -6"));
        EXPECT_TRUE(app.logs("failed: JNI-undantag: Det gick inte att skapa Java VM\\nOrsak: ogiltiga argument."));
        EXPECT_TRUE(app.logs("exit code -1: "));
    }
    EXPECT_EQ(boxes[0], L"JNI-undantag: Det gick inte att skapa Java VM\nOrsak: ogiltiga argument.");
    EXPECT_EQ(boxes[1], boxes[0]);
}

TEST(DiagnosticLog, ForwardedStartsShareOneFileWithoutBrokenLines) {
    LoggedApp app;
    app.hostedSettings("main wait-file release.txt\nsecondaryMain int 7\n", "[Application]\nSingle Instance=yes\n");
    LauncherProcess first(app.sandbox.exePath(), app.options);
    ASSERT_TRUE(waitUntil([&] { return app.logs("main called"); }, 20000));

    std::vector<std::unique_ptr<LauncherProcess>> starts;
    for (int i = 0; i < 20; ++i) {
        LaunchOptions options = app.options;
        options.arguments = L"request-" + std::to_wstring(i);
        starts.push_back(std::make_unique<LauncherProcess>(app.sandbox.exePath(), options));
    }
    for (auto& start : starts) {
        ASSERT_TRUE(start->wait(30000));
        EXPECT_EQ(start->exitCode(), 7u);
    }
    app.sandbox.writeFile(L"release.txt", "");
    ASSERT_TRUE(first.wait(20000));
    EXPECT_EQ(first.exitCode(), 0u);

    const std::vector<std::string> lines = app.log();
    expectWholeLines(lines);
    EXPECT_EQ(app.linesWith("single instance: the first instance").size(), 1u);
    EXPECT_EQ(app.linesWith("single instance: a later start").size(), 20u);
    EXPECT_EQ(app.linesWith("the running instance answered 7").size(), 20u);
    EXPECT_EQ(app.linesWith("forwarded start of thread").size(), 40u);  // received and answered
    std::set<std::string> processes;
    for (const std::string& line : lines) processes.insert(processOf(line));
    EXPECT_EQ(processes.size(), 21u);
    EXPECT_EQ(app.linesWith("exit code 0: main returned").size(), 1u);
}

// The log takes the trace without taking it from System.err or the dialog.
TEST(DiagnosticLog, AnUncaughtExceptionIsLoggedAndStillDescribedOrShown) {
    for (const bool failureCheck : {false, true}) {
        SCOPED_TRACE(failureCheck ? "dialog" : "System.err");
        LoggedApp app;
        app.hostedSettings("main throw java.lang.IllegalStateException: boom\n",
                           failureCheck ? "[Application]\nFailure Check=yes\n" : "");
        DWORD exitCode = 0;
        app.runConfirming(exitCode);
        EXPECT_EQ(exitCode, 0u);
        EXPECT_TRUE(app.logs("uncaught exception: java.lang.IllegalStateException: boom\\n"));
        bool described = false;
        for (const std::string& line : readLines(app.sandbox.path(L"calls.log"))) {
            described = described || contains(line, "ExceptionDescribe java/lang/IllegalStateException");
        }
        EXPECT_EQ(described, !failureCheck);
        EXPECT_EQ(app.boxes, failureCheck ? 1 : 0);
    }
}

// The awareness and the taskbar identity are set before the first message
// box, here the one for a missing main class, also with no settings file.
// Wine 8 holds every process aware already and knows no per-monitor v2.
TEST(DiagnosticLog, DesktopSettingsAreSetAndLoggedBeforeTheFirstMessage) {
    const std::pair<const char*, const char*> cases[] = {
        {nullptr, "DPI awareness: system (the default); SetProcessDpiAwarenessContext(-2): error 5"},
        {"System", "DPI awareness: System; SetProcessDpiAwarenessContext(-2): error 5"},
        {"per-monitor", "DPI awareness: per-monitor; SetProcessDpiAwarenessContext(-4): error 87; "
                        "SetProcessDpiAwareness(2): 0x80070005"},
        {"unaware", "DPI awareness: unaware; SetProcessDpiAwarenessContext(-1): error 5"}};
    for (const auto& [value, expected] : cases) {
        SCOPED_TRACE(value ? value : "no settings file");
        LoggedApp app;
        if (value) app.sandbox.writeIni(std::string("[Application]\nDPI Awareness=") + value +
                                        "\nApp User Model ID=Example.Desktop\n");
        DWORD exitCode = 0;
        EXPECT_EQ(app.runConfirming(exitCode), L"Huvudklass har inte angetts i INI-filen.");
        const std::vector<std::string> lines = app.log();
        auto index = [&](const std::string& text) {
            auto has = [&](const std::string& line) { return contains(line, text); };
            return std::find_if(lines.begin(), lines.end(), has) - lines.begin();
        };
        EXPECT_LT(index(std::string("] ") + expected), index("] failed: "));
        EXPECT_TRUE(app.logs(value ? "App User Model ID: Example.Desktop, SetCurrentProcessExplicitAppUserModelID: 0x0"
                                   : "App User Model ID: none"));
    }
}

// `link` made a symbolic link to the folder `target`. Wine 8's
// CreateSymbolicLinkW reports success and makes nothing, but Wine takes a
// link on its Unix side for one: ln makes that, started in the sandbox.
bool makeFolderLink(const Sandbox& sandbox, const std::wstring& link, const std::wstring& target) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    std::wstring commandLine = L"ln -s " + target + L" " + link;
    if (!CreateProcessW(L"Z:\\bin\\ln", &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        sandbox.folder().c_str(), &startup, &process)) {
        return false;
    }
    // Wine gives no handle to wait on for a Unix program.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return waitUntil([&] {
        const DWORD attributes = GetFileAttributesW(sandbox.path(link).c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
    });
}

// Each path the log refuses: the start is as with logging off, and nothing
// the path reaches is created, written or connected to.
TEST(DiagnosticLog, ALogThatCannotBeWrittenOrIsRefusedLeavesTheStartAsWithLoggingOff) {
    for (const std::string kind : {"missing folder", "read-only file", "hard link", "folder link", "pipe"}) {
        SCOPED_TRACE(kind);
        LoggedApp app;
        app.hostedSettings("main exit 5\n");
        std::wstring path = app.logPath();
        const std::wstring kept = app.sandbox.path(L"kept.log");
        app.sandbox.writeFile(L"kept.log", "kept\n");
        ScopedFile pipe;
        OVERLAPPED connection = {};
        ScopedHandle connected(CreateEventW(nullptr, TRUE, FALSE, nullptr));
        if (kind == "missing folder") path = app.sandbox.path(L"missing\\launch.log");
        if (kind == "read-only file") {
            path = kept;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
        }
        ASSERT_TRUE(kind != "hard link" || CreateHardLinkW(path.c_str(), kept.c_str(), nullptr));
        if (kind == "folder link") {
            // The file would have to be created, there.
            app.sandbox.makeFolder(L"elsewhere");
            ASSERT_TRUE(makeFolderLink(app.sandbox, L"linked", L"elsewhere"));
            path = app.sandbox.path(L"linked\\launch.log");
        }
        if (kind == "pipe") {
            path = L"\\\\.\\pipe\\launcher-log-" + std::to_wstring(GetCurrentProcessId());
            pipe.reset(CreateNamedPipeW(path.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED, PIPE_TYPE_BYTE, 1,
                                        4096, 4096, 0, nullptr));
            ASSERT_TRUE(pipe);
            connection.hEvent = connected.get();
            ConnectNamedPipe(pipe.get(), &connection);
        }
        app.options.environment[L"LAUNCHER_LOG"] = path;
        DWORD exitCode = 0;
        EXPECT_EQ(app.runConfirming(exitCode), L"");
        EXPECT_EQ(exitCode, 5u);
        EXPECT_FALSE(pathExists(app.sandbox.path(L"missing")));
        EXPECT_FALSE(pathExists(app.sandbox.path(L"elsewhere\\launch.log")));
        EXPECT_EQ(readFileBytes(kept), "kept\n");
        // A client that had opened the pipe would have been connected before the start ended.
        EXPECT_EQ(WaitForSingleObject(connected.get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
        SetFileAttributesW(kept.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST(DiagnosticLog, OnlyTheVariableOrTheSettingSwitchesItOnAndTheFileIsAppendedTo) {
    LoggedApp app(L"log-switch-probe.exe");
    app.hostedSettings("main return\n");
    const std::wstring temporary = environmentOf(L"TEMP") + L"\\log-switch-probe.log";
    DeleteFileW(temporary.c_str());

    app.options.environment[L"LAUNCHER_LOG"] = L"";
    EXPECT_EQ(runToExit(app.sandbox.exePath(), app.options), 0u);
    EXPECT_FALSE(pathExists(app.logPath()));
    EXPECT_FALSE(pathExists(temporary));

    app.options.environment[L"LAUNCHER_LOG"] = L"1";
    EXPECT_EQ(runToExit(app.sandbox.exePath(), app.options), 0u);
    EXPECT_TRUE(contains(readFileBytes(temporary), "exit code 0: main returned"));
    DeleteFileW(temporary.c_str());

    // Short (8.3) names, in other letter case, name the same file.
    wchar_t shortFolder[MAX_PATH] = {};
    ASSERT_NE(GetShortPathNameW(app.sandbox.folder().c_str(), shortFolder, MAX_PATH), 0u);
    app.options.environment[L"LAUNCHER_LOG"] = CharLowerW(shortFolder) + std::wstring(L"LAUNCH.LOG");
    EXPECT_EQ(runToExit(app.sandbox.exePath(), app.options), 0u);
    EXPECT_TRUE(app.logs("exit code 0: main returned"));
    DeleteFileW(app.logPath().c_str());

    // The setting's relative path is the executable's folder's, whatever the working folder.
    app.options.environment[L"LAUNCHER_LOG"] = L"";
    app.options.workingFolder = environmentOf(L"TEMP");
    app.hostedSettings("main return\n", "[Application]\nLog File=launch.log\n");
    EXPECT_EQ(runToExit(app.sandbox.exePath(), app.options), 0u);
    EXPECT_EQ(runToExit(app.sandbox.exePath(), app.options), 0u);
    EXPECT_EQ(app.linesWith("exit code 0: main returned").size(), 2u);
    EXPECT_EQ(app.linesWith("setting [Class Path] Class Path = \\app.txt (").size(), 2u);
    expectWholeLines(app.log());
}

}  // namespace
