#include "splash/GdiPlusRuntime.h"

#include "core/win/EntryPoint.h"
#include "core/win/SystemLibrary.h"

namespace {

class Runtime {
public:
    ~Runtime() {
        if (token_ != 0) shutdown_(token_);
    }

    const GdiPlusApi* ensureStarted() {
        InitOnceExecuteOnce(&once_, start, this, nullptr);
        return token_ != 0 ? &api_ : nullptr;
    }

    const GdiPlusApi& api() const { return api_; }

private:
    static BOOL CALLBACK start(PINIT_ONCE, void* self, void**) {
        static_cast<Runtime*>(self)->start();
        return TRUE;
    }

    // Never freed: drawing may go on until the process ends.
    void start() {
        HMODULE library = loadSystemLibrary(L"gdiplus.dll");
        auto startup = entryPoint<decltype(&Gdiplus::GdiplusStartup)>(library, "GdiplusStartup");
        shutdown_ = entryPoint<decltype(&Gdiplus::GdiplusShutdown)>(library, "GdiplusShutdown");
        if (!startup || !shutdown_ || !take(library)) return;
        Gdiplus::GdiplusStartupInput input;  // version 1, no callback, own thread, all codecs
        ULONG_PTR token = 0;
        if (startup(&token, &input, nullptr) == Gdiplus::Ok) token_ = token;
    }

    bool take(HMODULE library) {
        api_.createBitmapFromFile = entryPoint<decltype(api_.createBitmapFromFile)>(library, "GdipCreateBitmapFromFile");
        api_.getImageWidth = entryPoint<decltype(api_.getImageWidth)>(library, "GdipGetImageWidth");
        api_.getImageHeight = entryPoint<decltype(api_.getImageHeight)>(library, "GdipGetImageHeight");
        api_.disposeImage = entryPoint<decltype(api_.disposeImage)>(library, "GdipDisposeImage");
        api_.createFromHdc = entryPoint<decltype(api_.createFromHdc)>(library, "GdipCreateFromHDC");
        api_.deleteGraphics = entryPoint<decltype(api_.deleteGraphics)>(library, "GdipDeleteGraphics");
        api_.setInterpolationMode = entryPoint<decltype(api_.setInterpolationMode)>(library, "GdipSetInterpolationMode");
        api_.createImageAttributes =
            entryPoint<decltype(api_.createImageAttributes)>(library, "GdipCreateImageAttributes");
        api_.disposeImageAttributes =
            entryPoint<decltype(api_.disposeImageAttributes)>(library, "GdipDisposeImageAttributes");
        api_.setImageAttributesWrapMode =
            entryPoint<decltype(api_.setImageAttributesWrapMode)>(library, "GdipSetImageAttributesWrapMode");
        api_.drawImageRectRectI = entryPoint<decltype(api_.drawImageRectRectI)>(library, "GdipDrawImageRectRectI");
        return api_.createBitmapFromFile && api_.getImageWidth && api_.getImageHeight && api_.disposeImage &&
               api_.createFromHdc && api_.deleteGraphics && api_.setInterpolationMode && api_.createImageAttributes &&
               api_.disposeImageAttributes && api_.setImageAttributesWrapMode && api_.drawImageRectRectI;
    }

    INIT_ONCE once_ = INIT_ONCE_STATIC_INIT;
    decltype(&Gdiplus::GdiplusShutdown) shutdown_ = nullptr;
    GdiPlusApi api_{};
    ULONG_PTR token_ = 0;
};

// A static object, so its destructor runs at exit after every user of GDI+
// in this module has finished with it.
Runtime runtime;

}  // namespace

const GdiPlusApi* GdiPlusRuntime::ensureStarted() { return runtime.ensureStarted(); }

const GdiPlusApi& GdiPlusRuntime::api() { return runtime.api(); }
