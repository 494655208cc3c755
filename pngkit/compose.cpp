#include "compose.h"

#include "caret.h"
#include "child_painting.h"
#include "scoped_handles.h"
#include "window_properties.h"

using namespace Gdiplus::DllExports;

namespace {

ScopedBitmap CreateCanvas(SIZE size) {
    GpBitmap* canvas = nullptr;
    GdipCreateBitmapFromScan0(size.cx, size.cy, 0, PixelFormat32bppARGB, nullptr, &canvas);
    return ScopedBitmap(canvas);
}

ScopedGraphics GraphicsOnImage(GpImage* image) {
    GpGraphics* graphics = nullptr;
    if (image != nullptr) {
        GdipGetImageGraphicsContext(image, &graphics);
    }
    return ScopedGraphics(graphics);
}

void DrawBackground(HWND window, GpBitmap* canvas, GpGraphics* graphics) {
    auto* background = GetWindowPropertyAs<GpImage*>(window, PngProperty::BackImage);
    if (background == nullptr || graphics == nullptr) {
        return;
    }
    Gdiplus::REAL width = 0;
    Gdiplus::REAL height = 0;
    GdipGetImageDimension(canvas, &width, &height);
    GdipDrawImageRect(graphics, background, 0, 0, width, height);
}

// The blink re-presents the focused edit box's parent from this canvas without composing.
void KeepForCaretBlink(ScopedBitmap canvas) {
    if (LastComposedBitmap != nullptr) {
        GdipDisposeImage(LastComposedBitmap);
    }
    LastComposedBitmap = canvas.release();
}

BITMAPINFO SurfaceHeader(SIZE size) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = size.cy; // bottom-up rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = static_cast<DWORD>(size.cx) * static_cast<DWORD>(size.cy) * 4;
    return info;
}

} // namespace

SIZE WindowSize(HWND window) {
    RECT rect{};
    if (!GetWindowRect(window, &rect)) {
        return {0, 0};
    }
    return {rect.right - rect.left, rect.bottom - rect.top};
}

void ComposeWindow(HWND window, GpBitmap** canvasOut, bool returnOnly) {
    ScopedBitmap canvas = CreateCanvas(WindowSize(window));
    {
        ScopedGraphics graphics = GraphicsOnImage(canvas.get());
        DrawBackground(window, canvas.get(), graphics.get());
        if (graphics != nullptr) {
            PaintTypedChildren(window, graphics.get());
        }
    }
    if (returnOnly) {
        if (canvasOut != nullptr) {
            *canvasOut = canvas.release();
        }
        return;
    }
    PresentLayered(window, canvas.get(), false);
    if (window != nullptr && window == FocusedEditParent) {
        KeepForCaretBlink(std::move(canvas));
    }
}

void PresentLayered(HWND window, GpImage* canvas, bool withCaret) {
    if (!IsWindow(window) || canvas == nullptr) {
        return;
    }
    SIZE size = WindowSize(window);
    ScopedWindowDc windowDc(window);
    ScopedMemoryDc memoryDc(CreateCompatibleDC(windowDc.get()));
    if (memoryDc == nullptr) {
        return;
    }
    const BITMAPINFO header = SurfaceHeader(size);
    ScopedGdiObject<HBITMAP> surface(
        CreateDIBSection(memoryDc.get(), &header, DIB_RGB_COLORS, nullptr, nullptr, 0));
    ScopedSelection selection(memoryDc.get(), surface.get());
    {
        GpGraphics* raw = nullptr;
        GdipCreateFromHDC(memoryDc.get(), &raw);
        ScopedGraphics graphics(raw);
        UINT width = 0;
        UINT height = 0;
        GdipGetImageWidth(canvas, &width);
        GdipGetImageHeight(canvas, &height);
        GdipDrawImageRectI(graphics.get(), canvas, 0, 0, static_cast<INT>(width),
                           static_cast<INT>(height));
        if (withCaret) {
            DrawCaretLine(window, FocusedEdit, graphics.get());
        }
    }
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    UpdateLayeredWindow(window, windowDc.get(), nullptr, &size, memoryDc.get(), &source, 0, &blend,
                        ULW_ALPHA);
}
