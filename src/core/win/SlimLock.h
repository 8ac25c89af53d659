// A mutex on the system's slim reader/writer lock, used exclusively: the
// standard one would bring the POSIX thread layer into the image.
#pragma once

#include <windows.h>

class SlimLock {
public:
    SlimLock() = default;
    SlimLock(const SlimLock&) = delete;
    SlimLock& operator=(const SlimLock&) = delete;

    // For std::lock_guard.
    void lock() { AcquireSRWLockExclusive(&lock_); }
    void unlock() { ReleaseSRWLockExclusive(&lock_); }

private:
    SRWLOCK lock_ = SRWLOCK_INIT;
};
