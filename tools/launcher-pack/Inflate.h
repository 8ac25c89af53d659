// Raw deflate data (RFC 1951), as a zip entry holds it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "Bytes.h"

// What `size` bytes at `data` unpack to, in `out`; false for data that
// is not well-formed, ends before its last block, or unpacks to more than
// `limit` bytes. Bytes after the last block are ignored.
bool inflate(const uint8_t* data, size_t size, size_t limit, Bytes& out);
