#pragma once

#include <cstddef>
#include <cstdint>

#include "Bytes.h"

// The image checksum Windows verifies for drivers and Authenticode tools
// expect: 16-bit one's-complement-style sum of the file, the checksum field
// itself skipped, plus the file length.
uint32_t peChecksum(const Bytes& image, size_t checksumOffset);
