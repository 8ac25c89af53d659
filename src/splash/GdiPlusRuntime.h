// GDI+ for the whole process: started on first use from any thread, shut
// down when the process exits normally.
#pragma once

class GdiPlusRuntime {
public:
    // True when GDI+ is running; a failed start-up is not retried.
    static bool ensureStarted();
};
