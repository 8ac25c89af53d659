#include "splash/NativeSplashPath.h"

namespace {

void cutAtLastBackslash(std::wstring& path) {
    const std::wstring::size_type slash = path.rfind(L'\\');
    if (slash != std::wstring::npos) path.erase(slash);
}

}  // namespace

std::wstring nativeSplashLibraryPath(const std::wstring& jvmLibraryPath) {
    if (jvmLibraryPath.empty()) return {};
    std::wstring folder = jvmLibraryPath;
    cutAtLastBackslash(folder);
    cutAtLastBackslash(folder);
    if (folder.empty() || (folder.back() != L'\\' && folder.back() != L'/')) folder += L'\\';
    return folder + L"splashscreen.dll";
}
