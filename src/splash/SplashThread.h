// The splash thread: creates, shows and finally destroys the launcher's own
// splash window, running its message loop in between.
#pragma once

struct SplashState;

// Starts the thread for `splash.image`; false (and no window object) when
// the thread cannot be started.
bool startSplashThread(SplashState& splash);

// Ends the thread and deletes the window object; does nothing without one.
void closeSplashThread(SplashState& splash);
