// Asking the running Java application to end, from a thread of the
// launcher's own: a service's stop request.
#pragma once

#include <string>

#include "hosting/JavaSession.h"

// Attaches, calls the main class's `public static void serviceStop()` when
// it has one and detaches; without it, System.exit(0), so the application's
// shutdown hooks run, and the call does not return. Nothing once the VM is
// gone. `mainClass` is slash-separated, in the thread's ANSI code page.
void requestApplicationEnd(JavaSession& session, const std::string& mainClass);
