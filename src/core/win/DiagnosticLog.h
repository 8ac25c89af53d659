// The opt-in diagnostics log: one line for each decision of a start, in a
// file that every process of the application appends to. While it is off,
// each call is one test of a flag, so callers guard only costly arguments.
#pragma once

#include <string>

#include "core/LogText.h"

bool logIsOn();

// Once per process: appends to `path` from now on, shared for reading and by other processes.
// A file that cannot be opened, or is refused (a device, a pipe, a link, a
// path reported otherwise than asked), leaves the log off and nothing else
// changed.
bool openLog(const std::wstring& path);

// One whole line, written at once (see formatLogText for `format`).
void logLine(const char* format, ...);

// Milliseconds since the process started; 0 while the log is off.
unsigned logClock();

// "<phase> took <n> ms" since `startedAt`, a logClock() reading.
void logPhase(const char* phase, unsigned startedAt);
