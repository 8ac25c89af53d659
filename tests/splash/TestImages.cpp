#include "TestImages.h"

#include <objidl.h>
#include <gdiplus.h>

#include <cstdint>
#include <vector>

#include "core/win/Scoped.h"
#include "splash/GdiPlusObjects.h"
#include "splash/GdiPlusRuntime.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

std::wstring splashTestFolder() {
    std::wstring folder = L"" BUILD_DIR L"\\splash-test-data\\";
    for (wchar_t& c : folder) {
        if (c == L'/') c = L'\\';
    }
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

COLORREF quadrantColour(int quadrant) {
    static const COLORREF colours[] = {RGB(220, 30, 30), RGB(30, 180, 60), RGB(40, 60, 230), RGB(240, 220, 40)};
    return colours[quadrant & 3];
}

bool writeQuadrantPng(const std::wstring& path, int width, int height) {
    if (!GdiPlusRuntime::ensureStarted()) return false;
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF c = quadrantColour((x >= width / 2 ? 1 : 0) + (y >= height / 2 ? 2 : 0));
            pixels[static_cast<size_t>(y) * width + x] =
                0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    }
    GpBitmap* bitmap = nullptr;
    if (GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppARGB,
                                  reinterpret_cast<BYTE*>(pixels.data()), &bitmap) != Ok) {
        return false;
    }
    ScopedGdiPlusImage image(bitmap);
    // The system's PNG encoder.
    const CLSID pngEncoder = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
    return GdipSaveImageToFile(image.get(), path.c_str(), &pngEncoder, nullptr) == Ok;
}

bool writeTextFile(const std::wstring& path, const std::string& text) {
    ScopedFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}
