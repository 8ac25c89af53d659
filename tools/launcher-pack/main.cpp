// launcher-pack: makes an application's own executable from a built launcher.
#include <cstdio>
#include <string>
#include <vector>

#include "PackOptions.h"
#include "Packer.h"

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    PackOptions options;
    bool help = false;
    std::string error;
    if (!parsePackOptions(arguments, options, help, error)) {
        std::fprintf(stderr, "launcher-pack: %s\n\n%s", error.c_str(), kPackUsage);
        return 2;
    }
    if (help) {
        std::fputs(kPackUsage, stdout);
        return 0;
    }
    std::vector<std::string> written;
    if (!pack(options, written, error)) {
        std::fprintf(stderr, "launcher-pack: %s\n", error.c_str());
        return 1;
    }
    for (const std::string& file : written) std::printf("%s/%s\n", options.output.c_str(), file.c_str());
    return 0;
}
