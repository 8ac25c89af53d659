#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/LogFilePath.h"
#include "core/LogText.h"

namespace {

std::string format(const char* text, ...) {
    va_list arguments;
    va_start(arguments, text);
    std::string result = formatLogText(text, arguments);
    va_end(arguments);
    return result;
}

// Length of the UTF-8 sequence starting at `lead`, 0 when it cannot start one.
size_t sequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead < 0xE0) return 2;
    if (lead >= 0xE0 && lead < 0xF0) return 3;
    if (lead >= 0xF0 && lead < 0xF5) return 4;
    return 0;
}

}  // namespace

// Any wide or narrow value gives one line of well-formed UTF-8; any path is
// judged without reading past it, names itself, and a plain one names no stream.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::wstring wide;
    for (size_t i = 0; i + 1 < size; i += 2) {
        const wchar_t unit = static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
        if (unit) wide += unit;
    }
    std::string narrow;
    for (size_t i = 0; i < size; ++i) narrow += static_cast<char>(data[i] & 0x7F ? data[i] & 0x7F : 'x');
    if (!sameFilePath(wide, wide) || (isPlainFilePath(wide) && std::count(wide.begin(), wide.end(), L':') > 1)) {
        __builtin_trap();
    }
    const std::string text = format("%s %a", wide.c_str(), narrow.c_str());
    for (size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        if (lead == '\r' || lead == '\n') __builtin_trap();
        const size_t length = sequenceLength(lead);
        if (length == 0 || i + length > text.size()) __builtin_trap();
        for (size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) __builtin_trap();
        }
        i += length;
    }
    return 0;
}
