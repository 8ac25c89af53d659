// The application object: the one place that knows every subsystem. It
// runs the stages in order (settings, single instance, runtime choice, JVM
// options, the Java thread) and turns the outcome into the exit code,
// showing each failure once.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/AppSettings.h"
#include "core/Failure.h"
#include "discovery/RuntimeSearch.h"
#include "hosting/JavaSession.h"
#include "instance/SingleInstance.h"
#include "splash/SplashScreen.h"

class ServiceHost;

class Application {
public:
    // `settingsFile` is the executable's, read once for the whole start. A
    // service shows no window: its host takes what would be shown.
    explicit Application(const SettingsLookup& settingsFile, ServiceHost* service = nullptr);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The process exit code.
    int run();

private:
    int runStages();
    // Opens the diagnostics log when one is asked for, and names this start in it.
    void startLog();
    std::optional<RuntimeChoice> chooseRuntime();
    int runPairedLauncher();
    int runJava(const RuntimeChoice& choice);
    // Shows the failure once, owned by the splash window while it exists.
    int fail(const Failure& failure);

    const SettingsLookup& settingsFile_;
    ServiceHost* const service_;  // null unless the service manager started this process
    bool startedByPair_ = false;
    const char* endReason_ = "";  // for the log's last line
    std::wstring executablePath_;
    std::vector<std::wstring> arguments_;
    AppSettings settings_;
    SharedJavaSession session_;
    SplashScreen splash_;
    SingleInstance instance_;
};
