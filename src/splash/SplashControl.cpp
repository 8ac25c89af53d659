#include "splash/SplashControl.h"

#include <utility>

#include "core/Launcher.h"
#include "core/Settings.h"
#include "splash/DisplaySettings.h"
#include "splash/NativeSplash.h"
#include "splash/SplashThread.h"

bool startSplash(Launcher& launcher) {
    std::wstring settingsFile;
    if (!settingsFilePath(settingsFile)) return false;
    const DisplaySettings display = readDisplaySettings(settingsFile);
    SplashState& splash = launcher.splash;
    splash.image = display.image;
    splash.shadow = display.shadow;
    if (splash.image.empty()) return true;

    const std::wstring library = findNativeSplashLibrary(launcher.jvmLibraryPath);
    if (display.preferNative && !library.empty() && startNativeSplash(library, splash.image, splash.closeHook)) {
        return true;
    }
    // A splash that cannot start is no reason to stop the application.
    startSplashThread(splash);
    return true;
}

void closeSplash(Launcher& launcher) { closeSplashThread(launcher.splash); }

void callSplashCloseHook(Launcher& launcher) {
    // Cleared first, so a second caller never closes the library twice.
    if (const SplashCloseFunction hook = std::exchange(launcher.splash.closeHook, nullptr)) hook();
}
