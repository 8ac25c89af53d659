#include "hosting/JvmOptions.h"

#include <windows.h>

#include "core/CommandLine.h"
#include "core/SettingsRules.h"
#include "core/win/DiagnosticLog.h"
#include "core/win/DllSearch.h"
#include "core/win/Text.h"
#include "hosting/ClassPath.h"
#include "hosting/LibraryPaths.h"
#include "hosting/StartupArchive.h"
#include "hosting/VmParameters.h"
#include "resources/resource.h"

namespace {

MemoryBase currentMemoryBase() {
    MEMORYSTATUS status{};
    status.dwLength = sizeof(status);
    GlobalMemoryStatus(&status);
    return {static_cast<uint64_t>(status.dwTotalPhys >> 10), static_cast<uint64_t>(status.dwAvailVirtual >> 10)};
}

std::wstring expandedFileName(const std::wstring& file) { return file.empty() ? file : expandEnvironment(file); }

// The main module as "java -m" takes it: the class it names, else "Main Class" inside it.
std::wstring qualifiedMainModule(const HostingSettings& settings) {
    if (settings.mainModule.find(L'/') != std::wstring::npos || settings.mainClass.empty()) {
        return settings.mainModule;
    }
    std::wstring dotted = settings.mainClass;
    for (wchar_t& c : dotted) {
        if (c == L'/') c = L'.';
    }
    return settings.mainModule + L"/" + dotted;
}

}  // namespace

void prepareLibraryEnvironment(const HostingSettings& settings, const std::wstring& jvmLibraryPath,
                               const std::wstring& executablePath, JavaLaunch& launch) {
    SetEnvironmentVariableW(L"QZ_JVM_PATH", jvmLibraryPath.c_str());
    SetEnvironmentVariableW(L"QZ_JVM_HOME", runtimeHomeOf(jvmLibraryPath).c_str());
    // The runtime's own libraries (its C runtime) then load from its bin
    // folder, as they do for its java.exe, and never from the working folder.
    searchFolderForLibraries(runtimeHomeOf(jvmLibraryPath) + L"\\bin");

    if (!settings.libraryPath.empty()) {
        std::wstring value = libraryPathValue(settings.libraryPath, folderOf(executablePath), jvmLibraryPath);
        launch.options.push_back(toThreadAnsi(L"-Djava.library.path=" + expandEnvironment(value)));
    }
    std::wstring path = expandEnvironment(searchPathValue(settings.systemPath, jvmLibraryPath));
    SetEnvironmentVariableW(L"Path", path.c_str());
    if (logIsOn()) {
        logLine("environment: QZ_JVM_PATH=%s, QZ_JVM_HOME=%s, Path=%s", jvmLibraryPath.c_str(),
                runtimeHomeOf(jvmLibraryPath).c_str(), path.c_str());
    }
}

MaybeFailure buildJvmOptions(const HostingSettings& settings, const std::wstring& executablePath,
                             const std::wstring& jvmLibraryPath, const std::wstring& archiveVersion,
                             JavaLaunch& launch) {
    std::wstring executableFolder = withoutLastComponents(executablePath, 1);
    std::wstring classPath = buildClassPath(settings.classPath, executableFolder);
    if (settings.embeddedJar) classPath = executablePath + L";" + classPath;
    if (classPath.empty() && settings.mainModule.empty()) return failureMessage(IDS_CLASS_PATH_MISSING);

    // The module options in the form the JVM takes them through the invocation interface.
    std::vector<std::wstring> options;
    if (!classPath.empty()) options.push_back(L"-Djava.class.path=" + classPath);
    std::wstring modulePath = buildClassPath(settings.modulePath, executableFolder);
    if (!modulePath.empty()) options.push_back(L"--module-path=" + modulePath.substr(0, modulePath.size() - 1));
    if (!settings.addModules.empty()) options.push_back(L"--add-modules=" + settings.addModules);
    if (!settings.mainModule.empty()) {
        options.push_back(L"-Djdk.module.main=" + settings.mainModule.substr(0, settings.mainModule.find(L'/')));
    }
    std::vector<std::wstring> tokens = splitVmParameters(settings.vmParameters);
    for (std::wstring& token : splitVmParameters(settings.userVmParameters)) tokens.push_back(std::move(token));
    if (!tokens.empty()) {
        MemoryBase base = currentMemoryBase();
        for (const std::wstring& token : tokens) options.push_back(processVmParameter(token, base, launch.stackSize));
    }
    for (const std::wstring& option : options) launch.options.push_back(toThreadAnsi(expandEnvironment(option)));
    if (!settings.startupCacheFolder.empty() && !archiveVersion.empty()) {
        addStartupArchiveOptions(settings.startupCacheFolder, jvmLibraryPath, archiveVersion, classPath,
                                 launch.options);
    }

    launch.output = {expandedFileName(settings.outputFile), settings.outputAppend, expandedFileName(settings.errorFile),
                     settings.errorAppend};

    if (!settings.cmd.empty()) {
        std::vector<std::wstring> extra;
        tokenize(expandEnvironment(settings.cmd), extra);
        for (std::wstring& argument : extra) {
            if (!argument.empty()) launch.arguments.push_back(std::move(argument));
        }
    }
    launch.mainClass = settings.mainClass;
    if (!settings.mainModule.empty()) launch.mainModule = qualifiedMainModule(settings);
    launch.failureCheck = settings.failureCheck;
    launch.keepsThreadsAttached = settings.keepsThreadsAttached;
    return std::nullopt;
}
