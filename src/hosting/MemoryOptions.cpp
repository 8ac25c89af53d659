#include "hosting/MemoryOptions.h"

#include "core/DecimalText.h"

namespace {

bool isDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

uint64_t numberAt(const SizeNumbers& parsed, size_t index) {
    return index < parsed.numbers.size() ? parsed.numbers[index] : 0;
}

}  // namespace

SizeNumbers parseSizeNumbers(const std::wstring& text) {
    SizeNumbers parsed;
    size_t first = 0;
    while (first < text.size() && !isDigit(text[first]) && text[first] != L':') ++first;
    parsed.prefixLength = first;
    if (first == text.size()) return parsed;

    parsed.numbers.push_back(0);
    size_t end = isDigit(text.back()) ? text.size() : text.size() - 1;
    for (size_t i = first; i < end; ++i) {
        uint64_t& number = parsed.numbers.back();
        if (isDigit(text[i])) {
            number = number * 10 + static_cast<uint64_t>(text[i] - L'0');
            if (number > kSizeNumberTooLarge) number = kSizeNumberTooLarge;
        } else if (text[i] == L':') {
            parsed.numbers.push_back(0);
        }
    }
    return parsed;
}

bool isPercentageMemoryOption(const std::wstring& option) {
    if (option.size() < 5) return false;
    std::wstring prefix = option.substr(0, 4);
    if (prefix != L"-Xms" && prefix != L"-Xmx" && prefix != L"-Xss") return false;
    wchar_t unit = option.back();
    return unit == L'P' || unit == L'p' || unit == L'T' || unit == L't';
}

std::wstring rewriteMemoryOption(const std::wstring& option, const MemoryBase& base) {
    SizeNumbers parsed = parseSizeNumbers(option);
    if (parsed.numbers.empty()) return option;
    uint64_t percent = numberAt(parsed, 0);
    uint64_t minimumKb = numberAt(parsed, 1) * 1024;
    uint64_t maximumKb = numberAt(parsed, 2) * 1024;
    bool physical = option.back() == L'P' || option.back() == L'p';
    uint64_t baseKb = physical ? base.totalPhysicalKb : base.availableVirtualKb;
    if (baseKb > kSizeNumberTooLarge) baseKb = kSizeNumberTooLarge;

    // Both factors are at most 2^32, so the product stays far from the limit
    // of the conversion back to an integer.
    auto value = static_cast<uint64_t>(static_cast<double>(baseKb) * static_cast<double>(percent) / 100.0);
    if (maximumKb != 0 && value > maximumKb) value = maximumKb;
    if (minimumKb > value) value = minimumKb;
    return option.substr(0, parsed.prefixLength) + decimalText(value) + L"K";
}

uint32_t stackSizeFromXss(const std::wstring& value) {
    SizeNumbers parsed = parseSizeNumbers(value);
    if (parsed.prefixLength != 0 || parsed.numbers.size() != 1) return 0;
    uint64_t multiplier = 1;
    switch (value.back()) {
        case L'G': case L'g': multiplier = 1ULL << 30; break;
        case L'M': case L'm': multiplier = 1ULL << 20; break;
        case L'K': case L'k': multiplier = 1ULL << 10; break;
        default: break;
    }
    uint64_t bytes = parsed.numbers[0] * multiplier;
    return bytes > 0xFFFFFFFFULL ? 0 : static_cast<uint32_t>(bytes);
}
