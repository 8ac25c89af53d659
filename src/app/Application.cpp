#include "app/Application.h"

#include "app/LauncherProcess.h"
#include "app/RestartSupervisor.h"
#include "app/ServiceHost.h"
#include "core/CommandLine.h"
#include "core/ErrorReporting.h"
#include "core/Settings.h"
#include "core/SettingsRules.h"
#include "core/win/DesktopIntegration.h"
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

Application::Application(const SettingsLookup& settingsFile, ServiceHost* service)
    : settingsFile_(settingsFile),
      service_(service),
      session_(std::make_shared<JavaSession>()),
      splash_(session_->splashWindow) {}

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
    if (service_) {
        service_->reportError(failureText(failure));
    } else {
        showFailure(session_->splashWindow.load(), failure);
    }
    return failure.exitCode;
}

int Application::run() {
    const int exitCode = runStages();
    logLine("exit code %d: %a", exitCode, endReason_);
    return exitCode;
}

void Application::startLog() {
    if (!openLog(logFilePath(executablePath_, settingsFile_))) return;
    logLine("launcher " LAUNCHER_VERSION_TEXT " %a, %s, %u arguments%a", sizeof(void*) == 8 ? "x86-64" : "x86",
            executablePath_.c_str(), static_cast<unsigned>(arguments_.size()),
            startedByPair_ ? " (started by its pair)" : "");
}

int Application::runStages() {
    startedByPair_ = takePairedStartMark();
    const RunMark runMark = takeRunMark();
    arguments_ = splitCommandLineText(GetCommandLineW());
    // The desktop settings apply before the first message box, even one about
    // the settings themselves (the defaults where none could be read).
    if (MaybeFailure failure = modulePath(executablePath_)) {
        applyDesktopSettings(settings_.desktop);
        return fail(*failure);
    }
    startLog();
    const RestartSettings restart = runMark == RunMark::none ? readRestartSettings(settingsFile_) : RestartSettings();
    if (restart.enabled) {
        // Its runs are the pair's as much as this process is.
        if (startedByPair_) SetEnvironmentVariableW(kPairedStartVariable, L"1");
        endReason_ = "the last run's exit code";
        return superviseRuns(executablePath_, restart);
    }
    const MaybeFailure settingsFailure = readAppSettings(executablePath_, settingsFile_, settings_);
    applyDesktopSettings(settings_.desktop);
    if (settingsFailure) return fail(*settingsFailure);
    logPhase("start-up and settings", 0);
#ifdef LAUNCHER_CONSOLE
    // The trace reaches the console on System.err; a dialog would stop a script.
    settings_.hosting.failureCheck = false;
#endif
    // A service shows no window at all: an escaped exception's trace goes to System.err.
    if (service_) settings_.hosting.failureCheck = false;

    auto target = std::make_shared<ForwardTarget>();
    target->keepsThreadsAttached = settings_.hosting.keepsThreadsAttached;
    target->session = session_;
    if (runMark == RunMark::heldBlock) instance_.takeOverHeldBlock();
    for (;;) {
        if (MaybeFailure failure = instance_.setup(settings_.singleInstance, executablePath_, arguments_, target)) {
            return fail(*failure);
        }
        if (!instance_.isLaterStart()) break;
        logLine("single instance: a later start, its arguments forwarded to the running instance");
        endReason_ = "the running instance's answer";
        if (std::optional<int> answer = instance_.waitForReply()) {
            logLine("the running instance answered %d", *answer);
            return *answer;
        }
        // It gave its start to the pair, where this start goes too.
        logLine("the running instance handed over to its pair: starting again");
        instance_.shutdown();
    }
    logLine(settings_.singleInstance ? "single instance: the first instance" : "single instance: off");

    // A service starts in the system folder: it takes its own unless the setting says otherwise.
    if (settings_.overrideWorkingDir || (service_ && !settings_.workingDirGiven)) makeFolderCurrent(executablePath_);
    const unsigned searchStarted = logClock();
    std::optional<RuntimeChoice> choice = chooseRuntime();
    logPhase("runtime search", searchStarted);
    if (!choice) {
        endReason_ = "no runtime";
        return -1;
    }
    if (logIsOn()) {
        const std::wstring version = choice->version == JavaVersion{} ? L"unknown" : formatVersion(choice->version);
        logLine("runtime chosen from %a: %s, version %s%a", kOriginNames[static_cast<int>(choice->origin)],
                choice->library.c_str(), version.c_str(),
                choice->paired ? ", another architecture's: the pair hosts it" : "");
    }
    if (choice->paired && service_) {
        // The pair would run as a child the service manager never sees: never
        // reported running, and out of a stop's reach. The service ends as it
        // would loading that library itself.
        logLine("a service does not hand its runtime to the pair: the pair is to be installed as the service");
        return fail(windowsFailure(IDS_JVM_LOAD_FAILED, choice->library, ERROR_BAD_EXE_FORMAT));
    }
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
    std::wstring notFound = formatString(textId, requirement.c_str());
    // Nobody may be there to browse: say where a runtime is had, and end the launch.
    if (service_) {
        service_->reportError(notFound += L"\n" JRE_DOWNLOAD_ADDRESS);
        return std::nullopt;
    }
#ifdef LAUNCHER_CONSOLE
    showError(nullptr, (notFound += L"\n" JRE_DOWNLOAD_ADDRESS).c_str());
    return std::nullopt;
#endif
    logLine("no runtime found: the JRE-not-found dialog asks the user");
    JreNotFoundDialog dialog(std::move(notFound), runtime.jvmTypeMode);
    if (dialog.show(GetActiveWindow()) != IDOK) {
        logLine("the dialog was cancelled");
        return std::nullopt;
    }
    rememberRuntimeFolder(settings_, executablePath_, dialog.chosenFolder());
    return chosenRuntime(search, dialog.chosenLibrary());
}

int Application::runPairedLauncher() {
    endReason_ = "the paired executable's outcome";
    // This process runs no Java: later starts must reach the pair's instance.
    instance_.handOver();
    SetEnvironmentVariableW(kPairedStartVariable, L"1");
    logLine("paired start: %s, command line %s", settings_.pairProduct.c_str(), GetCommandLineW());
    DWORD processId = 0;
    ScopedHandle processHandle = startLauncherProcess(settings_.pairProduct, processId);
    if (!processHandle) {
        logLine("paired start failed, system error %u", static_cast<unsigned>(GetLastError()));
        return 0;
    }
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
    if (!service_ && !hasNoSplashSwitch(arguments_)) splash_.start(settings_.splash, choice.library);
    if (MaybeFailure failure = loadJvmLibrary(choice.library, launch.entryPoints)) return fail(*failure);
    // Java 19 and later make and check a class-data archive themselves.
    const std::wstring archiveVersion = choice.version.parts[0] >= 19 ? formatVersion(choice.version) : std::wstring();
    if (MaybeFailure failure = buildJvmOptions(settings_.hosting, executablePath_, choice.library, archiveVersion,
                                               launch)) {
        return fail(*failure);
    }
    if (service_) service_->prepareLaunch(launch, session_, settings_);

    const unsigned javaStarted = logClock();
    MaybeFailure failure = runJavaThread(launch, *session_, [this] { splash_.closeWindow(); });
    logPhase("the Java thread", javaStarted);
    endReason_ = "main returned and the last non-daemon Java thread ended";
    if (!failure) return 0;
    const int exitCode = fail(*failure);
    splash_.callCloseHook();
    return exitCode;
}
