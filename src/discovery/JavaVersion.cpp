#include "discovery/JavaVersion.h"

#include "core/DecimalText.h"
#include "resources/resource.h"

namespace {

bool isDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

size_t nextDigit(const std::wstring& text, size_t from) {
    while (from < text.size() && !isDigit(text[from])) ++from;
    return from;
}

}  // namespace

bool parseVersion(const std::wstring& text, int32_t fill, JavaVersion& version) {
    version = JavaVersion{};
    size_t position = nextDigit(text, 0);
    if (position == text.size()) return false;

    size_t component = 0;
    for (;;) {
        int32_t value = 0;
        for (; position < text.size() && isDigit(text[position]); ++position) {
            const int32_t digit = text[position] - L'0';
            // 2147483647 still fits; anything longer would overflow a signed component.
            if (value > 214748364 || (value == 214748364 && digit > 7)) {
                version = JavaVersion{};
                return false;
            }
            value = value * 10 + digit;
        }
        version.parts[component] = value;

        position = nextDigit(text, position);
        if (position == text.size() || component == 3) break;
        ++component;
    }
    for (size_t rest = component + 1; rest < version.parts.size(); ++rest) version.parts[rest] = fill;
    return true;
}

JavaVersion parseVersion(const std::wstring& text, int32_t fill) {
    JavaVersion version;
    parseVersion(text, fill, version);
    return version;
}

int compareVersions(const JavaVersion& left, const JavaVersion& right) {
    for (size_t i = 0; i < left.parts.size(); ++i) {
        if (left.parts[i] < right.parts[i]) return -1;
        if (left.parts[i] > right.parts[i]) return 1;
    }
    return 0;
}

JavaVersion withClassicNumbering(const JavaVersion& version) {
    const int32_t major = version.parts[0];
    if (major < 2 || major > 8) return version;
    return JavaVersion{{1, major, version.parts[1], version.parts[2]}};
}

bool matchesPreferred(const JavaVersion& candidate, const JavaVersion& pattern) {
    size_t significant = pattern.parts.size();
    while (significant > 0 && pattern.parts[significant - 1] == 0) --significant;
    for (size_t i = 0; i < significant; ++i) {
        if (candidate.parts[i] != pattern.parts[i]) return false;
    }
    return true;
}

bool isUnbounded(const JavaVersion& limit) {
    const JavaVersion none{{0, 0, 0, 0}};
    const JavaVersion all{{kVersionFillMax, kVersionFillMax, kVersionFillMax, kVersionFillMax}};
    return limit == none || limit == all;
}

std::wstring formatVersion(const JavaVersion& version) {
    int last = 3;
    while (last >= 0 && (version.parts[last] == 0 || version.parts[last] == kVersionFillMax)) --last;
    if (last < 0) return L"0.0.0.0";
    if (last < 1) last = 1;

    std::wstring text;
    for (int i = 0; i <= last; ++i) {
        if (i > 0) text += L'.';
        text += signedDecimalText(version.parts[i]);
    }
    return text;
}

RequirementPhrase describeRequirement(const JavaVersion& minimum, const JavaVersion& maximum) {
    const bool hasMinimum = !isUnbounded(minimum);
    const bool hasMaximum = !isUnbounded(maximum);
    if (!hasMinimum && !hasMaximum) return {IDS_VERSION_ANY, {}, {}};
    if (!hasMinimum) return {IDS_VERSION_MAX, formatVersion(maximum), {}};
    if (!hasMaximum) return {IDS_VERSION_MIN, formatVersion(minimum), {}};
    if (minimum == maximum) return {IDS_VERSION_EXACT, formatVersion(minimum), {}};
    return {IDS_VERSION_RANGE, formatVersion(minimum), formatVersion(maximum)};
}
