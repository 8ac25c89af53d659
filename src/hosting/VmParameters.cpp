#include "hosting/VmParameters.h"

std::vector<std::wstring> splitVmParameters(const std::wstring& value) {
    std::vector<std::wstring> tokens;
    size_t start = value.find_first_not_of(L' ');
    while (start != std::wstring::npos) {
        size_t end = start;
        while (end < value.size() && value[end] != L' ') {
            if (value[end] == L'"') {
                size_t closing = value.find(L'"', end + 1);
                if (closing != std::wstring::npos) {
                    end = closing + 1;
                    if (end < value.size() && value[end] == L'"') ++end;
                    continue;
                }
            }
            ++end;
        }
        tokens.push_back(value.substr(start, end - start));
        start = value.find_first_not_of(L' ', end);
    }
    return tokens;
}

std::wstring stripQuotes(const std::wstring& token) {
    std::wstring text;
    text.reserve(token.size());
    size_t i = 0;
    while (i < token.size()) {
        size_t closing = token[i] == L'"' ? token.find(L'"', i + 1) : std::wstring::npos;
        if (closing == std::wstring::npos) {
            text += token[i++];
            continue;
        }
        text.append(token, i + 1, closing - i - 1);
        i = closing + 1;
        if (i < token.size() && token[i] == L'"') text += token[i++];
    }
    return text;
}

std::wstring processVmParameter(const std::wstring& token, const MemoryBase& base, uint32_t& stackSize) {
    std::wstring option = stripQuotes(token);
    if (isPercentageMemoryOption(option)) option = rewriteMemoryOption(option, base);
    if (option.compare(0, 4, L"-Xss") == 0) stackSize = stackSizeFromXss(option.substr(4));
    return option;
}
