// The text of one diagnostics log line: UTF-8, and always one physical line
// whatever the values hold, so a reader can split the file safely.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <string>

// `format` with %s for a wide string and %a for a UTF-8 one (null reads as
// empty either way), %d for an int, %u for an unsigned int, %x for an
// unsigned int as 0x and eight hex digits (an HRESULT) and %% for a
// percent sign. In a value a line break is spelled "\n", any other control
// character but tab becomes "?", and a lone surrogate U+FFFD.
std::string formatLogText(const char* format, va_list arguments);

// "<ms> ms [<process>:<thread>] " before the text, CR LF after it.
std::string logLine(uint32_t milliseconds, uint32_t processId, uint32_t threadId, const std::string& text);
