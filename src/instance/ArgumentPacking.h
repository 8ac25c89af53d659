// Application arguments in the shared block: UTF-16 strings, each followed
// by one NUL, the list closed by one more NUL.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Bytes the packed list takes: 2 per character plus 2 per string, plus 2.
// Saturates instead of wrapping.
size_t packedArgumentsSize(const std::vector<std::wstring>& arguments);

// Writes the list into a whole block (at least kArgumentsOffset +
// kArgumentsLimit bytes). False, with nothing written, when it does not fit.
bool packArguments(const std::vector<std::wstring>& arguments, unsigned char* block, size_t blockSize);

// Reads the list back from a block of any contents. Stops at the first empty
// string that follows a NUL, at kArgumentsWalkEnd, or at the end of the
// block; an unfinished string at the end is left out.
std::vector<std::wstring> unpackArguments(const unsigned char* block, size_t blockSize);
