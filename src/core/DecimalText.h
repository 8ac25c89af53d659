// Numbers as decimal text. std::to_wstring goes through the C library's
// formatted printing, which drags a whole printf into the executable.
#pragma once

#include <cstdint>
#include <string>

std::wstring decimalText(uint64_t value);

// With a leading "-" when negative.
std::wstring signedDecimalText(int64_t value);

// Digits with an optional leading "-", nothing else, from -2147483648 to
// 4294967295: a process exit code as a signed or an unsigned number.
bool parseExitCode(const std::wstring& text, int32_t& value);
