#include "splash/SplashScreenWindow.h"

#include "core/win/GdiScopes.h"
#include "splash/GdiPlusObjects.h"
#include "splash/GdiPlusRuntime.h"
#include "splash/SplashRules.h"

using namespace Gdiplus;

namespace {

constexpr UINT plainClassStyle = CS_DBLCLKS | CS_SAVEBITS;

// Registering twice is harmless: the first registration in the process wins.
void registerSplashClass(UINT style, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = style;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = SplashScreenWindow::className;
    if (!RegisterClassExW(&windowClass) && style != plainClassStyle &&
        GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        windowClass.style = plainClassStyle;
        RegisterClassExW(&windowClass);
    }
}

struct DecodedImage {
    ScopedGdiPlusImage image;
    int width = 0;
    int height = 0;
};

// Nothing decodable gives a 0 x 0 image: the splash then simply shows nothing.
DecodedImage decodeImage(const std::wstring& path) {
    DecodedImage decoded;
    const GdiPlusApi* gdiPlus = GdiPlusRuntime::ensureStarted();
    if (!gdiPlus) return decoded;
    GpBitmap* bitmap = nullptr;
    if (gdiPlus->createBitmapFromFile(path.c_str(), &bitmap) != Ok) return decoded;
    decoded.image.reset(bitmap);
    UINT width = 0;
    UINT height = 0;
    if (gdiPlus->getImageWidth(bitmap, &width) != Ok || gdiPlus->getImageHeight(bitmap, &height) != Ok ||
        width > INT32_MAX || height > INT32_MAX) {
        return decoded;
    }
    decoded.width = static_cast<int>(width);
    decoded.height = static_cast<int>(height);
    return decoded;
}

// Draws the image once at its own size into a bitmap in the screen's format,
// so every later paint is one plain copy.
ScopedGdiObject renderForScreen(const DecodedImage& decoded) {
    if (!decoded.image || decoded.width <= 0 || decoded.height <= 0) return {};
    WindowDc screen(nullptr);
    if (!screen.get()) return {};
    ScopedGdiObject bitmap(CreateCompatibleBitmap(screen.get(), decoded.width, decoded.height));
    ScopedMemoryDc memory(CreateCompatibleDC(screen.get()));
    if (!bitmap || !memory) return {};
    Selection selection(memory.get(), bitmap.get());

    const GdiPlusApi& gdiPlus = GdiPlusRuntime::api();
    ScopedGdiPlusGraphics graphics;
    ScopedGdiPlusImageAttributes attributes;
    if (gdiPlus.createFromHdc(memory.get(), graphics.receive()) != Ok ||
        gdiPlus.createImageAttributes(attributes.receive()) != Ok) {
        return {};
    }
    gdiPlus.setInterpolationMode(graphics.get(), InterpolationModeHighQualityBicubic);
    // Mirrored tiling keeps edge pixels from blending with a transparent border.
    gdiPlus.setImageAttributesWrapMode(attributes.get(), WrapModeTileFlipXY, 0xFF000000, FALSE);
    const GpStatus drawn = gdiPlus.drawImageRectRectI(graphics.get(), decoded.image.get(), 0, 0, decoded.width,
                                                     decoded.height, 0, 0, decoded.width, decoded.height, UnitPixel,
                                                     attributes.get(), nullptr, nullptr);
    if (drawn != Ok) return {};
    return bitmap;
}

}  // namespace

SplashScreenWindow::SplashScreenWindow(std::atomic<HWND>& publishedHandle) : publishedHandle_(publishedHandle) {}

SplashScreenWindow::~SplashScreenWindow() = default;

HWND SplashScreenWindow::createSplashWindow(const std::wstring& imagePath, bool shadow) {
    registerSplashClass(shadow ? plainClassStyle | CS_DROPSHADOW : plainClassStyle, windowProcedure);

    const DecodedImage decoded = decodeImage(imagePath);
    bitmap_ = renderForScreen(decoded);
    // An image that could not be rendered must not leave a large empty window.
    const int width = bitmap_ ? decoded.width : 0;
    const int height = bitmap_ ? decoded.height : 0;

    const SplashRect rect =
        splashWindowRect(width, height, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, className, nullptr, WS_POPUP, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), this);
    window_.reset(window);
    publishedHandle_.store(window);
    return window;
}

void SplashScreenWindow::destroy() { window_.reset(); }

LRESULT CALLBACK SplashScreenWindow::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* self = reinterpret_cast<SplashScreenWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        // Destroyed from outside or by destroy(): either way it is gone now.
        self->window_.release();
        HWND expected = window;
        self->publishedHandle_.compare_exchange_strong(expected, nullptr);
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->processMessage(window, message, wParam, lParam);
}

LRESULT SplashScreenWindow::processMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        paint(window);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

void SplashScreenWindow::paint(HWND window) {
    PaintCycle cycle(window);
    if (!bitmap_ || !cycle.get()) return;
    BITMAP size{};
    GetObjectW(bitmap_.get(), sizeof size, &size);
    ScopedMemoryDc memory(CreateCompatibleDC(cycle.get()));
    if (!memory) return;
    Selection selection(memory.get(), bitmap_.get());
    BitBlt(cycle.get(), 0, 0, size.bmWidth, size.bmHeight, memory.get(), 0, 0, SRCCOPY);
}
