// Asking the running Java application to end, from a thread of the
// launcher's own: a service's stop request.
#pragma once

#include "hosting/JavaSession.h"

// Attaches, calls `public static void serviceStop()` of the class main runs
// in when it has one and detaches; without it, System.exit(0), so the
// application's shutdown hooks run, and the call does not return. Nothing
// once the VM is gone.
void requestApplicationEnd(JavaSession& session);
