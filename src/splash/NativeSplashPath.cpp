#include "splash/NativeSplashPath.h"

#include "core/SettingsRules.h"

std::wstring nativeSplashLibraryPath(const std::wstring& jvmLibraryPath) {
    if (jvmLibraryPath.empty()) return {};
    std::wstring folder = withoutLastComponents(jvmLibraryPath, 2);
    if (folder.empty() || (folder.back() != L'\\' && folder.back() != L'/')) folder += L'\\';
    return folder + L"splashscreen.dll";
}
