// Whether a text of the settings file may stand in for a string-table
// format: it is filled with the arguments the built-in text takes, so a
// placeholder more, fewer or of another kind would read what was not given.
#pragma once

#include <string>

// Null when `replacement` has the %s and %d placeholders of `builtIn` in the
// same order and no other conversion ("%%" is a percent sign in either);
// else why not, for the log.
const char* placeholderMismatch(const std::wstring& builtIn, const std::wstring& replacement);
