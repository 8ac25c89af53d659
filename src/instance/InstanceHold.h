// A restarted application's supervisor holds the single-instance block
// around its runs. A start arriving between two runs then finds the block,
// waits for the next run to take requests and is served by it, instead of
// becoming a first instance of its own beside the restarted run.
#pragma once

#include <windows.h>

#include <string>

#include "core/win/Scoped.h"

class InstanceHold {
public:
    // Holds the block for the next run, taking over from the hold for the
    // last one, so the block never lapses in between. True when the next run
    // is to be the first instance: the block was made now, or it still names
    // the run that just ended (`endedRunProcessId`, 0 before the first run),
    // and its header is then cleared, so later starts wait for the next
    // run's. False for a run that will be a later start, and when the block
    // cannot be had.
    bool holdFor(const std::wstring& executablePath, DWORD endedRunProcessId);

    // For a run that is to be the first instance: lets the block go once the
    // run has filled the header, has ended, or has had long enough. A first
    // instance that hands over to its pair gives the block up, and the hold
    // must not keep it for a listener that is gone.
    void releaseOnceTaken(HANDLE run, DWORD runProcessId);

private:
    ScopedHandle mapping_;
    ScopedMappedView view_;
};
