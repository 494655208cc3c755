#include "png_font_family.h"

#include "color_text.h"

void PngFontFamily::Free() {
    if (handle_ != nullptr) {
        Gdiplus::DllExports::GdipDeleteFontFamily(handle_);
        handle_ = nullptr;
    }
}

GpStatus PngFontFamily::FromName(const char* name) {
    const ByteArray wideName = AnsiToUtf16(name);
    Gdiplus::GpFontFamily* family = nullptr;
    // No collection: the installed fonts are searched.
    const GpStatus status = Gdiplus::DllExports::GdipCreateFontFamilyFromName(
        reinterpret_cast<const WCHAR*>(wideName.data()), nullptr, &family);
    SetHandle(family);
    return status;
}

void PngFontFamily::SetHandle(Gdiplus::GpFontFamily* family) {
    Free();
    handle_ = family;
}
