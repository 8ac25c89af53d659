// Pure rules of the splash screen: where its window goes and where a
// runtime keeps its own splash library.
#pragma once

#include <string>

// Where the splash window goes: centred on the primary screen, image-sized.
struct SplashRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// An image larger than the screen keeps its negative offsets; the window is
// never pulled back onto the screen, so the image's centre stays centred.
SplashRect splashWindowRect(int imageWidth, int imageHeight, int screenWidth, int screenHeight);

// Where a runtime keeps its native splash library, relative to its JVM library.
// The JVM library sits in <runtime>\bin\<variant>\jvm.dll; the splash library
// in <runtime>\bin\splashscreen.dll. Empty in, empty out.
std::wstring nativeSplashLibraryPath(const std::wstring& jvmLibraryPath);
