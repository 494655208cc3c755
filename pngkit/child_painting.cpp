#include "child_painting.h"

#include "color_text.h"
#include "png_font.h"
#include "png_string_format.h"
#include "scoped_handles.h"
#include "window_properties.h"

#include <cmath>
#include <vector>

using namespace Gdiplus::DllExports;

namespace {

// Where a child sits on its parent's canvas: its window rectangle in the parent's client
// coordinates, with no allowance for a frame of the parent.
struct ControlRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

ControlRect ControlRectOf(HWND parent, HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    POINT origin{rect.left, rect.top};
    ScreenToClient(parent, &origin);
    return {origin.x, origin.y, rect.right - rect.left, rect.bottom - rect.top};
}

int Truncated(double value) {
    return static_cast<int>(std::trunc(value));
}

// Colours of the edit box's fill and border use -1 for none; only the low 32 bits count,
// whoever wrote the pointer-sized property.
bool IsNoColour(std::uintptr_t value) {
    return static_cast<std::uint32_t>(value) == 0xFFFFFFFFu;
}

std::uint32_t PropertyColour(HWND child, const char* colour, const char* alpha) {
    return ColorToArgb(static_cast<std::uint32_t>(GetWindowProperty(child, colour)),
                       static_cast<std::uint32_t>(GetWindowProperty(child, alpha)));
}

void FillEditBox(HWND child, GpGraphics* graphics, const ControlRect& box) {
    if (IsNoColour(GetWindowProperty(child, PngProperty::BackColor))) {
        return;
    }
    Gdiplus::GpSolidFill* raw = nullptr;
    GdipCreateSolidFill(PropertyColour(child, PngProperty::BackColor, PngProperty::BackAlpha),
                        &raw);
    ScopedBrush brush(raw);
    GdipFillRectangleI(graphics, brush.get(), box.x, box.y, box.width, box.height);
}

void DrawEditBorder(HWND child, GpGraphics* graphics, const ControlRect& box) {
    if (IsNoColour(GetWindowProperty(child, PngProperty::OrderColor))) {
        return;
    }
    Gdiplus::GpPen* raw = nullptr;
    GdipCreatePen1(PropertyColour(child, PngProperty::OrderColor, PngProperty::OrderAlpha), 1.0f,
                   Gdiplus::UnitWorld, &raw);
    ScopedPen pen(raw);
    GdipDrawRectangleI(graphics, pen.get(), box.x, box.y, box.width, box.height);
}

void DrawEditText(HWND child, GpGraphics* graphics, const ControlRect& box) {
    const std::string text = GetWindowTextValue(child);
    if (text.empty()) {
        return;
    }
    const ByteArray wide = AnsiToUtf16(text.c_str());
    PngFont font;
    font.FromWindow(child);
    PngStringFormat format;
    format.Create(Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsNoFitBlackBox);
    format.SetAlignments(Gdiplus::StringAlignmentNear, Gdiplus::StringAlignmentCenter);
    const Gdiplus::RectF layout(
        static_cast<Gdiplus::REAL>(box.x + 2), static_cast<Gdiplus::REAL>(box.y + 2),
        static_cast<Gdiplus::REAL>(box.width - 4), static_cast<Gdiplus::REAL>(box.height - 4));
    Gdiplus::GpSolidFill* raw = nullptr;
    GdipCreateSolidFill(
        ColorToArgb(static_cast<std::uint32_t>(GetWindowProperty(child, PngProperty::TextColor)),
                    255),
        &raw);
    ScopedBrush brush(raw);
    GdipDrawString(graphics, reinterpret_cast<const WCHAR*>(wide.data()),
                   static_cast<INT>(wide.size() / 2) - 1, font.GetHandle(), &layout,
                   format.GetHandle(), brush.get());
}

// Draws the control's image by its back type.
void DrawControlImage(GpGraphics* graphics, GpImage* image, std::uintptr_t backType,
                      const ControlRect& box) {
    Gdiplus::REAL imageWidth = 0;
    Gdiplus::REAL imageHeight = 0;
    GdipGetImageDimension(image, &imageWidth, &imageHeight);
    const auto x = static_cast<Gdiplus::REAL>(box.x);
    const auto y = static_cast<Gdiplus::REAL>(box.y);
    const auto width = static_cast<Gdiplus::REAL>(box.width);
    const auto height = static_cast<Gdiplus::REAL>(box.height);
    if (backType == BackTypeStretch) {
        GdipDrawImageRect(graphics, image, x, y, width, height);
    } else if (backType == BackTypeFit) {
        int fitWidth = 0;
        int fitHeight = 0;
        FitImageSize(static_cast<int>(imageWidth), static_cast<int>(imageHeight), box.width,
                     box.height, fitWidth, fitHeight);
        const int dx = Truncated((box.width - fitWidth) / 2.0);
        const int dy = Truncated((box.height - fitHeight) / 2.0);
        GdipDrawImageRect(graphics, image, x + static_cast<Gdiplus::REAL>(dx),
                          y + static_cast<Gdiplus::REAL>(dy), static_cast<Gdiplus::REAL>(fitWidth),
                          static_cast<Gdiplus::REAL>(fitHeight));
    } else if (imageWidth - width > 1e-7f || imageHeight - height > 1e-7f) {
        // Larger than the control: unscaled, cut to the control from its top-left corner.
        GdipDrawImagePointRect(graphics, image, x, y, 0, 0, width, height, Gdiplus::UnitPixel);
    } else {
        GdipDrawImageRect(graphics, image, x, y, imageWidth, imageHeight);
    }
}

} // namespace

void PaintTypedChildren(HWND window, GpGraphics* graphics) {
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetWindowProperty(child, PngProperty::Type) != 0) {
            PaintChildControl(window, child, graphics);
        }
    }
}

void PaintChildControl(HWND parent, HWND child, GpGraphics* graphics) {
    const ControlRect box = ControlRectOf(parent, child);
    const std::uintptr_t type = GetWindowProperty(child, PngProperty::Type);
    GpImage* image = nullptr;
    switch (type) {
    case ChildTypeImage:
        image = GetWindowPropertyAs<GpImage*>(child, PngProperty::BackImage);
        break;
    case ChildTypeButton:
        image = GetStateImage(child, GetDrawState(child));
        break;
    case ChildTypeEdit:
        image = GetWindowPropertyAs<GpImage*>(child, PngProperty::BackImage);
        FillEditBox(child, graphics, box);
        break;
    default:
        return;
    }
    if (image != nullptr) {
        DrawControlImage(graphics, image, GetWindowProperty(child, PngProperty::BackType), box);
    }
    if (type == ChildTypeEdit) {
        DrawEditBorder(child, graphics, box);
        DrawEditText(child, graphics, box);
    }
}

int GetDrawState(HWND button) {
    return static_cast<int>(GetWindowProperty(button, PngProperty::DrawState));
}

GpImage* GetStateImage(HWND button, int state) {
    const char* property = nullptr;
    switch (state) {
    case 1:
        property = PngProperty::OverlImage;
        break;
    case 2:
        property = PngProperty::DownImage;
        break;
    case 3:
        property = PngProperty::DisableImage;
        break;
    default:
        break;
    }
    GpImage* image =
        property != nullptr ? GetWindowPropertyAs<GpImage*>(button, property) : nullptr;
    return image != nullptr ? image
                            : GetWindowPropertyAs<GpImage*>(button, PngProperty::NormalImage);
}

void FitImageSize(int imageWidth, int imageHeight, int boxWidth, int boxHeight, int& width,
                  int& height) {
    width = imageWidth;
    height = imageHeight;
    if (imageWidth > boxWidth) {
        width = boxWidth;
        height = Truncated(static_cast<double>(imageHeight) * boxWidth / imageWidth);
    }
    if (height > boxHeight) {
        width = Truncated(static_cast<double>(width) * boxHeight / height);
        height = boxHeight;
    }
}

std::string GetWindowTextValue(HWND window) {
    const int length = GetWindowTextLengthA(window);
    if (length <= 0) {
        return {};
    }
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    GetWindowTextA(window, buffer.data(), length + 1);
    return std::string(buffer.data());
}
