#include "hosting/JvmOptions.h"

#include <windows.h>

#include "core/CommandLine.h"
#include "core/ErrorReporting.h"
#include "core/Launcher.h"
#include "core/Settings.h"
#include "core/SettingsRules.h"
#include "core/win/DllSearch.h"
#include "core/win/ThreadAnsi.h"
#include "hosting/ClassPath.h"
#include "hosting/LibraryPaths.h"
#include "hosting/TextConversion.h"
#include "hosting/VmParameters.h"
#include "resources/resource.h"

namespace {

MemoryBase currentMemoryBase() {
    MEMORYSTATUS status{};
    status.dwLength = sizeof(status);
    GlobalMemoryStatus(&status);
    return {static_cast<uint64_t>(status.dwTotalPhys >> 10), static_cast<uint64_t>(status.dwAvailVirtual >> 10)};
}

void readOutputFile(const SettingsLookup& lookup, const wchar_t* fileKey, const wchar_t* appendKey,
                    std::wstring& file, bool& append) {
    file = lookup.getString(L"Application", fileKey);
    if (!file.empty()) file = expandEnvironment(file);
    append = isYesExactly(lookup.getString(L"Application", appendKey));
}

}  // namespace

void prepareLibraryEnvironment(Launcher& launcher) {
    const std::wstring& jvmPath = launcher.jvmLibraryPath;
    SetEnvironmentVariableW(L"QZ_JVM_PATH", jvmPath.c_str());
    SetEnvironmentVariableW(L"QZ_JVM_HOME", runtimeHomeOf(jvmPath).c_str());
    // The runtime's own libraries (its C runtime) then load from its bin
    // folder, as they do for its java.exe, and never from the working folder.
    searchFolderForLibraries(runtimeHomeOf(jvmPath) + L"\\bin");

    const LauncherSettings& settings = launcher.settings;
    if (!settings.libraryPath.empty()) {
        std::wstring executable;
        modulePath(executable);
        std::wstring value = libraryPathValue(settings.libraryPath, folderOf(executable), jvmPath);
        launcher.jvmOptions.push_back(toThreadAnsi(L"-Djava.library.path=" + expandEnvironment(value)));
    }
    std::wstring path = expandEnvironment(searchPathValue(settings.systemPath, jvmPath));
    SetEnvironmentVariableW(L"Path", path.c_str());
}

bool buildJvmOptions(Launcher& launcher) {
    std::wstring settingsPath;
    if (!settingsFilePath(settingsPath)) return false;
    std::wstring executable;
    if (!modulePath(executable)) return false;
    SettingsLookup lookup(settingsPath);

    std::wstring executableFolder = withoutLastComponents(executable, 1);
    std::wstring classPath = buildClassPath(lookup.getString(L"Class Path", L"Class Path"), executableFolder);
    if (isYesAnyCase(lookup.getString(L"Application", L"Embedded Jar"))) classPath = executable + L";" + classPath;
    if (classPath.empty()) {
        showError(launcher.messageOwner(), MAKEINTRESOURCEW(IDS_CLASS_PATH_MISSING));
        return false;
    }

    std::vector<std::wstring> options{L"-Djava.class.path=" + classPath};
    std::wstring parameters = lookup.getString(L"Java Runtime Environment", L"Virtual Machine Parameters");
    std::vector<std::wstring> tokens = splitVmParameters(parameters);
    if (!tokens.empty()) {
        MemoryBase base = currentMemoryBase();
        for (const std::wstring& token : tokens) {
            options.push_back(processVmParameter(token, base, launcher.javaStackSize));
        }
    }
    for (const std::wstring& option : options) launcher.jvmOptions.push_back(toThreadAnsi(expandEnvironment(option)));

    OutputRedirection& output = launcher.output;
    readOutputFile(lookup, L"Output File", L"Output Append", output.outputFile, output.outputAppend);
    readOutputFile(lookup, L"Error File", L"Error Append", output.errorFile, output.errorAppend);

    std::wstring cmd = lookup.getString(L"Application", L"Cmd");
    if (!cmd.empty()) {
        std::vector<std::wstring> extra;
        tokenize(expandEnvironment(cmd), extra);
        for (std::wstring& argument : extra) {
            if (!argument.empty()) launcher.arguments.push_back(std::move(argument));
        }
    }
    return true;
}
