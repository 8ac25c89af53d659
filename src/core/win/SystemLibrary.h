// Loading a library of the system on first use. A bare name would also be
// looked for in the executable's and the working folder, where anyone can
// leave a library of that name for the launcher to run.
#pragma once

#include <windows.h>

// From the system folder only; null when it is not there.
HMODULE loadSystemLibrary(const wchar_t* name);

// The same, choosing the way explicitly: the search flags of newer systems,
// or the full path in the system folder where those flags are unknown.
HMODULE loadSystemLibrary(const wchar_t* name, bool searchFlagsKnown);
