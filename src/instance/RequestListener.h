// The first instance's side of a forwarded start: the listener thread that
// takes requests, and the gate every worker passes before calling Java.
#pragma once

#include <windows.h>

#include <memory>
#include <mutex>
#include <vector>

#include "core/win/Scoped.h"

class Launcher;
struct SingleInstanceBlock;

// Holds workers until the application's main is about to run, and lets
// them go without touching the launcher once its teardown has begun.
// Shared by the workers, so it outlives the launcher when they do.
struct WorkerGate {
    ScopedHandle mainStarted;  // own duplicate; null lets workers pass at once
    ScopedHandle stop;         // manual reset, set at teardown
    std::mutex lock;
    bool stopping = false;
    Launcher* launcher = nullptr;
};

// One forwarded start, owned by the worker that serves it.
struct ForwardRequest {
    DWORD requesterThreadId = 0;
    UINT requestMessage = 0;
    std::vector<unsigned char> block;  // private copy of the whole shared block
    std::shared_ptr<WorkerGate> gate;
};

struct ListenerContext {
    SingleInstanceBlock* block = nullptr;
    UINT requestMessage = 0;
    ScopedHandle requestCopied;  // auto reset
    std::shared_ptr<WorkerGate> gate;
    // Runs one request; takes ownership of the ForwardRequest it is given.
    LPTHREAD_START_ROUTINE worker = nullptr;
};

DWORD WINAPI listenerThreadMain(void* context);

// Waits at the gate. A held lock means the worker may go on; while it is
// held the launcher cannot begin its teardown, so read what is needed then.
std::unique_lock<std::mutex> passGate(WorkerGate& gate);

// Ends the gate for workers still waiting or about to pass it.
void closeGate(WorkerGate& gate);
