#include "splash/SplashRules.h"

#include <cstdint>

#include "core/SettingsRules.h"

namespace {

// Computed in 64 bits so no size the decoder may report can overflow; the
// result is clamped back into the range a window rectangle can hold.
int clampToInt(int64_t value) {
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<int>(value);
}

int centredStart(int screenSize, int imageSize) {
    // Truncation toward zero: a one-pixel overhang stays at offset 0.
    return clampToInt((static_cast<int64_t>(screenSize) - imageSize) / 2);
}

}  // namespace

SplashRect splashWindowRect(int imageWidth, int imageHeight, int screenWidth, int screenHeight) {
    SplashRect rect;
    rect.left = centredStart(screenWidth, imageWidth);
    rect.top = centredStart(screenHeight, imageHeight);
    rect.right = clampToInt(static_cast<int64_t>(rect.left) + imageWidth);
    rect.bottom = clampToInt(static_cast<int64_t>(rect.top) + imageHeight);
    return rect;
}

std::wstring nativeSplashLibraryPath(const std::wstring& jvmLibraryPath) {
    if (jvmLibraryPath.empty()) return {};
    std::wstring folder = withoutLastComponents(jvmLibraryPath, 2);
    if (folder.empty() || (folder.back() != L'\\' && folder.back() != L'/')) folder += L'\\';
    return folder + L"splashscreen.dll";
}
