// What the single-instance guard holds: the shared block, the listener and,
// for a later start, the first instance's process.
#pragma once

#include <windows.h>

#include <memory>

#include "core/win/Scoped.h"

struct SingleInstanceBlock;
struct ListenerContext;

struct SingleInstanceState {
    bool singleInstance = false;
    bool isFirstInstance = false;
    ScopedHandle mapping;
    ScopedMappedView view;
    ScopedHandle listenerThread;
    UINT requestMessage = 0;
    // First instance: what the listener and its workers share; lives until
    // the listener has ended.
    std::unique_ptr<ListenerContext> listener;
    // Second instance: the first instance's process, watched while waiting.
    ScopedHandle ownerProcess;

    SingleInstanceState();
    ~SingleInstanceState();
    SingleInstanceState(const SingleInstanceState&) = delete;
    SingleInstanceState& operator=(const SingleInstanceState&) = delete;

    SingleInstanceBlock* block() const { return static_cast<SingleInstanceBlock*>(view.get()); }
};
