// The splash settings of section "Display", read with the plain reader.
#pragma once

#include <string>

struct DisplaySettings {
    std::wstring image;   // "Splash Screen"
    std::wstring shadow;  // "Splash Screen Shadow"
    bool preferNative = false;  // "Preffer Native Splash Screen" is "Yes" in any case
};

DisplaySettings readDisplaySettings(const std::wstring& settingsFile);
