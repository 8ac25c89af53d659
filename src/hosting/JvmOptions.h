// The JVM's options and the process environment the JVM sees.
#pragma once

#include <string>
#include <vector>

#include "core/Failure.h"
#include "hosting/JavaThread.h"

// The settings hosting reads, as written in the file ("+" sections applied).
struct HostingSettings {
    std::wstring mainClass;  // slash-separated; may be empty with a main module
    // "module" or "module/class" (the class dotted), as "java -m" takes it.
    std::wstring mainModule;
    std::wstring modulePath;
    std::wstring addModules;
    bool failureCheck = false;
    bool keepsThreadsAttached = false;
    std::wstring systemPath;
    std::wstring libraryPath;
    std::wstring classPath;
    bool embeddedJar = false;
    std::wstring vmParameters;
    std::wstring userVmParameters;  // the per-user file's, after the application's so that they win
    // "Startup Cache" on: %LOCALAPPDATA%\<Product Name>\<Product Code>, where class-data archives are kept.
    std::wstring startupCacheFolder;
    std::wstring outputFile;
    bool outputAppend = false;
    std::wstring errorFile;
    bool errorAppend = false;
    std::wstring cmd;
};

// Sets QZ_JVM_PATH, QZ_JVM_HOME and Path for the runtime at `jvmLibraryPath`,
// and adds the library path option to `launch`.
void prepareLibraryEnvironment(const HostingSettings& settings, const std::wstring& jvmLibraryPath,
                               const std::wstring& executablePath, JavaLaunch& launch);

// Class path, module options, VM parameters, the startup cache, output files
// and "Cmd" arguments, added to `launch` after what is there.
// `archiveVersion` is the runtime's version when it makes its own class-data
// archive, else empty. Message 209 for an empty class path without a main
// module.
MaybeFailure buildJvmOptions(const HostingSettings& settings, const std::wstring& executablePath,
                             const std::wstring& jvmLibraryPath, const std::wstring& archiveVersion,
                             JavaLaunch& launch);
