#include "instance/InstanceHold.h"

#include "instance/InstanceChannel.h"
#include "instance/InstanceProtocol.h"

namespace {

// Far longer than a later start waits for a header.
constexpr DWORD kHoldLimitMs = 6 * kListenerReadyWaitMs;

}  // namespace

bool InstanceHold::holdFor(const std::wstring& executablePath, DWORD endedRunProcessId) {
    SingleInstanceState opened;
    const bool held = openSharedBlock(opened, instanceNameOf(executablePath));
    mapping_ = std::move(opened.mapping);
    view_ = std::move(opened.view);
    if (!held) return false;
    if (opened.isFirstInstance) return true;
    SingleInstanceBlock& block = *static_cast<SingleInstanceBlock*>(view_.get());
    if (endedRunProcessId == 0 || readShared(block.ownerProcessId) != endedRunProcessId) return false;
    // The listener first: it is what a later start waits for.
    __atomic_store_n(&block.listenerThreadId, 0, __ATOMIC_RELEASE);
    __atomic_store_n(&block.ownerProcessId, 0, __ATOMIC_RELEASE);
    return true;
}

void InstanceHold::releaseOnceTaken(HANDLE run, DWORD runProcessId) {
    const SingleInstanceBlock& block = *static_cast<const SingleInstanceBlock*>(view_.get());
    const DWORD start = GetTickCount();
    while (WaitForSingleObject(run, 10) == WAIT_TIMEOUT && GetTickCount() - start < kHoldLimitMs) {
        if (readShared(block.ownerProcessId) == runProcessId && readShared(block.listenerThreadId) != 0) break;
    }
    view_.reset();
    mapping_.reset();
}
