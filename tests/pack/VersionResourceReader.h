// Reads a VS_VERSIONINFO block back node by node, checking every length and
// alignment on the way, as the tests' independent view of what was written.
#pragma once

#include <map>
#include <string>

#include "Bytes.h"

struct VersionReadBack {
    bool valid = false;
    std::string problem;
    uint32_t fileVersionHigh = 0, fileVersionLow = 0, productVersionHigh = 0, productVersionLow = 0;
    std::u16string tableKey;
    uint32_t translation = 0;
    std::map<std::u16string, std::u16string> strings;
};

VersionReadBack readVersionResource(const Bytes& block);
