#pragma once

#include <string>

// False for bytes that are not well-formed UTF-8.
bool utf8ToUtf16(const std::string& text, std::u16string& wide);
std::string utf16ToUtf8(const std::u16string& text);
