// The native library path option and the process search path, before
// environment expansion ("%Path%" still in place).
#pragma once

#include <string>

// C:\jre\bin\client\jvm.dll: C:\jre
std::wstring runtimeHomeOf(const std::wstring& jvmLibraryPath);

// "<Library Path>;<exe folder\>;.;%Path%;<home>\lib"
std::wstring libraryPathValue(const std::wstring& libraryPath, const std::wstring& executableFolder,
                              const std::wstring& jvmLibraryPath);

// "<System Path>;%Path%;<home>\bin": the runtime's DLLs come after everything else.
std::wstring searchPathValue(const std::wstring& systemPath, const std::wstring& jvmLibraryPath);
