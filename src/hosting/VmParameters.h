// Splitting "Virtual Machine Parameters" into JVM options.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "hosting/MemoryOptions.h"

// Space-separated tokens; spaces inside a quoted section do not split.
// Quotes are still in place.
std::vector<std::wstring> splitVmParameters(const std::wstring& value);

// Each quoted section loses its quotes; a quote right after a closing quote
// stays as a literal, and an unpaired quote stays as it is.
std::wstring stripQuotes(const std::wstring& token);

// One token as the JVM receives it: quotes removed, a percentage memory size
// rewritten. An -Xss token replaces `stackSize` with its byte count (0 when
// it cannot be used).
std::wstring processVmParameter(const std::wstring& token, const MemoryBase& base, uint32_t& stackSize);
