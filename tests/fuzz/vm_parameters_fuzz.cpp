// Splitting, quote removal and size rewriting on arbitrary parameter text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "hosting/VmParameters.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::wstring value;
    for (size_t i = 0; i + 1 < size; i += 2) value += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
    MemoryBase base{4194303, 2097151};
    uint32_t stack = 0;
    size_t length = 0;
    for (const std::wstring& token : splitVmParameters(value)) {
        if (token.empty() || token.find(L' ') == 0) __builtin_trap();
        length += token.size();
        processVmParameter(token, base, stack);
        if (stripQuotes(token).size() > token.size()) __builtin_trap();
    }
    if (length > value.size()) __builtin_trap();
    return 0;
}
