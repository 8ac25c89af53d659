// A small PE32+ image laid out as the linker lays out the launcher: code,
// then resources, then base relocations, for tests and fuzzing of the
// resource writer without a Windows toolchain.
#pragma once

#include <vector>

#include "Bytes.h"
#include "ResourceTree.h"

constexpr uint32_t kSyntheticCodeRva = 0x1000;
constexpr uint32_t kSyntheticResourceRva = 0x2000;
constexpr uint8_t kSyntheticCodeByte = 0xC3;
constexpr uint8_t kSyntheticRelocationByte = 0x5A;
constexpr uint32_t kSyntheticRelocationSize = 12;

std::vector<Resource> syntheticResources();
Bytes syntheticImage(const std::vector<Resource>& resources, bool withRelocations = true);
// The same image with the given bytes as its resource section.
Bytes syntheticImageAround(const Bytes& resourceSection, bool withRelocations = true);
// A resource directory of `entries` types that all share one directory of
// `entries` names, which all share one empty directory of languages.
Bytes sharedResourceDirectories(uint16_t entries);
