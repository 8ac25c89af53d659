// The browser's link colour values: "red,green,blue" in decimal.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct RgbColor {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
};

// Longest value accepted, in characters without the terminator.
constexpr size_t kMaxAnchorColorLength = 11;

// Nothing for a value that is too long, lacks a comma or has a number that
// is empty, negative or not decimal; each number contributes its low byte.
std::optional<RgbColor> parseAnchorColor(const std::wstring& value);
