// Single owners for the GDI+ flat-API objects the splash renders with.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include "core/win/Scoped.h"

struct GdiPlusImageTraits {
    using Value = Gdiplus::GpImage*;
    static Value invalid() { return nullptr; }
    static void close(Value value) { Gdiplus::DllExports::GdipDisposeImage(value); }
};
using ScopedGdiPlusImage = Scoped<GdiPlusImageTraits>;

struct GdiPlusGraphicsTraits {
    using Value = Gdiplus::GpGraphics*;
    static Value invalid() { return nullptr; }
    static void close(Value value) { Gdiplus::DllExports::GdipDeleteGraphics(value); }
};
using ScopedGdiPlusGraphics = Scoped<GdiPlusGraphicsTraits>;

struct GdiPlusImageAttributesTraits {
    using Value = Gdiplus::GpImageAttributes*;
    static Value invalid() { return nullptr; }
    static void close(Value value) { Gdiplus::DllExports::GdipDisposeImageAttributes(value); }
};
using ScopedGdiPlusImageAttributes = Scoped<GdiPlusImageAttributesTraits>;
