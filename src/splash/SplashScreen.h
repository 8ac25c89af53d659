// The splash screen: the runtime's own splash library when asked for and
// present, else the launcher's window on a thread of its own.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>

#include "core/win/Scoped.h"
#include "splash/NativeSplash.h"

class SplashScreenWindow;

// Section "Display" of the settings file.
struct SplashSettings {
    std::wstring image;         // "Splash Screen": the image path as written
    bool shadow = false;        // "Splash Screen Shadow" is exactly "true"
    bool preferNative = false;  // "Preffer Native Splash Screen" is "Yes" in any case
};

class SplashScreen {
public:
    // `publishedWindow` always holds the live window or null, so error boxes
    // never take a destroyed window as their owner.
    explicit SplashScreen(std::atomic<HWND>& publishedWindow);
    // A window thread still running would use the window object freed here.
    ~SplashScreen();
    SplashScreen(const SplashScreen&) = delete;
    SplashScreen& operator=(const SplashScreen&) = delete;

    // An empty image shows nothing; a splash that cannot start is no reason
    // to stop the application.
    void start(const SplashSettings& settings, const std::wstring& jvmLibraryPath);

    // The launcher's own window, shown before this returns: it owns any error
    // box that loading the JVM raises right after. False when the thread
    // cannot be started.
    bool startWindow(const std::wstring& image, bool shadow);
    // Ends the window's thread; does nothing without one.
    void closeWindow();
    // Calls and clears the native splash library's close function, if any.
    void callCloseHook();

    const SplashScreenWindow* window() const { return window_.get(); }
    HANDLE thread() const { return thread_.get(); }

private:
    static DWORD WINAPI threadMain(void* splash);

    std::atomic<HWND>& publishedWindow_;
    std::wstring image_;
    bool shadow_ = false;
    std::unique_ptr<SplashScreenWindow> window_;
    ScopedHandle thread_;
    DWORD threadId_ = 0;
    ScopedHandle windowShown_;  // set by the thread once its window is shown, or has failed
    SplashCloseFunction closeHook_ = nullptr;
};
