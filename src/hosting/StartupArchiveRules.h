// The name of a class-data archive the JVM keeps for one runtime and one
// application version.
#pragma once

#include <string>

// "startup-<16 hexadecimal digits>.jsa": a 64-bit FNV-1a hash of the
// runtime's library path, its version and the class path, so that each
// runtime and each application version gets an archive of its own.
std::wstring startupArchiveName(const std::wstring& jvmLibraryPath, const std::wstring& version,
                                const std::wstring& classPath);
