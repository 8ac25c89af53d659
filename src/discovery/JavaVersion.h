// Java version values: four signed components, most significant first.
#pragma once

#include <array>
#include <cstdint>
#include <string>

struct JavaVersion {
    std::array<int32_t, 4> parts{0, 0, 0, 0};

    bool operator==(const JavaVersion& other) const { return parts == other.parts; }
    bool operator!=(const JavaVersion& other) const { return parts != other.parts; }
};

constexpr int32_t kVersionFillMin = 0;
constexpr int32_t kVersionFillMax = 65535;

// Parses the digit runs of `text`; missing components take `fill`. On
// failure `version` is 0.0.0.0 and false is returned.
bool parseVersion(const std::wstring& text, int32_t fill, JavaVersion& version);
JavaVersion parseVersion(const std::wstring& text, int32_t fill);

int compareVersions(const JavaVersion& left, const JavaVersion& right);

// Current installers name a Java 8 runtime 8.0.392.8; settings and the classic
// keys call it 1.8.0_392. Majors 2 to 8 move behind a leading 1, dropping the
// build number, so both namings compare and match alike.
JavaVersion withClassicNumbering(const JavaVersion& version);

// Trailing zero components of `pattern` match anything.
bool matchesPreferred(const JavaVersion& candidate, const JavaVersion& pattern);

bool isUnbounded(const JavaVersion& limit);

std::wstring formatVersion(const JavaVersion& version);

// The requirement phrase as a string-table id and its arguments.
struct RequirementPhrase {
    unsigned stringId = 0;
    std::wstring first;
    std::wstring second;
};
RequirementPhrase describeRequirement(const JavaVersion& minimum, const JavaVersion& maximum);
