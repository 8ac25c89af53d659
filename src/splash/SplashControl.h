// Starting and ending the splash screen.
#pragma once

class Launcher;

bool startSplash(Launcher& launcher);
void closeSplash(Launcher& launcher);

// Calls and clears the native splash library's close function, if any.
void callSplashCloseHook(Launcher& launcher);
