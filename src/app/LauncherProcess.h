// Starting another launcher process in this one's place: the paired
// executable, or one run of an application that restarts.
#pragma once

#include <windows.h>

#include <string>

#include "core/win/Scoped.h"

// Starts `executable` with this process's command line, working folder and
// environment. In the console variant it gets this process's standard
// handles, so it writes where this program would have, a redirected output
// too. Null when it cannot be started; `processId` receives its id.
ScopedHandle startLauncherProcess(const std::wstring& executable, DWORD& processId);
