#include "core/DecimalText.h"

std::wstring decimalText(uint64_t value) {
    wchar_t digits[20];
    int count = 0;
    do {
        digits[count++] = static_cast<wchar_t>(L'0' + value % 10);
        value /= 10;
    } while (value != 0);
    std::wstring text;
    while (count > 0) text += digits[--count];
    return text;
}

std::wstring signedDecimalText(int64_t value) {
    // Negated in unsigned arithmetic, so the most negative value has its magnitude too.
    if (value < 0) return L"-" + decimalText(0 - static_cast<uint64_t>(value));
    return decimalText(static_cast<uint64_t>(value));
}

bool parseExitCode(const std::wstring& text, int32_t& value) {
    const bool negative = !text.empty() && text[0] == L'-';
    if (text.size() <= (negative ? 1u : 0u)) return false;
    uint64_t magnitude = 0;
    for (size_t at = negative ? 1 : 0; at < text.size(); ++at) {
        if (text[at] < L'0' || text[at] > L'9') return false;
        magnitude = magnitude * 10 + static_cast<uint64_t>(text[at] - L'0');
        if (magnitude > (negative ? 2147483648ull : 4294967295ull)) return false;
    }
    value = static_cast<int32_t>(static_cast<uint32_t>(negative ? 0 - magnitude : magnitude));
    return true;
}
