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
