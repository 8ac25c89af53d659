// Any UTF-16 text, unpaired surrogates and U+0000 included, reaches FindClass
// whole (no NUL byte, no 4-byte sequence a JVM would refuse) and decodes back
// to the same units.
#include <cstddef>
#include <cstdint>
#include <string>

#include "hosting/ModifiedUtf8.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::wstring text;
    for (size_t i = 0; i + 1 < size; i += 2) text += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
    const std::string bytes = encodeModifiedUtf8(text);
    for (char byte : bytes) {
        if (byte == '\0' || static_cast<unsigned char>(byte) >= 0xF0) __builtin_trap();
    }
    if (decodeModifiedUtf8(bytes.data(), bytes.size()) != text) __builtin_trap();
    return 0;
}
