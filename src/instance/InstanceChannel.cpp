#include "instance/InstanceChannel.h"

#include "instance/InstanceProtocol.h"
#include "instance/RequestListener.h"

namespace {

bool headerReady(const SingleInstanceBlock& block) {
    return readShared(block.listenerThreadId) != 0 && readShared(block.ownerProcessId) != 0 &&
           readShared(block.requestMessage) != 0;
}

bool pastDeadline(DWORD start, DWORD waitMs) { return GetTickCount() - start >= waitMs; }

// A first instance that gives up its block clears the listener's id first.
bool listenerLeft(const SingleInstanceState& state, DWORD listenerThreadId) {
    return readShared(state.block()->listenerThreadId) != listenerThreadId;
}

enum class WaitOutcome { signalled, ownerEnded, listenerLeft, failed };

// Waits for `object` while the first instance lives and keeps its listener;
// without a handle on that process, for a bounded time.
WaitOutcome waitWhileServed(HANDLE object, const SingleInstanceState& state, DWORD listenerThreadId) {
    HANDLE handles[] = {object, state.ownerProcess.get()};
    const DWORD count = handles[1] ? 2 : 1;
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD result = WaitForMultipleObjects(count, handles, FALSE, 100);
        if (result == WAIT_OBJECT_0 || result == WAIT_ABANDONED_0) return WaitOutcome::signalled;
        if (count == 2 && result == WAIT_OBJECT_0 + 1) return WaitOutcome::ownerEnded;
        if (result != WAIT_TIMEOUT) return WaitOutcome::failed;
        if (listenerLeft(state, listenerThreadId)) return WaitOutcome::listenerLeft;
        if (count == 1 && pastDeadline(start, 30000)) return WaitOutcome::failed;
    }
}

RequestOutcome postWithRetry(const SingleInstanceState& state, DWORD listenerThreadId, DWORD readyWaitMs) {
    // The listener's message queue may not exist yet right after start-up.
    const DWORD start = GetTickCount();
    while (!PostThreadMessageW(listenerThreadId, state.requestMessage, GetCurrentThreadId(), 0)) {
        if (listenerLeft(state, listenerThreadId)) return RequestOutcome::startAgain;
        if (pastDeadline(start, readyWaitMs)) return RequestOutcome::failed;
        // A first instance that ended meanwhile answers through its exit code.
        if (state.ownerProcess && WaitForSingleObject(state.ownerProcess.get(), 0) == WAIT_OBJECT_0) {
            return RequestOutcome::sent;
        }
        Sleep(10);
    }
    return RequestOutcome::sent;
}

// True when the reply came: `value` holds the answer, or nothing when the
// later start is to start again.
bool takeReply(UINT requestMessage, std::optional<int>& value) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.hwnd == nullptr && message.message == requestMessage) {
            if (message.lParam == kStartAgainReply) {
                value.reset();
            } else {
                value = static_cast<int>(message.wParam);
            }
            return true;
        }
    }
    return false;
}

void releaseBlock(SingleInstanceState& state) {
    state.view.reset();
    state.mapping.reset();
}

}  // namespace

bool openSharedBlock(SingleInstanceState& state, const std::wstring& name) {
    SetLastError(0);
    state.mapping.reset(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                           static_cast<DWORD>(kBlockSize), name.c_str()));
    if (!state.mapping) return false;
    state.isFirstInstance = GetLastError() == 0;
    state.view.reset(MapViewOfFile(state.mapping.get(), FILE_MAP_WRITE, 0, 0, 0));
    if (!state.view) {
        state.mapping.reset();
        return false;
    }
    return true;
}

bool startListening(SingleInstanceState& state, const std::wstring& name, std::shared_ptr<const ForwardTarget> target,
                    LPTHREAD_START_ROUTINE worker) {
    ScopedHandle mainStarted(CreateEventW(nullptr, TRUE, FALSE, mainStartedEventName(name).c_str()));
    // Without the event workers would call into a JVM that may not exist yet.
    bool ready = static_cast<bool>(mainStarted);

    auto context = std::make_unique<ListenerContext>();
    context->requestCopied.reset(CreateEventW(nullptr, FALSE, FALSE, requestCopiedEventName(name).c_str()));
    context->requestMessage = RegisterWindowMessageW(name.c_str());
    ready = ready && context->requestCopied && context->requestMessage != 0;
    if (ready) {
        target->session->adoptMainStartedEvent(std::move(mainStarted));
        SingleInstanceBlock* block = state.block();
        context->block = block;
        context->target = std::move(target);
        context->worker = worker;
        state.requestMessage = context->requestMessage;
        block->ownerProcessId = GetCurrentProcessId();
        block->requestMessage = context->requestMessage;
        // The thread id is what later starts wait for, so it is written last.
        state.listenerThread.reset(CreateThread(nullptr, 0, listenerThreadMain, context.get(), 0,
                                                reinterpret_cast<LPDWORD>(&block->listenerThreadId)));
        ready = static_cast<bool>(state.listenerThread);
        if (!ready) context->target->session->adoptMainStartedEvent(ScopedHandle());
    }
    if (!ready) {
        releaseBlock(state);
        return false;
    }
    state.listener = std::move(context);
    return true;
}

RequestOutcome sendRequest(SingleInstanceState& state, const std::wstring& name,
                           const std::vector<std::wstring>& arguments, DWORD readyWaitMs) {
    if (packedArgumentsSize(arguments) > kArgumentsLimit) return RequestOutcome::failed;
    // The answer comes as a message to this thread: its queue must exist
    // before the request goes out. Only a later start pays for it.
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);

    SingleInstanceBlock& block = *state.block();
    const DWORD start = GetTickCount();
    while (!headerReady(block)) {
        // Filled by now, or left by a first instance that gave it up: nobody
        // may be there to serve it.
        if (pastDeadline(start, readyWaitMs)) return RequestOutcome::startAgain;
        Sleep(10);
    }
    state.requestMessage = readShared(block.requestMessage);
    const DWORD listenerThreadId = readShared(block.listenerThreadId);
    state.ownerProcess.reset(
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, readShared(block.ownerProcessId)));

    ScopedHandle writerLock(CreateMutexW(nullptr, FALSE, writerLockName(name).c_str()));
    ScopedHandle copied(CreateEventW(nullptr, FALSE, FALSE, requestCopiedEventName(name).c_str()));
    if (!writerLock || !copied) return RequestOutcome::failed;

    const auto outcomeOf = [](WaitOutcome waited) {
        // A first instance that ended meanwhile answers through its exit code.
        if (waited == WaitOutcome::signalled || waited == WaitOutcome::ownerEnded) return RequestOutcome::sent;
        return waited == WaitOutcome::listenerLeft ? RequestOutcome::startAgain : RequestOutcome::failed;
    };
    WaitOutcome locked = waitWhileServed(writerLock.get(), state, listenerThreadId);
    if (locked != WaitOutcome::signalled) return outcomeOf(locked);
    ScopedMutexOwnership ownership(writerLock.get());

    ResetEvent(copied.get());
    packArguments(arguments, static_cast<unsigned char*>(state.view.get()), kBlockSize);
    const RequestOutcome posted = postWithRetry(state, listenerThreadId, readyWaitMs);
    if (posted != RequestOutcome::sent) return posted;
    return outcomeOf(waitWhileServed(copied.get(), state, listenerThreadId));
}

std::optional<int> awaitReply(SingleInstanceState& state) {
    if (!state.ownerProcess) {
        state.ownerProcess.reset(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE,
                                             readShared(state.block()->ownerProcessId)));
        if (!state.ownerProcess) return 0;
    }
    HANDLE owner = state.ownerProcess.get();
    std::optional<int> reply;
    for (;;) {
        if (takeReply(state.requestMessage, reply)) return reply;
        DWORD exitCode = 0;
        if (!GetExitCodeProcess(owner, &exitCode)) return -1;
        const bool ended = exitCode != STILL_ACTIVE || WaitForSingleObject(owner, 0) == WAIT_OBJECT_0;
        if (ended) {
            // A reply posted just before the end still counts.
            if (takeReply(state.requestMessage, reply)) return reply;
            return static_cast<int>(exitCode);
        }
        MsgWaitForMultipleObjects(1, &owner, FALSE, 100, QS_POSTMESSAGE);
    }
}

void handOverSharedBlock(SingleInstanceState& state) {
    if (state.listener) {
        __atomic_store_n(&state.block()->listenerThreadId, 0, __ATOMIC_RELEASE);
        state.listener->target->session->handOver();
    }
    closeSharedBlock(state);
}

void closeSharedBlock(SingleInstanceState& state) {
    if (state.listener) state.listener->target->session->stop();
    if (state.listenerThread) {
        const DWORD listenerThreadId = GetThreadId(state.listenerThread.get());
        do {
            PostThreadMessageW(listenerThreadId, WM_QUIT, 0, 0);
        } while (WaitForSingleObject(state.listenerThread.get(), 10) == WAIT_TIMEOUT);
        state.listenerThread.reset();
    }
    state.listener.reset();
    state.ownerProcess.reset();
    releaseBlock(state);
}
