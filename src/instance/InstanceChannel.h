// The shared block and the messages between the running instance of an
// executable and its later starts. Both roles work on SingleInstanceState;
// SingleInstance decides when each is used.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "core/win/Scoped.h"
#include "instance/RequestListener.h"
#include "instance/SingleInstanceState.h"

// How long a later start waits for the first instance to finish filling
// the header and to take requests.
constexpr DWORD kListenerReadyWaitMs = 5000;

// Creates the block named `name`, or opens it when another process has it,
// and maps it; sets isFirstInstance. False when the block cannot be used.
bool openSharedBlock(SingleInstanceState& state, const std::wstring& name);

// First instance: the main-started event (handed to the target's session),
// the request message and the listener thread, whose workers run `worker`.
// False leaves nothing behind (the block is released too) so the process
// runs unguarded.
bool startListening(SingleInstanceState& state, const std::wstring& name, std::shared_ptr<const ForwardTarget> target,
                    LPTHREAD_START_ROUTINE worker);

// Later start: writes the arguments and posts the request, holding the
// writer lock until the first instance has copied them. False when the
// arguments do not fit or the request cannot be posted.
bool sendRequest(SingleInstanceState& state, const std::wstring& name, const std::vector<std::wstring>& arguments,
                 DWORD readyWaitMs = kListenerReadyWaitMs);

// Later start: the reply's value, or the first instance's exit code when it
// ends without replying.
int awaitReply(SingleInstanceState& state);

// Ends the listener, lets waiting workers go and releases the block.
void closeSharedBlock(SingleInstanceState& state);
