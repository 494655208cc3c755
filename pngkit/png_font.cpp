#include "png_font.h"

#include "png_font_family.h"

#include <cstring>
#include <string>

using namespace Gdiplus::DllExports;

void PngFont::Free() {
    if (handle_ != nullptr) {
        GdipDeleteFont(handle_);
        handle_ = nullptr;
    }
}

GpStatus PngFont::Create(const char* familyName, float size, int style, Gdiplus::Unit unit) {
    // An unknown name leaves the family empty; GdipCreateFont then reports the failure.
    PngFontFamily family;
    family.FromName(familyName);
    Gdiplus::GpFont* font = nullptr;
    const GpStatus status = GdipCreateFont(family.GetHandle(), size, style, unit, &font);
    SetHandle(font);
    return status;
}

GpStatus PngFont::FromDC(HDC dc) {
    Gdiplus::GpFont* font = nullptr;
    const GpStatus status = GdipCreateFontFromDC(dc, &font);
    SetHandle(font);
    return status;
}

Gdiplus::GpFont* PngFont::FromWindow(HWND window) {
    return FromGdiFont(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)));
}

Gdiplus::GpFont* PngFont::FromGdiFont(HFONT gdiFont) {
    if (gdiFont == nullptr) {
        return nullptr;
    }
    // A font GetObjectA cannot describe goes on as the zeroed description.
    LOGFONTA description{};
    GetObjectA(gdiFont, sizeof description, &description);

    int style = Gdiplus::FontStyleRegular;
    if (description.lfWeight == FW_SEMIBOLD || description.lfWeight == FW_BOLD) {
        style |= Gdiplus::FontStyleBold;
    }
    // The bytes count as set only when exactly 1, not for any non-zero value.
    if (description.lfItalic == 1) {
        style |= Gdiplus::FontStyleItalic;
    }
    if (description.lfUnderline == 1) {
        style |= Gdiplus::FontStyleUnderline;
    }
    if (description.lfStrikeOut == 1) {
        style |= Gdiplus::FontStyleStrikeout;
    }

    // The face name need not end in a zero byte when it fills all 32.
    const std::string faceName(description.lfFaceName,
                               strnlen(description.lfFaceName, LF_FACESIZE));
    PngFontFamily family;
    family.FromName(faceName.c_str());

    // Negated as a float, so that even INT_MIN has a magnitude.
    float size = static_cast<float>(description.lfHeight);
    if (size < 0) {
        size = -size;
    }
    Gdiplus::GpFont* font = nullptr;
    GdipCreateFont(family.GetHandle(), size, style, Gdiplus::UnitPixel, &font);
    SetHandle(font);
    return handle_;
}

void PngFont::SetHandle(Gdiplus::GpFont* font) {
    Free();
    handle_ = font;
}

GpStatus PngFont::GetStyle(int* style) const {
    return GdipGetFontStyle(handle_, style);
}

GpStatus PngFont::GetSize(float* size) const {
    return GdipGetFontSize(handle_, size);
}

GpStatus PngFont::GetUnit(Gdiplus::Unit* unit) const {
    return GdipGetFontUnit(handle_, unit);
}

GpStatus PngFont::GetHeight(const GpGraphics* graphics, float* height) const {
    return GdipGetFontHeight(handle_, graphics, height);
}
