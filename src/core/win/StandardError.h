#pragma once

#include <string>

// Writes the text to the process's standard error, ending it with a line
// break when it has none: as wide characters to a console, else as UTF-8,
// the encoding the Java side writes to the same handle.
void writeStandardError(const std::wstring& text);
