// Every key of the settings file, read once into the values each stage
// takes: the product, the runtime search, hosting, the splash screen and
// the single-instance guard.
#pragma once

#include <string>

#include "core/Failure.h"
#include "core/Settings.h"
#include "core/win/DesktopIntegration.h"
#include "discovery/RuntimeSearch.h"
#include "hosting/JvmOptions.h"
#include "splash/SplashScreen.h"

struct AppSettings {
    std::wstring productName;
    std::wstring productCode;
    bool isService = false;
    bool overrideWorkingDir = false;
    bool workingDirGiven = false;  // "Override WorkingDir" has a value, "Yes" or another
    unsigned serviceStopTimeout = 20;  // seconds
    std::wstring pairProduct;  // a bare file name taken beside the executable
    bool pairReturnCode = false;
    bool singleInstance = false;  // "Single Instance" exactly "yes", never for a service
    DesktopSettings desktop;      // read even when the rest cannot be
    // From the per-user file when it exists, else from the settings file.
    std::wstring jrePath;
    RuntimeRequirements runtime;
    HostingSettings hosting;
    SplashSettings splash;
};

// The settings file, read by `lookup`, is the executable's path with "ini"
// as its extension; without an extension there is none. Message 210 when
// "Main Class" is missing; the desktop settings are read before that.
MaybeFailure readAppSettings(const std::wstring& executablePath, const SettingsLookup& lookup, AppSettings& settings);

// The running executable's settings file, read once for the whole start:
// the service check, the restart supervisor, the log and every stage read
// it from here. Without the executable's path (the start shows why) it
// holds no keys.
SettingsLookup readOwnSettingsFile();

// "Application Type" alone, before a service connects to the service manager.
bool isServiceApplication(const SettingsLookup& settingsFile);

// What the process the user started needs to supervise restarts, read
// before anything else and never shown: no restart code, no supervision.
struct RestartSettings {
    bool enabled = false;
    int restartCode = 0;    // "Restart Code" of [Application]
    bool singleInstance = false;
};
RestartSettings readRestartSettings(const SettingsLookup& settingsFile);

// The diagnostics log asked for: LAUNCHER_LOG, a path or "1" for
// %TEMP%\<executable name>.log, else "Log File" of [Application], taken
// against the executable's folder. Empty when logging is off.
std::wstring logFilePath(const std::wstring& executablePath, const SettingsLookup& lookup);

// Keeps a runtime folder the user picked: a service in its own settings
// file and its pair's, anything else in the per-user files.
void rememberRuntimeFolder(const AppSettings& settings, const std::wstring& executablePath,
                           const std::wstring& folder);
