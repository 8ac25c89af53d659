#include "core/win/DiagnosticLog.h"

#include <windows.h>

#include <mutex>
#include <vector>

#include "core/LogFilePath.h"
#include "core/win/Scoped.h"
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

// A path the system writes into a buffer as long as the longest path it
// has; empty when it cannot tell.
using PathQuery = DWORD (*)(const void* subject, wchar_t* buffer, DWORD size);
std::wstring queriedPath(PathQuery query, const void* subject) {
    constexpr DWORD kSize = 32768;
    std::vector<wchar_t> buffer(kSize);
    const DWORD length = query(subject, buffer.data(), kSize);
    return length < kSize ? std::wstring(buffer.data(), length) : std::wstring();
}

// Read access only for the lock that gives writers their turns.
constexpr DWORD kLogAccess = FILE_APPEND_DATA | FILE_READ_DATA | SYNCHRONIZE;
constexpr DWORD kLogSharing = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A link as the last part is opened itself, not followed, and a pipe's
// owner may learn who writes but never act as the launcher.
HANDLE openLogFile(const std::wstring& path, DWORD extraAccess, DWORD disposition) {
    return CreateFileW(path.c_str(), kLogAccess | extraAccess, kLogSharing, nullptr, disposition,
                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT | SECURITY_SQOS_PRESENT |
                           SECURITY_IDENTIFICATION,
                       nullptr);
}

// A file of its own on a disk, at the path asked for: a link in any folder
// above it, a hard link or a substituted drive would write somewhere else.
bool isOwnFileAt(HANDLE file, const std::wstring& path) {
    BY_HANDLE_FILE_INFORMATION information;
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &information)) return false;
    // A read-only file is left alone even where the system would let this process write it anyway.
    if (information.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_READONLY)) return false;
    if (information.nNumberOfLinks != 1) return false;
    const std::wstring reported = queriedPath(
        [](const void* handle, wchar_t* buffer, DWORD size) {
            return GetFinalPathNameByHandleW(const_cast<HANDLE>(handle), buffer, size,
                                             FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        },
        file);
    if (reported.empty()) return false;
    if (sameFilePath(reported, path)) return true;
    // The system reports long names where the path may use short (8.3) ones.
    const std::wstring longPath = queriedPath(
        [](const void* name, wchar_t* buffer, DWORD size) {
            return GetLongPathNameW(static_cast<const wchar_t*>(name), buffer, size);
        },
        path.c_str());
    return !longPath.empty() && sameFilePath(reported, longPath);
}

}  // namespace

bool logIsOn() { return logFile != nullptr; }

bool openLog(const std::wstring& path) {
    if (path.empty()) return false;
    const std::wstring fullPath = queriedPath(
        [](const void* name, wchar_t* buffer, DWORD size) {
            return GetFullPathNameW(static_cast<const wchar_t*>(name), size, buffer, nullptr);
        },
        path.c_str());
    if (!isPlainFilePath(fullPath)) return false;
    ScopedFile file(openLogFile(fullPath, 0, OPEN_EXISTING));
    bool created = false;
    if (!file && GetLastError() == ERROR_FILE_NOT_FOUND) {
        // A file made here is taken back when it turns out to lie elsewhere.
        file.reset(openLogFile(fullPath, DELETE, CREATE_NEW));
        created = static_cast<bool>(file);
        if (!file && GetLastError() == ERROR_FILE_EXISTS) file.reset(openLogFile(fullPath, 0, OPEN_EXISTING));
    }
    if (!file) return false;
    if (!isOwnFileAt(file.get(), fullPath)) {
        FILE_DISPOSITION_INFO remove = {TRUE};
        if (created) SetFileInformationByHandle(file.get(), FileDispositionInfo, &remove, sizeof(remove));
        return false;
    }
    // Without the right to delete, which every reader would have to share.
    if (created) file.reset(ReOpenFile(file.get(), kLogAccess, kLogSharing, 0));
    if (!file) return false;
    logFile = file.release();
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
