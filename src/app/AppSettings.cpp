#include "app/AppSettings.h"

#include <windows.h>

#include "core/DecimalText.h"
#include "core/ErrorReporting.h"
#include "core/FormatPlaceholders.h"
#include "core/Settings.h"
#include "core/SettingsRules.h"
#include "core/win/DiagnosticLog.h"
#include "core/win/FileSystem.h"
#include "core/win/Text.h"
#include "hosting/FolderPath.h"
#include "resources/resource.h"

namespace {

const wchar_t kJreSection[] = L"Java Runtime Environment";
const wchar_t kApplicationSection[] = L"Application";

JavaVersion versionLimit(const std::wstring& text, int32_t fill) {
    if (text == L"any") return JavaVersion{{fill, fill, fill, fill}};
    // Without digits there is no limit; a bare 0.0.0.0 maximum would admit nothing.
    JavaVersion version;
    if (!parseVersion(text, fill, version) && fill == kVersionFillMax) {
        return JavaVersion{{fill, fill, fill, fill}};
    }
    return version;
}

std::wstring slashSeparated(std::wstring className) {
    for (wchar_t& c : className) {
        if (c == L'.') c = L'/';
    }
    return className;
}

std::wstring withoutSpaces(std::wstring text) {
    text.erase(0, text.find_first_not_of(L' '));
    text.erase(text.find_last_not_of(L' ') + 1);
    return text;
}

void readRuntimeRequirements(const SettingsLookup& lookup, RuntimeRequirements& runtime) {
    runtime.versionMin = versionLimit(lookup.getString(kJreSection, L"Minimum Version"), kVersionFillMin);
    runtime.versionMax = versionLimit(lookup.getString(kJreSection, L"Maximum Version"), kVersionFillMax);
    runtime.preferredVersions = splitSemicolonList(lookup.getString(kJreSection, L"Preferred versions"));
    runtime.jvmTypeMode = jvmTypeModeFromSetting(lookup.getString(kJreSection, L"JVM Type"));
    applyJvmSource(lookup.getString(kJreSection, L"JVM Source"), runtime.source);
    applyVmProvider(lookup.getString(kJreSection, L"VM Provider"), runtime.provider);
    runtime.registrations = runtimeRegistrationsFromSetting(lookup.getString(kJreSection, L"Runtime Registrations"));
    runtime.useJavaHome = isYesAnyCase(lookup.getString(kJreSection, L"Use JAVA_HOME"));
}

void readHostingSettings(const SettingsLookup& lookup, HostingSettings& hosting) {
    hosting.failureCheck = isYesAnyCase(lookup.getString(kApplicationSection, L"Failure Check"));
    hosting.systemPath = lookup.getString(kJreSection, L"System Path");
    hosting.libraryPath = lookup.getString(kJreSection, L"Library Path");
    hosting.classPath = lookup.getString(L"Class Path", L"Class Path");
    hosting.embeddedJar = isYesAnyCase(lookup.getString(kApplicationSection, L"Embedded Jar"));
    hosting.modulePath = lookup.getString(kJreSection, L"Module Path");
    hosting.addModules = lookup.getString(kJreSection, L"Add Modules");
    hosting.vmParameters = lookup.getString(kJreSection, L"Virtual Machine Parameters");
    hosting.outputFile = lookup.getString(kApplicationSection, L"Output File");
    hosting.outputAppend = isYesExactly(lookup.getString(kApplicationSection, L"Output Append"));
    hosting.errorFile = lookup.getString(kApplicationSection, L"Error File");
    hosting.errorAppend = isYesExactly(lookup.getString(kApplicationSection, L"Error Append"));
    hosting.cmd = lookup.getString(kApplicationSection, L"Cmd");
}

void readSplashSettings(const IniFile& file, SplashSettings& splash) {
    splash.image = file.getString(L"Display", L"Splash Screen");
    splash.shadow = isTrueExactly(file.getString(L"Display", L"Splash Screen Shadow"));
    splash.preferNative = isYesAnyCase(file.getString(L"Display", L"Preffer Native Splash Screen"));
}

// A bare file name in "Pair Product" names the executable beside this one, as
// an application folder ships them; a start from another working folder
// would not find it otherwise.
std::wstring pairExecutablePath(const std::wstring& pair, const std::wstring& executablePath) {
    if (pair.empty() || pair.find_first_of(L"\\/:") != std::wstring::npos) return pair;
    return folderOf(executablePath) + pair;
}

// [Messages]: the application's own texts, in its language, for messages of
// the string table; one whose placeholders differ is left out.
void readMessageTexts(const IniFile& file) {
    for (UINT id = IDS_WINDOWS_ERROR; id <= IDS_JNI_EINVAL; ++id) {
        std::wstring text = file.getString(L"Messages", decimalText(id).c_str());
        if (text.empty()) continue;
        if (const char* reason = placeholderMismatch(loadString(id), text)) {
            logLine("[Messages] %u ignored, the built-in text is shown: it has %a", id, reason);
        } else {
            replaceMessageText(id, std::move(text));
        }
    }
}

bool singleInstanceFrom(const SettingsLookup& lookup, bool isService) {
    return !isService && lookup.getString(kApplicationSection, L"Single Instance") == L"yes";
}

}  // namespace

MaybeFailure readAppSettings(const std::wstring& executablePath, const SettingsLookup& lookup, AppSettings& settings) {
    const std::wstring path = replaceExtensionWithIni(executablePath);
    if (path.empty()) {
        logLine("settings: none, the executable's name has no extension");
        return silentFailure();
    }
    const IniFile& file = lookup.file();
    logLine("settings file %s (%a)", path.c_str(), file.encoding());
    settings.productCode = file.getString(L"Product Information", L"Product Code");
    settings.productName = file.getString(L"Product Information", L"Product Name");
    settings.isService = isServiceApplication(lookup);
    settings.desktop.dpiAwareness = lookup.getString(kApplicationSection, L"DPI Awareness");
    settings.desktop.appUserModelId = lookup.getString(kApplicationSection, L"App User Model ID");

    const std::wstring userFile =
        settings.isService ? std::wstring()
                           : userSettingsFilePath(executablePath, settings.productName, settings.productCode, false);
    if (!userFile.empty() && fileExists(userFile)) {
        logLine("per-user settings file %s: used for JRE Path and the user's Virtual Machine Parameters",
                userFile.c_str());
        const IniFile user(userFile);
        settings.jrePath = user.getString(kJreSection, L"JRE Path");
        settings.hosting.userVmParameters = user.getString(kJreSection, L"Virtual Machine Parameters");
    } else {
        logLine(settings.isService ? "per-user settings file: none for a service"
                                   : "per-user settings file %s: not there",
                userFile.c_str());
        settings.jrePath = lookup.getString(kJreSection, L"JRE Path");
    }

    readMessageTexts(file);
    std::wstring mainClass = lookup.getString(kJreSection, L"Main Class");
    // No module or class name holds a space; the "+" section would add one.
    std::wstring mainModule = withoutSpaces(lookup.getString(kJreSection, L"Main Module"));
    if (mainClass.empty() && mainModule.empty()) return failureMessage(IDS_MAIN_CLASS_MISSING);

    readRuntimeRequirements(lookup, settings.runtime);
    readHostingSettings(lookup, settings.hosting);
    const std::wstring localAppData = environmentVariable(L"LOCALAPPDATA");
    if (!localAppData.empty() && isYesAnyCase(lookup.getString(kJreSection, L"Startup Cache"))) {
        settings.hosting.startupCacheFolder =
            productDataFolder(localAppData, settings.productName, settings.productCode, false);
    }
    settings.hosting.mainClass = slashSeparated(std::move(mainClass));
    settings.hosting.mainModule = std::move(mainModule);
    const HostingSettings& hosting = settings.hosting;
    if (!hosting.mainModule.empty() || !hosting.modulePath.empty() || !hosting.addModules.empty()) {
        // An older runtime refuses the module options and would not start at all.
        const JavaVersion nine{{9, 0, 0, 0}};
        if (compareVersions(settings.runtime.versionMin, nine) < 0) settings.runtime.versionMin = nine;
    }
    const ProviderFlags& provider = settings.runtime.provider;
    settings.hosting.keepsThreadsAttached = provider.allowIbm || provider.favorIbm;
    readSplashSettings(file, settings.splash);

    const std::wstring workingDir = lookup.getString(kApplicationSection, L"Override WorkingDir");
    settings.overrideWorkingDir = isYesAnyCase(workingDir);
    settings.workingDirGiven = !workingDir.empty();
    settings.serviceStopTimeout =
        secondsSetting(lookup.getString(kApplicationSection, L"Service Stop Timeout"), settings.serviceStopTimeout);
    settings.pairProduct = pairExecutablePath(lookup.getString(kApplicationSection, L"Pair Product"), executablePath);
    settings.pairReturnCode = isYesAnyCase(lookup.getString(kApplicationSection, L"Pair Return Code"));
    settings.runtime.hasPairProduct = !settings.pairProduct.empty();
    settings.singleInstance = singleInstanceFrom(lookup, settings.isService);
    return std::nullopt;
}

bool isServiceApplication(const SettingsLookup& settingsFile) {
    return settingsFile.getString(kApplicationSection, L"Application Type") == L"service";
}

RestartSettings readRestartSettings(const SettingsLookup& settingsFile) {
    RestartSettings restart;
    const std::wstring code = settingsFile.getString(kApplicationSection, L"Restart Code");
    // A service is restarted by the service manager, which must see its own process.
    if (code.empty() || isServiceApplication(settingsFile)) return restart;
    restart.enabled = parseExitCode(code, restart.restartCode);
    if (!restart.enabled) logLine("Restart Code %s is no number: no restarts", code.c_str());
    restart.singleInstance = singleInstanceFrom(settingsFile, false);
    return restart;
}

SettingsLookup readOwnSettingsFile() {
    std::wstring executablePath;
    if (modulePath(executablePath)) return SettingsLookup(std::wstring());
    return SettingsLookup(replaceExtensionWithIni(executablePath));
}

std::wstring logFilePath(const std::wstring& executablePath, const SettingsLookup& lookup) {
    std::wstring path = environmentVariable(L"LAUNCHER_LOG");
    if (path == L"1") {
        path = L"%TEMP%\\" + settingsBaseName(executablePath);
        path.replace(path.size() - 3, 3, L"log");
        return expandEnvironment(path);
    }
    if (!path.empty()) return path;
    path = expandEnvironment(lookup.getString(kApplicationSection, L"Log File"));
    if (path.empty() || isAbsoluteFilePath(path) || path[0] == L'\\' || path[0] == L'/') return path;
    return folderOf(executablePath) + path;
}

void rememberRuntimeFolder(const AppSettings& settings, const std::wstring& executablePath,
                           const std::wstring& folder) {
    // A write that fails (a service's folder where only an administrator may
    // write, now that no virtual store takes it) shows nothing, as no failed
    // write does: the log says why, and the start goes on with the folder picked.
    auto store = [&folder](const std::wstring& file) {
        if (file.empty()) return;
        const bool written = writeSettingString(file, kJreSection, L"JRE Path", folder);
        logLine(written ? "JRE Path written to %s" : "JRE Path not written to %s, system error %u", file.c_str(),
                static_cast<unsigned>(GetLastError()));
    };
    if (settings.isService) {
        store(replaceExtensionWithIni(executablePath));
        if (!settings.pairProduct.empty()) store(replaceExtensionWithIni(settings.pairProduct));
        return;
    }
    store(userSettingsFilePath(executablePath, settings.productName, settings.productCode, true));
    if (!settings.pairProduct.empty()) {
        store(userSettingsFilePath(settings.pairProduct, settings.productName, settings.productCode, true));
    }
}
