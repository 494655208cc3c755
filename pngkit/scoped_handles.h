// Owners for the GDI, GDI+ and COM objects that live within one call. Each releases its
// object exactly once when it goes out of scope; none can be copied.
#pragma once

#include "gdiplus_api.h"

#include <memory>

// Deleter that calls a release function of the platform on a non-null pointer.
template <auto Release> struct CallRelease {
    template <class T> void operator()(T* object) const { Release(object); }
};

using ScopedGraphics =
    std::unique_ptr<GpGraphics, CallRelease<&Gdiplus::DllExports::GdipDeleteGraphics>>;
using ScopedImage = std::unique_ptr<GpImage, CallRelease<&Gdiplus::DllExports::GdipDisposeImage>>;
using ScopedBitmap = std::unique_ptr<GpBitmap, CallRelease<&Gdiplus::DllExports::GdipDisposeImage>>;
using ScopedPen = std::unique_ptr<Gdiplus::GpPen, CallRelease<&Gdiplus::DllExports::GdipDeletePen>>;
using ScopedBrush =
    std::unique_ptr<Gdiplus::GpBrush, CallRelease<&Gdiplus::DllExports::GdipDeleteBrush>>;
using ScopedMemoryDc = std::unique_ptr<HDC__, CallRelease<&DeleteDC>>;

inline void ReleaseComObject(IUnknown* object) {
    object->Release();
}
using ScopedStream = std::unique_ptr<IStream, CallRelease<&ReleaseComObject>>;

// A GDI object such as a DIB section, deleted with DeleteObject.
template <class Handle> class ScopedGdiObject {
  public:
    explicit ScopedGdiObject(Handle object) : object_(object) {}
    ~ScopedGdiObject() {
        if (object_ != nullptr) {
            DeleteObject(object_);
        }
    }
    ScopedGdiObject(const ScopedGdiObject&) = delete;
    ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;
    Handle get() const { return object_; }

  private:
    Handle object_;
};

// A window's DC from GetWindowDC, given back with ReleaseDC.
class ScopedWindowDc {
  public:
    explicit ScopedWindowDc(HWND window) : window_(window), dc_(GetWindowDC(window)) {}
    ~ScopedWindowDc() {
        if (dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
    }
    ScopedWindowDc(const ScopedWindowDc&) = delete;
    ScopedWindowDc& operator=(const ScopedWindowDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// An object selected into a DC; the earlier selection is put back on scope exit, before
// the object itself may be deleted.
class ScopedSelection {
  public:
    ScopedSelection(HDC dc, HGDIOBJ object)
        : dc_(dc), previous_(object != nullptr ? SelectObject(dc, object) : nullptr) {}
    ~ScopedSelection() {
        if (previous_ != nullptr) {
            SelectObject(dc_, previous_);
        }
    }
    ScopedSelection(const ScopedSelection&) = delete;
    ScopedSelection& operator=(const ScopedSelection&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A global memory block locked for the lifetime of the guard.
class ScopedGlobalLock {
  public:
    explicit ScopedGlobalLock(HGLOBAL block)
        : block_(block), data_(block != nullptr ? GlobalLock(block) : nullptr) {}
    ~ScopedGlobalLock() {
        if (data_ != nullptr) {
            GlobalUnlock(block_);
        }
    }
    ScopedGlobalLock(const ScopedGlobalLock&) = delete;
    ScopedGlobalLock& operator=(const ScopedGlobalLock&) = delete;
    void* data() const { return data_; }

  private:
    HGLOBAL block_;
    void* data_;
};
