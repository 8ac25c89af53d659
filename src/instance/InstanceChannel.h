// The shared block and the messages between the running instance of an
// executable and its later starts. Both roles work on SingleInstanceState;
// SingleInstance decides when each is used.
#pragma once

#include <windows.h>

#include <optional>
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

enum class RequestOutcome { sent, failed, startAgain };

// Later start: writes the arguments and posts the request, holding the
// writer lock until the first instance has copied them. Failed when the
// arguments do not fit or the request cannot be posted; startAgain when no
// listener takes it: the header stayed empty, or the first instance gave
// up the block meanwhile.
RequestOutcome sendRequest(SingleInstanceState& state, const std::wstring& name,
                           const std::vector<std::wstring>& arguments, DWORD readyWaitMs = kListenerReadyWaitMs);

// Later start: the reply's value, or the first instance's exit code when it
// ends without replying; nothing when the first instance gave the start to
// another process and this one is to start again.
std::optional<int> awaitReply(SingleInstanceState& state);

// Ends the listener, lets waiting workers go and releases the block.
void closeSharedBlock(SingleInstanceState& state);

// First instance that gives its start to another process: later starts,
// waiting or arriving, are told to start again, and the name is free.
void handOverSharedBlock(SingleInstanceState& state);
