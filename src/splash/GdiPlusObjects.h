// Single owners for the GDI+ flat-API objects the splash renders with.
#pragma once

#include "core/win/Scoped.h"
#include "splash/GdiPlusRuntime.h"

struct GdiPlusImageTraits {
    using Value = Gdiplus::GpImage*;
    static Value invalid() { return nullptr; }
    static void close(Value value) { GdiPlusRuntime::api().disposeImage(value); }
};
using ScopedGdiPlusImage = Scoped<GdiPlusImageTraits>;

struct GdiPlusGraphicsTraits {
    using Value = Gdiplus::GpGraphics*;
    static Value invalid() { return nullptr; }
    static void close(Value value) { GdiPlusRuntime::api().deleteGraphics(value); }
};
using ScopedGdiPlusGraphics = Scoped<GdiPlusGraphicsTraits>;

struct GdiPlusImageAttributesTraits {
    using Value = Gdiplus::GpImageAttributes*;
    static Value invalid() { return nullptr; }
    static void close(Value value) { GdiPlusRuntime::api().disposeImageAttributes(value); }
};
using ScopedGdiPlusImageAttributes = Scoped<GdiPlusImageAttributesTraits>;
