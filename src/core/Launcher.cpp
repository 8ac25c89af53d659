#include "core/Launcher.h"

#include <windows.h>

#include "core/CommandLine.h"
#include "core/ErrorReporting.h"
#include "core/Settings.h"
#include "core/SettingsRules.h"
#include "discovery/RuntimeSearch.h"
#include "discovery/ui/JreNotFoundDialog.h"
#include "hosting/JavaThread.h"
#include "hosting/JvmLibrary.h"
#include "hosting/JvmOptions.h"
#include "instance/SingleInstance.h"
#include "resources/resource.h"
#include "splash/SplashControl.h"

namespace {

// Set for the paired executable's process only: this process starts no Java
// that could pass it on, and the pair clears it at once.
constexpr wchar_t kPairedStartVariable[] = L"QZ_PAIRED_START";

bool takePairedStartMark() {
    if (GetEnvironmentVariableW(kPairedStartVariable, nullptr, 0) == 0) return false;
    SetEnvironmentVariableW(kPairedStartVariable, nullptr);
    return true;
}

void makeExecutableFolderCurrent() {
    std::wstring executable;
    if (!modulePath(executable)) return;
    size_t slash = executable.rfind(L'\\');
    if (slash == std::wstring::npos || slash == 0) return;
    SetCurrentDirectoryW(executable.substr(0, slash).c_str());
}

// A bare file name in "Pair Product" names the executable beside this one, as
// an application folder ships them; a start from another working folder
// would not find it otherwise.
std::wstring pairExecutablePath(const std::wstring& pair) {
    std::wstring executable;
    bool namesFolder = pair.find_first_of(L"\\/:") != std::wstring::npos;
    if (namesFolder || !modulePath(executable)) return pair;
    return executable.substr(0, executable.rfind(L'\\') + 1) + pair;
}

}  // namespace

Launcher::~Launcher() {
    closeSplash(*this);
    destroyJvm(*this);
    shutdownSingleInstance(*this);
    mainStartedEvent.reset();
    callSplashCloseHook(*this);
}

bool Launcher::init() {
    startedByPair = takePairedStartMark();
    arguments = splitCommandLineText(GetCommandLineW());
    if (!loadSettings(settings)) return false;
#ifdef LAUNCHER_CONSOLE
    // The trace reaches the console on System.err; a dialog would stop a script.
    settings.failureCheck = false;
#endif
    if (!setupSingleInstance(*this)) return false;
    if (instance.singleInstance && !instance.isFirstInstance) return true;
    if (settings.overrideWorkingDir) makeExecutableFolderCurrent();
    return findRuntime() || askForRuntime();
}

bool Launcher::findRuntime() {
    const JvmTypeMode mode = settings.jvmTypeMode;
    if (!settings.jrePath.empty()) {
        jvmLibraryPath = findJvmLibrary(withFolderBackslash(settings.jrePath), mode).path;
        if (!jvmLibraryPath.empty()) {
            usePairedLauncher = needsPair(jvmLibraryPath);
            return true;
        }
    }

    std::wstring home;
    if (findLocalRuntime(home) && !home.empty()) {
        jvmLibraryPath = findJvmLibrary(home, mode).path;
        if (!jvmLibraryPath.empty()) return true;
    }

    home.clear();
    bool found = searchRegistry(settings, kOwnRegistryView, home);
    if (!found && !startedByPair && searchRegistry(settings, kPairedRegistryView, home)) {
        found = true;
        usePairedLauncher = true;
    }
    if (found) jvmLibraryPath = findJvmLibrary(home, mode).path;
    return !jvmLibraryPath.empty();
}

bool Launcher::askForRuntime() {
    RequirementPhrase phrase = describeRequirement(settings.versionMin, settings.versionMax);
    std::wstring requirement = formatString(phrase.stringId, phrase.first.c_str(), phrase.second.c_str());
    UINT textId = settings.jvmTypeMode == JvmTypeMode::ServerOnly ? IDS_JRE_NOT_FOUND_SERVER : IDS_JRE_NOT_FOUND;
#ifdef LAUNCHER_CONSOLE
    // Nobody may be there to browse: say where a runtime is had, and end the launch.
    const std::wstring address = L"" JRE_DOWNLOAD_ADDRESS;
    showError(nullptr, (formatString(textId, requirement.c_str()) + L"\n" + address).c_str());
    return false;
#endif
    JreNotFoundDialog dialog(formatString(textId, requirement.c_str()), settings.jvmTypeMode);
    if (dialog.show(GetActiveWindow()) != IDOK) return false;

    jvmLibraryPath = dialog.chosenLibrary();
    usePairedLauncher = needsPair(jvmLibraryPath);
    std::wstring path;
    if (settingsFilePath(path)) writeJrePath(settings, dialog.chosenFolder());
    return true;
}

bool Launcher::needsPair(const std::wstring& library) const {
    return !settings.pairProduct.empty() && !startedByPair && isForeignMachineLibrary(library);
}

int Launcher::runPairedLauncher() {
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
    std::wstring pair = pairExecutablePath(settings.pairProduct);
    if (!CreateProcessW(pair.c_str(), &commandLine[0], nullptr, nullptr, inheritHandles, 0, nullptr, nullptr, &startup,
                        &process)) {
        return 0;
    }
    ScopedHandle processHandle(process.hProcess);
    ScopedHandle threadHandle(process.hThread);
    if (!settings.pairReturnCode) return 0;
    WaitForSingleObject(processHandle.get(), INFINITE);
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(processHandle.get(), &exitCode)) return 0;
    return static_cast<int>(exitCode);
}

int Launcher::run() {
    if (usePairedLauncher) return runPairedLauncher();
    if (instance.singleInstance && !instance.isFirstInstance) return waitForReply(*this);

    prepareLibraryEnvironment(*this);
    if (!hasNoSplashSwitch(arguments) && !startSplash(*this)) return 0;
    if (!loadJvmLibrary(*this, jvmLibraryPath)) return -1;
    // One message per failure: an empty class path ends the launch here.
    if (!buildJvmOptions(*this)) return -1;
    if (runJavaThread(*this) == 0) return 0;
    callSplashCloseHook(*this);
    return -1;
}
