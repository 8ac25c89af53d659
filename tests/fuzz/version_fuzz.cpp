#include <cstddef>
#include <cstdint>
#include <string>

#include "discovery/JavaVersion.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::wstring text;
    for (size_t i = 0; i + 1 < size; i += 2) text += static_cast<wchar_t>(data[i] | data[i + 1] << 8);
    const int32_t fill = size % 2 ? kVersionFillMax : kVersionFillMin;

    JavaVersion version;
    const bool parsed = parseVersion(text, fill, version);
    for (int32_t part : version.parts) {
        if (part < 0) __builtin_trap();
    }
    if (!parsed && version != JavaVersion{}) __builtin_trap();

    // Renumbering keeps a version non-negative and never makes it newer than 1.8 from below 9.
    const JavaVersion classic = withClassicNumbering(version);
    for (int32_t part : classic.parts) {
        if (part < 0) __builtin_trap();
    }
    if (version.parts[0] < 9 && classic.parts[0] > 1 && classic != version) __builtin_trap();

    // A formatted version parses back to itself once the fill is dropped.
    const std::wstring formatted = formatVersion(version);
    if (!isUnbounded(version) && !matchesPreferred(version, parseVersion(formatted, kVersionFillMin))) __builtin_trap();
    describeRequirement(version, parseVersion(formatted, kVersionFillMax));
    return 0;
}
