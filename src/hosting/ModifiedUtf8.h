// The JVM's modified UTF-8: text it hands back decoded to UTF-16, and class
// names encoded for FindClass without asking the JVM.
#pragma once

#include <cstddef>
#include <string>

// One UTF-16 code unit per element. Supplementary characters arrive as two
// 3-byte surrogates and stay a surrogate pair; standard 4-byte sequences are
// accepted too. Malformed bytes become U+FFFD.
std::wstring decodeModifiedUtf8(const char* bytes, size_t length);

// One UTF-16 code unit per element. U+0000 becomes C0 80 and every
// surrogate, paired or not, a 3-byte sequence of its own, so the bytes hold
// no NUL and decode back to the same units.
std::string encodeModifiedUtf8(const std::wstring& text);
