// Text the JVM hands back: modified UTF-8 decoded to UTF-16.
#pragma once

#include <cstddef>
#include <string>

// One UTF-16 code unit per element. Supplementary characters arrive as two
// 3-byte surrogates and stay a surrogate pair; standard 4-byte sequences are
// accepted too. Malformed bytes become U+FFFD.
std::wstring decodeModifiedUtf8(const char* bytes, size_t length);
