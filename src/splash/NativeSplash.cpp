#include "splash/NativeSplash.h"

#include "core/win/EntryPoint.h"
#include "core/win/FileSystem.h"
#include "core/win/Text.h"
#include "splash/SplashRules.h"

namespace {

using SplashInitFunction = void (*)();
using SplashLoadFileFunction = int (*)(const char* fileName);
using SplashSetFileJarNameFunction = void (*)(const char* fileName, const char* jarName);

}  // namespace

std::wstring findNativeSplashLibrary(const std::wstring& jvmLibraryPath) {
    const std::wstring path = nativeSplashLibraryPath(jvmLibraryPath);
    return !path.empty() && fileExists(path) ? path : std::wstring();
}

bool startNativeSplash(const std::wstring& libraryPath, const std::wstring& imagePath,
                       SplashCloseFunction& closeHook) {
    // Stays loaded for the life of the process: the JVM's splash support uses it.
    HMODULE library = LoadLibraryW(libraryPath.c_str());
    if (!library) return false;
    const auto init = entryPoint<SplashInitFunction>(library, "SplashInit");
    const auto loadFile = entryPoint<SplashLoadFileFunction>(library, "SplashLoadFile");
    const auto setFileJarName = entryPoint<SplashSetFileJarNameFunction>(library, "SplashSetFileJarName");
    const auto close = entryPoint<SplashCloseFunction>(library, "SplashClose");

    if (!init || !loadFile || !setFileJarName) return false;

    // Closing a splash library that never initialised would touch state it never set up.
    const SplashCloseFunction previous = closeHook;
    closeHook = close;
    if (previous && previous != close) previous();

    const std::string image = toThreadAnsi(imagePath);
    init();
    loadFile(image.c_str());
    setFileJarName(image.c_str(), "");
    return true;
}
