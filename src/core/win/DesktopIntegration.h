// The process's DPI awareness and taskbar identity. Windows fixes the
// awareness at the first window (and a JVM asks for its own when nothing is
// set), and both belong to the windows the process makes: so they are set
// before any window, message box or dialog, and before the JVM is created.
#pragma once

#include <string>

struct DesktopSettings {
    std::wstring dpiAwareness;    // "DPI Awareness" as written
    std::wstring appUserModelId;  // "App User Model ID"; empty sets none
};

// Sets both as far as this Windows has the calls, and logs what each returned.
void applyDesktopSettings(const DesktopSettings& settings);
