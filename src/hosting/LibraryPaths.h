// The native library path option and the process search path, before
// environment expansion ("%Path%" still in place).
#pragma once

#include <string>

// Cuts the text before its last backslash, `count` times.
std::wstring withoutLastComponents(const std::wstring& path, int count);

// C:\jre\bin\client\jvm.dll: C:\jre
std::wstring runtimeHomeOf(const std::wstring& jvmLibraryPath);

// "<Library Path>;<exe folder\>;.;%Path%;<home>\lib"
std::wstring libraryPathValue(const std::wstring& libraryPath, const std::wstring& executableFolder,
                              const std::wstring& jvmLibraryPath);

// "<System Path>;%Path%;<home>\bin": the runtime's DLLs come after everything else.
std::wstring searchPathValue(const std::wstring& systemPath, const std::wstring& jvmLibraryPath);
