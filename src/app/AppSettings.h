// Every key of the settings file, read once into the values each stage
// takes: the product, the runtime search, hosting, the splash screen and
// the single-instance guard.
#pragma once

#include <string>

#include "core/Failure.h"
#include "discovery/RuntimeSearch.h"
#include "hosting/JvmOptions.h"
#include "splash/SplashScreen.h"

class SettingsLookup;

struct AppSettings {
    std::wstring productName;
    std::wstring productCode;
    bool isService = false;
    bool overrideWorkingDir = false;
    std::wstring pairProduct;  // a bare file name taken beside the executable
    bool pairReturnCode = false;
    bool singleInstance = false;  // "Single Instance" exactly "yes", never for a service
    // From the per-user file when it exists, else from the settings file.
    std::wstring jrePath;
    RuntimeRequirements runtime;
    HostingSettings hosting;
    SplashSettings splash;
};

// The settings file, read by `lookup`, is the executable's path with "ini"
// as its extension; without an extension there is none. Message 210 when
// "Main Class" is missing.
MaybeFailure readAppSettings(const std::wstring& executablePath, const SettingsLookup& lookup, AppSettings& settings);

// The diagnostics log asked for: LAUNCHER_LOG, a path or "1" for
// %TEMP%\<executable name>.log, else "Log File" of [Application], taken
// against the executable's folder. Empty when logging is off.
std::wstring logFilePath(const std::wstring& executablePath, const SettingsLookup& lookup);

// Keeps a runtime folder the user picked: a service in its own settings
// file and its pair's, anything else in the per-user files.
void rememberRuntimeFolder(const AppSettings& settings, const std::wstring& executablePath,
                           const std::wstring& folder);
