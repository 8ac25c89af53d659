#include "splash/GdiPlusRuntime.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <mutex>

namespace {

class Runtime {
public:
    ~Runtime() {
        if (token_ != 0) Gdiplus::GdiplusShutdown(token_);
    }

    bool ensureStarted() {
        std::call_once(once_, [this] {
            Gdiplus::GdiplusStartupInput input;  // version 1, no callback, own thread, all codecs
            ULONG_PTR token = 0;
            if (Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok) token_ = token;
        });
        return token_ != 0;
    }

private:
    std::once_flag once_;
    ULONG_PTR token_ = 0;
};

// A static object, so its destructor runs at exit after every user of GDI+
// in this module has finished with it.
Runtime runtime;

}  // namespace

bool GdiPlusRuntime::ensureStarted() { return runtime.ensureStarted(); }
