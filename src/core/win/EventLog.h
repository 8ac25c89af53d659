// The Windows event log, where a service's failures go: nobody would see a
// window it opened.
#pragma once

#include <string>

// An error entry in the Application log under `source`, with `text` as it
// is; the diagnostics log gets the same text.
void writeEventLogError(const wchar_t* source, const std::wstring& text);
