#include <cstddef>
#include <cstdint>
#include <string>

#include "core/CommandLine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::wstring text;
    for (size_t i = 0; i + 1 < size; i += 2) text += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
    std::vector<std::wstring> tokens;
    tokenize(text, tokens);
    size_t total = 0;
    for (const std::wstring& token : tokens) total += token.size();
    if (total > text.size()) __builtin_trap();
    splitCommandLineText(text);
    return 0;
}
