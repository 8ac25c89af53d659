#include "splash/SplashState.h"

#include "splash/SplashScreenWindow.h"
#include "splash/SplashThread.h"

SplashState::SplashState() = default;

// A splash thread still running would use the window object freed here.
SplashState::~SplashState() { closeSplashThread(*this); }
