// The one application object: every subsystem keeps its state here.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/LauncherSettings.h"
#include "core/win/Scoped.h"
#include "hosting/JvmHost.h"
#include "instance/SingleInstanceState.h"
#include "splash/SplashState.h"

class Launcher {
public:
    Launcher() = default;
    ~Launcher();
    Launcher(const Launcher&) = delete;
    Launcher& operator=(const Launcher&) = delete;

    bool init();
    int run();

    // Error boxes belong to the splash window while it exists.
    HWND messageOwner() const { return splash.windowHandle.load(); }

    std::vector<std::wstring> arguments;
    LauncherSettings settings;
    std::wstring jvmLibraryPath;
    bool usePairedLauncher = false;
    // Started by its pair: handing over again could start the two forever.
    bool startedByPair = false;
    JvmHost jvm;
    std::vector<std::string> jvmOptions;
    uint32_t javaStackSize = 0;
    OutputRedirection output;
    ScopedHandle mainStartedEvent;
    SplashState splash;
    SingleInstanceState instance;

private:
    bool findRuntime();
    bool askForRuntime();
    bool needsPair(const std::wstring& library) const;
    int runPairedLauncher();
};
