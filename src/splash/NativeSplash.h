// The runtime's own splash library, driven before the JVM exists.
#pragma once

#include <string>

using SplashCloseFunction = void (*)();

// The library beside the JVM library's bin folder, or empty when there is none.
std::wstring findNativeSplashLibrary(const std::wstring& jvmLibraryPath);

// Loads the library and hands it the image; on success `closeHook` holds the
// library's SplashClose (a different hook recorded earlier is called first).
// False means: fall back to the launcher's own window.
bool startNativeSplash(const std::wstring& libraryPath, const std::wstring& imagePath,
                       SplashCloseFunction& closeHook);
