// Starts a program as a user would and reads its full 32-bit exit code.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

struct LaunchOptions {
    // Appended after the quoted executable path, verbatim.
    std::wstring arguments;
    // Replaces the whole command line when set (the executable path included).
    std::wstring commandLine;
    std::wstring workingFolder;  // empty: the executable's folder
    // Added to (or, with an empty value, removed from) the test's environment.
    std::map<std::wstring, std::wstring> environment;
    // An inheritable handle the program gets as its standard output and error.
    HANDLE standardOutput = nullptr;
};

class LauncherProcess {
public:
    LauncherProcess(const std::wstring& exePath, const LaunchOptions& options = {});
    ~LauncherProcess();  // terminates a process still running
    LauncherProcess(const LauncherProcess&) = delete;
    LauncherProcess& operator=(const LauncherProcess&) = delete;

    bool started() const { return process_ != nullptr; }
    DWORD processId() const { return processId_; }
    HANDLE handle() const { return process_; }

    // Waits up to `timeoutMs` (scaled); true when the process ended.
    bool wait(DWORD timeoutMs);
    // The exit code, or STILL_ACTIVE while it runs.
    DWORD exitCode() const;
    void terminate();

private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
};

// Starts, waits (default 30 s, scaled) and returns the exit code; STILL_ACTIVE on time-out
// (the process is then terminated).
DWORD runToExit(const std::wstring& exePath, const LaunchOptions& options = {}, DWORD timeoutMs = 30000);
