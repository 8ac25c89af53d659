// Memory and stack sizes in JVM options: "-Xmx50p", "-Xms10:256:1024T", "-Xss2m".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Any number that does not fit in 32 bits is held as this value.
constexpr uint64_t kSizeNumberTooLarge = 0x100000000ULL;

struct SizeNumbers {
    size_t prefixLength = 0;  // text before the first digit or ":"
    std::vector<uint64_t> numbers;  // ":"-separated; a final non-digit is the unit
};

SizeNumbers parseSizeNumbers(const std::wstring& text);

// Kilobytes the percentage refers to: physical memory ("P") or the free
// address space of this process ("T").
struct MemoryBase {
    uint64_t totalPhysicalKb = 0;
    uint64_t availableVirtualKb = 0;
};

// "-Xms", "-Xmx" or "-Xss" (exact case) ending in P, p, T or t.
bool isPercentageMemoryOption(const std::wstring& option);

// "<prefix><percent>[:<min MB>[:<max MB>]]<P|T>" becomes "<prefix><n>K";
// the minimum wins over the maximum.
std::wstring rewriteMemoryOption(const std::wstring& option, const MemoryBase& base);

// Bytes for the text after "-Xss"; 0 when it is not one number with an
// optional unit, or when the product does not fit in 32 bits.
uint32_t stackSizeFromXss(const std::wstring& value);
