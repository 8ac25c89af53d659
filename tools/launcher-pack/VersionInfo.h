// The version resource Explorer and installers show for an executable.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "Bytes.h"

using FourPartVersion = std::array<uint16_t, 4>;

struct VersionInfo {
    FourPartVersion fileVersion{};
    FourPartVersion productVersion{};
    uint16_t language = 0x0409;
    // Key and value pairs of the string table, in the order written.
    std::vector<std::pair<std::u16string, std::u16string>> strings;
};

// "1.2.3.4": exactly four numbers 0-65535 separated by dots.
bool parseFourPartVersion(const std::string& text, FourPartVersion& version);
std::string formatVersion(const FourPartVersion& version);

// Its lengths are 16-bit fields.
constexpr size_t kMaxVersionResource = 0xFFFF;

// A VS_VERSIONINFO block: the fixed part and one Unicode string table; empty
// when the strings make it longer than kMaxVersionResource.
Bytes buildVersionResource(const VersionInfo& info);
