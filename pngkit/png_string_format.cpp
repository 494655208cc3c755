#include "png_string_format.h"

using namespace Gdiplus::DllExports;

void PngStringFormat::Free() {
    if (handle_ != nullptr) {
        GdipDeleteStringFormat(handle_);
        handle_ = nullptr;
    }
}

void PngStringFormat::Create(int flags, int language) {
    Gdiplus::GpStringFormat* format = nullptr;
    GdipCreateStringFormat(flags, static_cast<LANGID>(language), &format);
    SetHandle(format);
}

void PngStringFormat::SetAlignment(Gdiplus::StringAlignment alignment) {
    GdipSetStringFormatAlign(handle_, alignment);
}

void PngStringFormat::SetLineAlignment(Gdiplus::StringAlignment alignment) {
    GdipSetStringFormatLineAlign(handle_, alignment);
}

void PngStringFormat::SetAlignments(Gdiplus::StringAlignment alignment,
                                    Gdiplus::StringAlignment lineAlignment) {
    GdipSetStringFormatAlign(handle_, alignment);
    GdipSetStringFormatLineAlign(handle_, lineAlignment);
}

void PngStringFormat::SetHandle(Gdiplus::GpStringFormat* format) {
    Free();
    handle_ = format;
}
