#include "discovery/ui/AnchorColor.h"

namespace {

bool isBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

// -1 for anything but optional blanks around decimal digits.
long parseChannel(const std::wstring& text, size_t begin, size_t end) {
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    if (begin == end) return -1;
    long value = 0;
    for (size_t i = begin; i < end; ++i) {
        if (text[i] < L'0' || text[i] > L'9') return -1;
        value = value * 10 + (text[i] - L'0');
    }
    return value;
}

}  // namespace

std::optional<RgbColor> parseAnchorColor(const std::wstring& value) {
    if (value.size() > kMaxAnchorColorLength) return std::nullopt;
    const size_t firstComma = value.find(L',');
    if (firstComma == std::wstring::npos) return std::nullopt;
    const size_t secondComma = value.find(L',', firstComma + 1);
    if (secondComma == std::wstring::npos) return std::nullopt;

    const long red = parseChannel(value, 0, firstComma);
    const long green = parseChannel(value, firstComma + 1, secondComma);
    const long blue = parseChannel(value, secondComma + 1, value.size());
    if (red < 0 || green < 0 || blue < 0) return std::nullopt;
    return RgbColor{static_cast<uint8_t>(red & 0xFF), static_cast<uint8_t>(green & 0xFF),
                    static_cast<uint8_t>(blue & 0xFF)};
}
