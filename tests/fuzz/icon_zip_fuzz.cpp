// The packer's other readers of user input: icon files, jars, deflated data,
// manifests and the application's name (tests/fuzz/seeds hold a deflated
// stream of each block kind and a jar made by the JDK's jar tool).
#include <cstddef>
#include <cstdint>
#include <string>

#include "IconFile.h"
#include "Inflate.h"
#include "JarManifest.h"
#include "PackOptions.h"
#include "ZipOffsets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Bytes file(data, data + size);
    std::vector<IconImage> images;
    std::string error;
    if (parseIconFile(file, images, error)) iconGroup(images, 1);
    Bytes jar = file;
    if (shiftZipOffsets(jar, 0x10000, error) && jar.size() != file.size()) __builtin_trap();
    Bytes unpacked;
    if (inflate(file.data(), file.size(), 1 << 16, unpacked) && unpacked.size() > 1 << 16) __builtin_trap();
    const std::string text(file.begin(), file.end());
    ManifestAttributes attributes;
    parseManifest(text, attributes, error);
    MainJarRequests requests;
    readMainJar(file, requests, error);
    PackOptions options;
    bool help = false;
    parsePackOptions({"--launcher", "a.exe", "--output", "o", "--name", text}, options, help, error);
    return 0;
}
