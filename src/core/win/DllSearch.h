// Where libraries loaded by bare name are looked for. The working folder is
// wherever the user started the program from, a Downloads folder or a
// network share, so a library left there must never load.
#pragma once

#include <string>

// Takes the working folder out of the search for the rest of the process.
void leaveWorkingFolderOutOfDllSearch();

// Puts `folder` where the working folder was: after the executable's folder,
// before the system folders and Path. False when the system refused it; the
// working folder then stays out all the same.
bool searchFolderForLibraries(const std::wstring& folder);
