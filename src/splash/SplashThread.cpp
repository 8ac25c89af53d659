#include "splash/SplashThread.h"

#include "core/SettingsRules.h"
#include "splash/SplashScreenWindow.h"
#include "splash/SplashState.h"

namespace {

// How long to wait for the thread after each WM_QUIT before posting another:
// a post made before the thread has a message queue is lost.
constexpr DWORD quitRetryMs = 10;

// Long enough for any image to be decoded, short enough that a stuck
// display never holds up the application.
constexpr DWORD windowShownTimeoutMs = 2000;

DWORD WINAPI splashThreadMain(void* argument) {
    SplashState& splash = *static_cast<SplashState*>(argument);
    HWND window = splash.window->createSplashWindow(splash.image, isTrueExactly(splash.shadow));
    if (window) {
        ShowWindow(window, SW_SHOWNORMAL);
        UpdateWindow(window);
    }
    SetEvent(splash.windowShown.get());
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    splash.window->destroy();
    return 0;
}

}  // namespace

bool startSplashThread(SplashState& splash) {
    splash.window = std::make_unique<SplashScreenWindow>(splash.windowHandle);
    splash.windowShown.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    DWORD threadId = 0;
    splash.thread.reset(CreateThread(nullptr, 0, splashThreadMain, &splash, 0, &threadId));
    if (!splash.thread) {
        splash.window.reset();
        return false;
    }
    splash.threadId = threadId;
    // Waiting for the window makes it visible before the JVM loads, and
    // makes it the owner of any error box that loading raises.
    if (splash.windowShown) {
        const HANDLE events[] = {splash.windowShown.get(), splash.thread.get()};
        WaitForMultipleObjects(2, events, FALSE, windowShownTimeoutMs);
    }
    return true;
}

void closeSplashThread(SplashState& splash) {
    if (!splash.window) return;
    // From here on no error box should pick the closing window as its owner.
    splash.windowHandle.store(nullptr);
    if (splash.thread) {
        do {
            PostThreadMessageW(splash.threadId, WM_QUIT, 0, 0);
        } while (WaitForSingleObject(splash.thread.get(), quitRetryMs) == WAIT_TIMEOUT);
    }
    splash.thread.reset();
    splash.threadId = 0;
    splash.windowShown.reset();
    splash.window.reset();
}
