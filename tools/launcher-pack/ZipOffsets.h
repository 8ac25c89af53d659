// A jar appended to an executable: a zip reader finds the archive through
// its end record at the end of the file, and every offset in it must then
// count from the start of the executable instead of the jar.
#pragma once

#include <cstdint>
#include <string>

#include "Bytes.h"

// Checks that `jar` is a zip archive whose central directory and local
// headers agree, and moves all its offsets by `shift`, the number of bytes
// that will precede it. Refuses zip64 archives and archives with a comment
// that reaches past the end.
bool shiftZipOffsets(Bytes& jar, uint32_t shift, std::string& error);
