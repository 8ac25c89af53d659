// The launcher's own splash window: a borderless pop-up, centred on the
// primary screen, exactly as large as the image, that shows only the image.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>

#include "core/win/Scoped.h"

class SplashScreenWindow {
public:
    // `publishedHandle` always holds the live window or null, so error boxes
    // never take a destroyed window as their owner.
    explicit SplashScreenWindow(std::atomic<HWND>& publishedHandle);
    ~SplashScreenWindow();
    SplashScreenWindow(const SplashScreenWindow&) = delete;
    SplashScreenWindow& operator=(const SplashScreenWindow&) = delete;

    // Null when the class or the window cannot be created. An image that
    // cannot be decoded gives a zero-size, invisible window.
    HWND createSplashWindow(const std::wstring& imagePath, bool shadow);
    void destroy();

    HWND handle() const { return window_.get(); }
    HBITMAP splashBitmap() const { return static_cast<HBITMAP>(bitmap_.get()); }

    static constexpr const wchar_t* className = L"SplashScreenWindow";

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT processMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void paint(HWND window);

    std::atomic<HWND>& publishedHandle_;
    ScopedWindow window_;
    ScopedGdiObject bitmap_;
};
