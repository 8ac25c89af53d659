// Starting and ending the splash screen.
#pragma once

class Launcher;

// False only when the settings file path cannot be derived. Shows the
// runtime's native splash when preferred and available, else the launcher's
// own window; an empty "Splash Screen" shows nothing.
bool startSplash(Launcher& launcher);

// Ends the launcher's own splash window, if any.
void closeSplash(Launcher& launcher);

// Calls and clears the native splash library's close function, if any.
void callSplashCloseHook(Launcher& launcher);
