// The first instance's side of a forwarded start: the listener thread that
// takes requests, and the workers that serve them.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "core/win/Scoped.h"
#include "hosting/JavaSession.h"

struct SingleInstanceBlock;

// What a worker needs of the running application. Shared by the workers, so
// it outlives the launcher's teardown when they do.
struct ForwardTarget {
    // The same providers keep the Java thread attached after main.
    bool keepsThreadsAttached = false;
    SharedJavaSession session;
};

// One forwarded start, owned by the worker that serves it.
struct ForwardRequest {
    DWORD requesterThreadId = 0;
    UINT requestMessage = 0;
    std::vector<unsigned char> block;  // private copy of the whole shared block
    std::shared_ptr<const ForwardTarget> target;
};

struct ListenerContext {
    SingleInstanceBlock* block = nullptr;
    UINT requestMessage = 0;
    ScopedHandle requestCopied;  // auto reset
    std::shared_ptr<const ForwardTarget> target;
    // Runs one request; takes ownership of the ForwardRequest it is given.
    LPTHREAD_START_ROUTINE worker = nullptr;
};

DWORD WINAPI listenerThreadMain(void* context);

// Serves one forwarded start: hands the arguments to the main class's
// secondaryMain on a thread attached to the JVM and posts the reply to the
// waiting start. Takes ownership of the ForwardRequest it is given.
DWORD WINAPI forwardWorkerMain(void* request);
