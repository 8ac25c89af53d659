// Size parsing and the stack size on arbitrary text, and modified UTF-8 decoding.
#include <cstddef>
#include <cstdint>
#include <string>

#include "hosting/MemoryOptions.h"
#include "hosting/ModifiedUtf8.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::wstring text(data, data + size);
    SizeNumbers parsed = parseSizeNumbers(text);
    if (parsed.prefixLength > text.size()) __builtin_trap();
    for (uint64_t number : parsed.numbers) {
        if (number > kSizeNumberTooLarge) __builtin_trap();
    }
    stackSizeFromXss(text);
    rewriteMemoryOption(L"-Xmx" + text + L"p", MemoryBase{~0ULL, ~0ULL});

    std::wstring decoded = decodeModifiedUtf8(reinterpret_cast<const char*>(data), size);
    if (decoded.size() > size) __builtin_trap();
    return 0;
}
