// PngFont: owns at most one GDI+ font, made from a family name, from a DC's font, or from a
// GDI font such as the one a window draws with. Kit edit boxes draw their text with it.
#pragma once

#include "gdiplus_api.h"

class PngFont {
  public:
    PngFont() = default;
    ~PngFont() { Free(); }
    // Two wrappers must never own one font, so none is copied or moved.
    PngFont(const PngFont&) = delete;
    PngFont& operator=(const PngFont&) = delete;

    // Deletes the font held, if any; the wrapper is then empty.
    void Free();

    // A font of the installed family of that ANSI name. style holds Gdiplus::FontStyle bits.
    // Returns GDI+'s status; on failure, an unknown family included, the wrapper ends empty
    // and the font held before is released.
    GpStatus Create(const char* familyName, float size, int style, Gdiplus::Unit unit);

    // A font like the one selected into the DC. On failure the wrapper ends empty.
    GpStatus FromDC(HDC dc);

    // A font like the one the window reports for WM_GETFONT; see FromGdiFont.
    Gdiplus::GpFont* FromWindow(HWND window);

    // A font of the GDI font's face, |lfHeight| pixels high (character and cell heights are
    // not told apart), bold only for weight 600 or 700, and italic, underline or strikeout
    // only where the LOGFONT byte is exactly 1. Returns the font now held, null when GDI+
    // made none; the wrapper is then empty. A null GDI font changes nothing and gives null.
    Gdiplus::GpFont* FromGdiFont(HFONT gdiFont);

    // The font stays owned by the wrapper: do not delete it, nor use it once the wrapper
    // has released it.
    Gdiplus::GpFont* GetHandle() const { return handle_; }
    // Releases the font held and takes ownership of the given one (null empties the
    // wrapper). Never pass the font the wrapper already holds: it is released first.
    void SetHandle(Gdiplus::GpFont* font);

    // GDI+'s getters on the font held; an empty wrapper gets GDI+'s InvalidParameter.
    GpStatus GetStyle(int* style) const;
    GpStatus GetSize(float* size) const;
    GpStatus GetUnit(Gdiplus::Unit* unit) const;
    // The line spacing in the graphics' units.
    GpStatus GetHeight(const GpGraphics* graphics, float* height) const;

  private:
    Gdiplus::GpFont* handle_ = nullptr;
};
