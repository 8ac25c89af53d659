#include <windows.h>

#include <algorithm>

#include "core/win/Scoped.h"
#include "discovery/PeImage.h"
#include "discovery/RuntimeSearch.h"

namespace {

// The headers sit at the start of an image; mapping a bounded prefix keeps a
// huge file from exhausting a 32-bit address space.
constexpr ULONGLONG kMappedPrefix = 16 * 1024 * 1024;

constexpr uint16_t kBuildMachine = sizeof(void*) == 8 ? kMachineAmd64 : kMachineI386;

}  // namespace

bool isForeignMachineLibrary(const std::wstring& libraryPath) {
    ScopedFile file(CreateFileW(libraryPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    LARGE_INTEGER fileSize;
    if (!GetFileSizeEx(file.get(), &fileSize) || fileSize.QuadPart <= 0) return false;
    const size_t length = static_cast<size_t>(std::min<ULONGLONG>(fileSize.QuadPart, kMappedPrefix));

    ScopedHandle mapping(CreateFileMappingW(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (!mapping) return false;
    ScopedMappedView view(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, length));
    if (!view) return false;
    return isForeignMachineImage(static_cast<const uint8_t*>(view.get()), length, kBuildMachine);
}
