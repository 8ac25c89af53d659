// GDI+ for the whole process: loaded from the system folder and started on
// first use from any thread, shut down when the process exits normally. It is
// not imported, so a start without a splash never maps it, and a library of
// its name beside the executable is never run.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

// The flat-API entries the splash draws with.
struct GdiPlusApi {
    decltype(&Gdiplus::DllExports::GdipCreateBitmapFromFile) createBitmapFromFile;
    decltype(&Gdiplus::DllExports::GdipGetImageWidth) getImageWidth;
    decltype(&Gdiplus::DllExports::GdipGetImageHeight) getImageHeight;
    decltype(&Gdiplus::DllExports::GdipDisposeImage) disposeImage;
    decltype(&Gdiplus::DllExports::GdipCreateFromHDC) createFromHdc;
    decltype(&Gdiplus::DllExports::GdipDeleteGraphics) deleteGraphics;
    decltype(&Gdiplus::DllExports::GdipSetInterpolationMode) setInterpolationMode;
    decltype(&Gdiplus::DllExports::GdipCreateImageAttributes) createImageAttributes;
    decltype(&Gdiplus::DllExports::GdipDisposeImageAttributes) disposeImageAttributes;
    decltype(&Gdiplus::DllExports::GdipSetImageAttributesWrapMode) setImageAttributesWrapMode;
    decltype(&Gdiplus::DllExports::GdipDrawImageRectRectI) drawImageRectRectI;
};

class GdiPlusRuntime {
public:
    // The running library's entries, or null when it could not be loaded or
    // started; a failed start is not retried.
    static const GdiPlusApi* ensureStarted();

    // Only valid once ensureStarted has returned the entries.
    static const GdiPlusApi& api();
};
