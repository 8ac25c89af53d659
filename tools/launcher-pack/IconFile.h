// A .ico file as the resources an executable's icon is made of: one icon
// image resource per size and the group that lists them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Bytes.h"

struct IconImage {
    uint8_t width = 0, height = 0, colorCount = 0;
    uint16_t planes = 0, bitCount = 0;
    Bytes data;  // a BITMAPINFOHEADER-led bitmap or a PNG
};

// Every image of the file; false with a reason for anything that is not a
// well-formed icon file.
bool parseIconFile(const Bytes& file, std::vector<IconImage>& images, std::string& error);

// The group directory that names `images` as icon resources firstId, firstId + 1, ...
Bytes iconGroup(const std::vector<IconImage>& images, uint16_t firstId);
