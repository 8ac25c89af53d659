// Splash placement and library path for arbitrary input: no overflow, and
// the library path always names splashscreen.dll.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "splash/NativeSplashPath.h"
#include "splash/SplashPlacement.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size >= 16) {
        int32_t sizes[4];
        std::memcpy(sizes, data, sizeof sizes);
        // Image sizes are never negative; screens may report anything.
        const int width = sizes[0] & INT32_MAX;
        const int height = sizes[1] & INT32_MAX;
        const SplashRect rect = splashWindowRect(width, height, sizes[2], sizes[3]);
        if (rect.right < rect.left || rect.bottom < rect.top) __builtin_trap();
    }
    std::wstring path;
    for (size_t i = 0; i + 1 < size; i += 2) path += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
    const std::wstring library = nativeSplashLibraryPath(path);
    static const std::wstring name = L"splashscreen.dll";
    if (!path.empty() && (library.size() < name.size() || library.compare(library.size() - name.size(), name.size(), name) != 0)) {
        __builtin_trap();
    }
    if (library.size() > path.size() + name.size() + 1) __builtin_trap();
    return 0;
}
