#include "app/Application.h"

#include "core/CommandLine.h"
#include "core/ErrorReporting.h"
#include "core/Settings.h"
#include "core/SettingsRules.h"
#include "core/win/DiagnosticLog.h"
#include "core/win/Scoped.h"
#include "discovery/ui/JreNotFoundDialog.h"
#include "hosting/JavaThread.h"
#include "hosting/JvmLibrary.h"
#include "hosting/JvmOptions.h"
#include "resources/resource.h"
#include "version.h"

namespace {

// Set for the paired executable's process only: this process starts no Java
// that could pass it on, and the pair clears it at once.
constexpr wchar_t kPairedStartVariable[] = L"QZ_PAIRED_START";

bool takePairedStartMark() {
    if (GetEnvironmentVariableW(kPairedStartVariable, nullptr, 0) == 0) return false;
    SetEnvironmentVariableW(kPairedStartVariable, nullptr);
    return true;
}

void makeFolderCurrent(const std::wstring& executablePath) {
    size_t slash = executablePath.rfind(L'\\');
    if (slash == std::wstring::npos || slash == 0) return;
    SetCurrentDirectoryW(executablePath.substr(0, slash).c_str());
}

// Where a runtime came from, by RuntimeOrigin.
const char* const kOriginNames[] = {"JRE Path", "the runtime beside the executable", "JAVA_HOME", "the registry",
                                    "the other registry view", "the folder the user chose"};

}  // namespace

Application::Application() : session_(std::make_shared<JavaSession>()), splash_(session_->splashWindow) {}

Application::~Application() {
    splash_.closeWindow();
    session_->destroyVm();
    instance_.shutdown();
    splash_.callCloseHook();
}

int Application::fail(const Failure& failure) {
    if (logIsOn()) {
        logLine("failed: %s%a", failureText(failure).c_str(), failure.messageId ? "" : "(reported already)");
    }
    endReason_ = "the start failed";
    showFailure(session_->splashWindow.load(), failure);
    return failure.exitCode;
}

int Application::run() {
    const int exitCode = runStages();
    logLine("exit code %d: %a", exitCode, endReason_);
    return exitCode;
}

void Application::startLog() {
    if (!openLog(logFilePath(executablePath_))) return;
    logLine("launcher " LAUNCHER_VERSION_TEXT " %a, %s, %u arguments%a", sizeof(void*) == 8 ? "x86-64" : "x86",
            executablePath_.c_str(), static_cast<unsigned>(arguments_.size()),
            startedByPair_ ? " (started by its pair)" : "");
}

int Application::runStages() {
    startedByPair_ = takePairedStartMark();
    arguments_ = splitCommandLineText(GetCommandLineW());
    if (MaybeFailure failure = modulePath(executablePath_)) return fail(*failure);
    startLog();
    if (MaybeFailure failure = readAppSettings(executablePath_, settings_)) return fail(*failure);
    logPhase("start-up and settings", 0);
#ifdef LAUNCHER_CONSOLE
    // The trace reaches the console on System.err; a dialog would stop a script.
    settings_.hosting.failureCheck = false;
#endif

    auto target = std::make_shared<ForwardTarget>();
    target->mainClass = settings_.hosting.mainClass;
    target->keepsThreadsAttached = settings_.hosting.keepsThreadsAttached;
    target->session = session_;
    if (MaybeFailure failure = instance_.setup(settings_.singleInstance, executablePath_, arguments_, target)) {
        return fail(*failure);
    }
    if (instance_.isLaterStart()) {
        logLine("single instance: a later start, its arguments forwarded to the running instance");
        endReason_ = "the running instance's answer";
        const int answer = instance_.waitForReply();
        logLine("the running instance answered %d", answer);
        return answer;
    }
    logLine(settings_.singleInstance ? "single instance: the first instance" : "single instance: off");

    if (settings_.overrideWorkingDir) makeFolderCurrent(executablePath_);
    const unsigned searchStarted = logClock();
    std::optional<RuntimeChoice> choice = chooseRuntime();
    logPhase("runtime search", searchStarted);
    if (!choice) {
        endReason_ = "no runtime";
        return -1;
    }
    logLine("runtime chosen from %a: %s%a", kOriginNames[static_cast<int>(choice->origin)], choice->library.c_str(),
            choice->paired ? ", another architecture's: the pair hosts it" : "");
    if (choice->paired) return runPairedLauncher();
    return runJava(*choice);
}

std::optional<RuntimeChoice> Application::chooseRuntime() {
    RuntimeSearch search;
    search.requirements = settings_.runtime;
    search.jrePath = settings_.jrePath;
    search.executableFolder = folderOf(executablePath_);
    search.startedByPair = startedByPair_;
    if (std::optional<RuntimeChoice> found = findRuntime(search)) return found;

    const RuntimeRequirements& runtime = settings_.runtime;
    RequirementPhrase phrase = describeRequirement(runtime.versionMin, runtime.versionMax);
    std::wstring requirement = formatString(phrase.stringId, phrase.first.c_str(), phrase.second.c_str());
    UINT textId = runtime.jvmTypeMode == JvmTypeMode::ServerOnly ? IDS_JRE_NOT_FOUND_SERVER : IDS_JRE_NOT_FOUND;
#ifdef LAUNCHER_CONSOLE
    // Nobody may be there to browse: say where a runtime is had, and end the launch.
    showError(nullptr, (formatString(textId, requirement.c_str()) + L"\n" JRE_DOWNLOAD_ADDRESS).c_str());
    return std::nullopt;
#endif
    logLine("no runtime found: the JRE-not-found dialog asks the user");
    JreNotFoundDialog dialog(formatString(textId, requirement.c_str()), runtime.jvmTypeMode);
    if (dialog.show(GetActiveWindow()) != IDOK) {
        logLine("the dialog was cancelled");
        return std::nullopt;
    }
    rememberRuntimeFolder(settings_, executablePath_, dialog.chosenFolder());
    return chosenRuntime(search, dialog.chosenLibrary());
}

int Application::runPairedLauncher() {
    endReason_ = "the paired executable's outcome";
    SetEnvironmentVariableW(kPairedStartVariable, L"1");
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    std::wstring commandLine = GetCommandLineW();
    BOOL inheritHandles = FALSE;
#ifdef LAUNCHER_CONSOLE
    // The pair writes where this program would have: a redirected output too.
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    inheritHandles = TRUE;
#endif
    logLine("paired start: %s, command line %s", settings_.pairProduct.c_str(), commandLine.c_str());
    if (!CreateProcessW(settings_.pairProduct.c_str(), &commandLine[0], nullptr, nullptr, inheritHandles, 0, nullptr,
                        nullptr, &startup, &process)) {
        logLine("paired start failed, system error %u", static_cast<unsigned>(GetLastError()));
        return 0;
    }
    ScopedHandle processHandle(process.hProcess);
    ScopedHandle threadHandle(process.hThread);
    if (!settings_.pairReturnCode) return 0;
    WaitForSingleObject(processHandle.get(), INFINITE);
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(processHandle.get(), &exitCode)) return 0;
    logLine("the paired executable ended with %d", static_cast<int>(exitCode));
    return static_cast<int>(exitCode);
}

int Application::runJava(const RuntimeChoice& choice) {
    JavaLaunch launch;
    launch.arguments = arguments_;
    prepareLibraryEnvironment(settings_.hosting, choice.library, executablePath_, launch);
    if (!hasNoSplashSwitch(arguments_)) splash_.start(settings_.splash, choice.library);
    if (MaybeFailure failure = loadJvmLibrary(choice.library, launch.entryPoints)) return fail(*failure);
    if (MaybeFailure failure = buildJvmOptions(settings_.hosting, executablePath_, launch)) return fail(*failure);

    const unsigned javaStarted = logClock();
    MaybeFailure failure = runJavaThread(launch, *session_, [this] { splash_.closeWindow(); });
    logPhase("the Java thread", javaStarted);
    endReason_ = "main returned and the last non-daemon Java thread ended";
    if (!failure) return 0;
    const int exitCode = fail(*failure);
    splash_.callCloseHook();
    return exitCode;
}
