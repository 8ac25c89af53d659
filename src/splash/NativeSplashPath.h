// Where a runtime keeps its native splash library, relative to its JVM library.
#pragma once

#include <string>

// The JVM library sits in <runtime>\bin\<variant>\jvm.dll; the splash library
// in <runtime>\bin\splashscreen.dll. Empty in, empty out.
std::wstring nativeSplashLibraryPath(const std::wstring& jvmLibraryPath);
