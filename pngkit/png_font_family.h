// PngFontFamily: owns at most one GDI+ font family, looked up by name among the installed
// fonts. The kit uses it only to make fonts; a font made from it keeps no tie to it.
#pragma once

#include "gdiplus_api.h"

class PngFontFamily {
  public:
    PngFontFamily() = default;
    ~PngFontFamily() { Free(); }
    // Two wrappers must never own one family, so none is copied or moved.
    PngFontFamily(const PngFontFamily&) = delete;
    PngFontFamily& operator=(const PngFontFamily&) = delete;

    // Deletes the family held, if any; the wrapper is then empty.
    void Free();

    // Looks the ANSI name up among the installed fonts (a null name is the empty name) and
    // keeps the result. A name of no installed family gives GDI+'s failing status and an
    // empty wrapper; the family held before is released either way.
    GpStatus FromName(const char* name);

    // The family stays owned by the wrapper: do not delete it, nor use it once the wrapper
    // has released it.
    Gdiplus::GpFontFamily* GetHandle() const { return handle_; }
    // Releases the family held and takes ownership of the given one (null empties the
    // wrapper). Never pass the family the wrapper already holds: it is released first.
    void SetHandle(Gdiplus::GpFontFamily* family);

  private:
    Gdiplus::GpFontFamily* handle_ = nullptr;
};
