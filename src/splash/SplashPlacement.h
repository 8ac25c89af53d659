// Where the splash window goes: centred on the primary screen, image-sized.
#pragma once

struct SplashRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// An image larger than the screen keeps its negative offsets; the window is
// never pulled back onto the screen, so the image's centre stays centred.
SplashRect splashWindowRect(int imageWidth, int imageHeight, int screenWidth, int screenHeight);
