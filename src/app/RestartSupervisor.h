// Starting an application again when it ends with its "Restart Code". A JVM
// cannot be created twice in one process, and System.exit ends the process
// from inside the JVM, so the process the user started hosts none: it runs
// each run as a child process and ends with the last run's exit code.
#pragma once

#include <string>

#include "app/AppSettings.h"

// What a supervisor told the process it started.
enum class RunMark {
    none,       // started by someone else: it may supervise
    run,        // a run of a supervisor
    heldBlock,  // a run whose supervisor holds the single-instance block for it to take
};

// Taken off the environment at once, so nothing the application starts inherits it.
RunMark takeRunMark();

// Runs the application with this process's command line, working folder and
// environment, again while a run ends with the restart code, at most ten
// times in a row for runs shorter than five seconds. Shows nothing; the last
// run's exit code.
int superviseRuns(const std::wstring& executablePath, const RestartSettings& settings);
