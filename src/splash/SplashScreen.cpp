#include "splash/SplashScreen.h"

#include <utility>

#include "core/win/DiagnosticLog.h"
#include "splash/SplashScreenWindow.h"

namespace {

// How long to wait for the thread after each WM_QUIT before posting another:
// a post made before the thread has a message queue is lost.
constexpr DWORD quitRetryMs = 10;

// Long enough for any image to be decoded, short enough that a stuck
// display never holds up the application.
constexpr DWORD windowShownTimeoutMs = 2000;

}  // namespace

SplashScreen::SplashScreen(std::atomic<HWND>& publishedWindow) : publishedWindow_(publishedWindow) {}

SplashScreen::~SplashScreen() { closeWindow(); }

void SplashScreen::start(const SplashSettings& settings, const std::wstring& jvmLibraryPath) {
    if (settings.image.empty()) {
        logLine("splash: none");
        return;
    }
    const std::wstring library = findNativeSplashLibrary(jvmLibraryPath);
    if (settings.preferNative && !library.empty() && startNativeSplash(library, settings.image, closeHook_)) {
        logLine("splash: the runtime's %s showing %s", library.c_str(), settings.image.c_str());
        return;
    }
    const bool shown = startWindow(settings.image, settings.shadow);
    logLine(shown ? "splash: own window showing %s" : "splash: own window failed to start for %s",
            settings.image.c_str());
}

DWORD WINAPI SplashScreen::threadMain(void* argument) {
    SplashScreen& splash = *static_cast<SplashScreen*>(argument);
    HWND window = splash.window_->createSplashWindow(splash.image_, splash.shadow_);
    if (window) {
        ShowWindow(window, SW_SHOWNORMAL);
        UpdateWindow(window);
    }
    SetEvent(splash.windowShown_.get());
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    splash.window_->destroy();
    return 0;
}

bool SplashScreen::startWindow(const std::wstring& image, bool shadow) {
    image_ = image;
    shadow_ = shadow;
    window_ = std::make_unique<SplashScreenWindow>(publishedWindow_);
    windowShown_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    DWORD threadId = 0;
    thread_.reset(CreateThread(nullptr, 0, threadMain, this, 0, &threadId));
    if (!thread_) {
        window_.reset();
        return false;
    }
    threadId_ = threadId;
    if (windowShown_) {
        const HANDLE events[] = {windowShown_.get(), thread_.get()};
        WaitForMultipleObjects(2, events, FALSE, windowShownTimeoutMs);
    }
    return true;
}

void SplashScreen::closeWindow() {
    if (!window_) return;
    // From here on no error box should pick the closing window as its owner.
    publishedWindow_.store(nullptr);
    if (thread_) {
        do {
            PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        } while (WaitForSingleObject(thread_.get(), quitRetryMs) == WAIT_TIMEOUT);
    }
    thread_.reset();
    threadId_ = 0;
    windowShown_.reset();
    window_.reset();
}

void SplashScreen::callCloseHook() {
    // Cleared first, so a second caller never closes the library twice.
    if (const SplashCloseFunction hook = std::exchange(closeHook_, nullptr)) hook();
}
