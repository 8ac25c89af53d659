// The packer's other readers of user input: icon files, jars and the
// application's name.
#include <cstddef>
#include <cstdint>
#include <string>

#include "IconFile.h"
#include "PackOptions.h"
#include "ZipOffsets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Bytes file(data, data + size);
    std::vector<IconImage> images;
    std::string error;
    if (parseIconFile(file, images, error)) iconGroup(images, 1);
    Bytes jar = file;
    if (shiftZipOffsets(jar, 0x10000, error) && jar.size() != file.size()) __builtin_trap();
    PackOptions options;
    bool help = false;
    parsePackOptions({"--launcher", "a.exe", "--output", "o", "--name", std::string(file.begin(), file.end())}, options,
                     help, error);
    return 0;
}
