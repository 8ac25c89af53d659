// Serves one forwarded start in the first instance: hands the arguments to
// the main class's secondaryMain on a thread attached to the JVM and posts
// the reply to the waiting start.
#pragma once

#include <windows.h>

// Thread routine; takes ownership of the ForwardRequest it is given.
DWORD WINAPI forwardWorkerMain(void* request);
