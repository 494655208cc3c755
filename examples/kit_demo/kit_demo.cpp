// A layered window with soft, partly transparent edges and one control of each kind the kit
// paints: an image (crosshair 3, fitted), a four-state image button and an edit box with
// fill, border, text and the kit's own blinking caret. WM_CLOSE ends it with exit code 0.
#include "child_painting.h"
#include "crosshair_images.h"
#include "image_loader.h"
#include "png_window.h"
#include "scoped_handles.h"
#include "window_properties.h"

#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>

using namespace Gdiplus::DllExports;

namespace {

constexpr const char* DemoClassName = "KitDemoWindow";
constexpr int DemoWidth = 360;
constexpr int DemoHeight = 240;

// A dark panel whose edges fade out over the outer 14 pixels, corners rounded.
GpBitmap* MakePanel(int width, int height) {
    GpBitmap* panel = nullptr;
    GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, &panel);
    constexpr double Feather = 14.0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // Distance inside the rounded rectangle's edge.
            const double dx = std::max({Feather - (x + 0.5), (x + 0.5) - (width - Feather), 0.0});
            const double dy = std::max({Feather - (y + 0.5), (y + 0.5) - (height - Feather), 0.0});
            const double inside = Feather - std::sqrt(dx * dx + dy * dy);
            const double coverage = std::clamp(inside / Feather, 0.0, 1.0);
            const auto alpha = static_cast<std::uint32_t>(std::lround(225 * coverage));
            GdipBitmapSetPixel(panel, x, y, alpha << 24 | 0x00282C34u);
        }
    }
    return panel;
}

GpBitmap* MakeSolid(int width, int height, std::uint32_t argb) {
    GpBitmap* bitmap = nullptr;
    GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, &bitmap);
    GpGraphics* graphics = nullptr;
    GdipGetImageGraphicsContext(bitmap, &graphics);
    ScopedGraphics scoped(graphics);
    GdipGraphicsClear(graphics, argb);
    return bitmap;
}

HWND AddControl(HWND parent, const char* className, const char* text, DWORD style, int x, int y,
                int width, int height, std::uintptr_t type) {
    HWND control = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width,
                                   height, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowProperty(control, PngProperty::Type, type);
    return control;
}

void BuildScene(HWND window, HFONT font) {
    HWND image = AddControl(window, "STATIC", "", 0, 20, 20, 64, 64, ChildTypeImage);
    SetPropA(image, PngProperty::BackImage, LoadImageFromBytes(EmbeddedBytes(CrosshairImage3)));
    SetWindowProperty(image, PngProperty::BackType, BackTypeFit);

    HWND button =
        AddControl(window, "BUTTON", "", BS_PUSHBUTTON, 120, 30, 100, 32, ChildTypeButton);
    const std::pair<const char*, std::uint32_t> states[] = {
        {PngProperty::NormalImage, 0xFF808080},
        {PngProperty::OverlImage, 0xFF0078D7},
        {PngProperty::DownImage, 0xFF005499},
        {PngProperty::DisableImage, 0xFFC8C8C8},
    };
    for (const auto& [property, argb] : states) {
        SetPropA(button, property, MakeSolid(100, 32, argb));
    }

    HWND edit =
        AddControl(window, "EDIT", "Hello", ES_AUTOHSCROLL, 20, 120, 200, 28, ChildTypeEdit);
    SetWindowProperty(edit, PngProperty::BackColor, 0xFFFFFF);
    SetWindowProperty(edit, PngProperty::BackAlpha, 255);
    SetWindowProperty(edit, PngProperty::OrderColor, 0x000000);
    SetWindowProperty(edit, PngProperty::OrderAlpha, 255);
    SetWindowProperty(edit, PngProperty::TextColor, 0x000000);
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

LRESULT CALLBACK DemoWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    OleInitialize(nullptr);
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    ParseTimeFrameDimension();

    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DemoWndProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = DemoClassName;
    RegisterClassExA(&windowClass);

    HWND window = CreateWindowExA(0, DemoClassName, "pngkit demo", WS_POPUP, 100, 100, DemoWidth,
                                  DemoHeight, nullptr, nullptr, instance, nullptr);
    HFONT font =
        CreateFontA(-14, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma");
    PngWindow kit;
    kit.Bind(window);
    BuildScene(window, font);
    ScopedBitmap panel(MakePanel(DemoWidth, DemoHeight));
    kit.SetBackImage(panel.get());
    kit.Refresh();
    ShowWindow(window, SW_SHOW);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    DeleteObject(font);
    return static_cast<int>(message.wParam);
}
