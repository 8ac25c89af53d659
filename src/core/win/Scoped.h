// Single owners for Win32 resources: each kind names how it is released.
#pragma once

#include <windows.h>

template <typename Traits>
class Scoped {
public:
    using Value = typename Traits::Value;

    Scoped() = default;
    explicit Scoped(Value value) : value_(value) {}
    ~Scoped() { reset(); }

    Scoped(Scoped&& other) noexcept : value_(other.release()) {}
    Scoped& operator=(Scoped&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    Scoped(const Scoped&) = delete;
    Scoped& operator=(const Scoped&) = delete;

    Value get() const { return value_; }
    explicit operator bool() const { return value_ != Traits::invalid(); }

    Value release() {
        Value value = value_;
        value_ = Traits::invalid();
        return value;
    }

    void reset(Value value = Traits::invalid()) {
        if (value_ != Traits::invalid()) Traits::close(value_);
        value_ = value;
    }

    // For APIs that return the resource through an out parameter.
    Value* receive() {
        reset();
        return &value_;
    }

private:
    Value value_ = Traits::invalid();
};

struct KernelHandleTraits {
    using Value = HANDLE;
    static Value invalid() { return nullptr; }
    static void close(Value value) { CloseHandle(value); }
};
using ScopedHandle = Scoped<KernelHandleTraits>;

// CreateFile reports failure as INVALID_HANDLE_VALUE, not null.
struct FileHandleTraits {
    using Value = HANDLE;
    static Value invalid() { return INVALID_HANDLE_VALUE; }
    static void close(Value value) { CloseHandle(value); }
};
using ScopedFile = Scoped<FileHandleTraits>;

struct FindHandleTraits {
    using Value = HANDLE;
    static Value invalid() { return INVALID_HANDLE_VALUE; }
    static void close(Value value) { FindClose(value); }
};
using ScopedFind = Scoped<FindHandleTraits>;

struct RegistryKeyTraits {
    using Value = HKEY;
    static Value invalid() { return nullptr; }
    static void close(Value value) { RegCloseKey(value); }
};
using ScopedRegistryKey = Scoped<RegistryKeyTraits>;

struct MappedViewTraits {
    using Value = void*;
    static Value invalid() { return nullptr; }
    static void close(Value value) { UnmapViewOfFile(value); }
};
using ScopedMappedView = Scoped<MappedViewTraits>;

struct GdiObjectTraits {
    using Value = HGDIOBJ;
    static Value invalid() { return nullptr; }
    static void close(Value value) { DeleteObject(value); }
};
using ScopedGdiObject = Scoped<GdiObjectTraits>;

struct MemoryDcTraits {
    using Value = HDC;
    static Value invalid() { return nullptr; }
    static void close(Value value) { DeleteDC(value); }
};
using ScopedMemoryDc = Scoped<MemoryDcTraits>;

struct WindowTraits {
    using Value = HWND;
    static Value invalid() { return nullptr; }
    static void close(Value value) { DestroyWindow(value); }
};
using ScopedWindow = Scoped<WindowTraits>;

struct LibraryTraits {
    using Value = HMODULE;
    static Value invalid() { return nullptr; }
    static void close(Value value) { FreeLibrary(value); }
};
using ScopedLibrary = Scoped<LibraryTraits>;

struct EventSourceTraits {
    using Value = HANDLE;
    static Value invalid() { return nullptr; }
    static void close(Value value) { DeregisterEventSource(value); }
};
using ScopedEventSource = Scoped<EventSourceTraits>;

// Ownership of a mutex acquired by a wait; the value is the mutex handle.
struct MutexOwnershipTraits {
    using Value = HANDLE;
    static Value invalid() { return nullptr; }
    static void close(Value value) { ReleaseMutex(value); }
};
using ScopedMutexOwnership = Scoped<MutexOwnershipTraits>;
