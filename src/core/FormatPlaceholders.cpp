#include "core/FormatPlaceholders.h"

#include <cstdint>

namespace {

struct Placeholders {
    unsigned count = 0;
    uint64_t kinds = 0;  // bit n set: the n-th placeholder is a %d
};

// False for any conversion but %s, %d and %%, flags and widths included, and for a "%" at the end.
bool readPlaceholders(const std::wstring& text, Placeholders& found) {
    for (size_t at = 0; at < text.size(); ++at) {
        if (text[at] != L'%') continue;
        const wchar_t next = ++at < text.size() ? text[at] : L'\0';
        if (next == L's' || next == L'd') {
            if (found.count < 64 && next == L'd') found.kinds |= uint64_t{1} << found.count;
            ++found.count;
        } else if (next != L'%') {
            return false;
        }
    }
    return true;
}

}  // namespace

const char* placeholderMismatch(const std::wstring& builtIn, const std::wstring& replacement) {
    Placeholders expected;
    Placeholders found;
    readPlaceholders(builtIn, expected);
    if (!readPlaceholders(replacement, found)) return "a conversion other than %s, %d and %%";
    if (found.count > expected.count) return "a placeholder too many";
    if (found.count < expected.count) return "a placeholder too few";
    if (found.kinds != expected.kinds) return "its placeholders in another order";
    return nullptr;
}
