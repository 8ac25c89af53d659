#include "core/win/DiagnosticLog.h"

#include <windows.h>

#include <mutex>

#include "core/win/SlimLock.h"

namespace {

// Never closed: threads of the runtime may log up to the process's last
// moment, and the system closes the file with the process.
HANDLE logFile = nullptr;

ULONGLONG fileTimeValue(const FILETIME& time) {
    return static_cast<ULONGLONG>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

// Writers take turns: an append is whole on Windows' own file systems, but
// not on every one a log may sit on, nor under Wine. Threads wait on the
// slim lock, processes on a byte of the file far past any line.
SlimLock writers;

void writeText(const std::string& text) {
    const std::string line = logLine(logClock(), GetCurrentProcessId(), GetCurrentThreadId(), text);
    std::lock_guard<SlimLock> turn(writers);
    OVERLAPPED turnByte = {};
    turnByte.Offset = 0xFFFFFFFE;
    turnByte.OffsetHigh = 0x7FFFFFFF;
    const bool locked = LockFileEx(logFile, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &turnByte);
    DWORD written = 0;
    WriteFile(logFile, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    if (locked) UnlockFileEx(logFile, 0, 1, 0, &turnByte);
}

}  // namespace

bool logIsOn() { return logFile != nullptr; }

bool openLog(const std::wstring& path) {
    if (path.empty()) return false;
    // Left alone even where the system would let this process write it anyway.
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
    // Read access only for the lock that gives writers their turns.
    HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA | FILE_READ_DATA | SYNCHRONIZE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    logFile = file;
    return true;
}

void logLine(const char* format, ...) {
    if (!logFile) return;
    va_list arguments;
    va_start(arguments, format);
    const std::string text = formatLogText(format, arguments);
    va_end(arguments);
    writeText(text);
}

void logPhase(const char* phase, unsigned startedAt) {
    if (logFile) logLine("%a took %u ms", phase, logClock() - startedAt);
}

unsigned logClock() {
    if (!logFile) return 0;
    FILETIME created, exited, kernel, user, now;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
    GetSystemTimeAsFileTime(&now);
    return static_cast<unsigned>((fileTimeValue(now) - fileTimeValue(created)) / 10000);
}
