// Figures of the kit's window level: what one compose and present costs at the overlay's
// size and at a large size, and what one caret blink tick costs. Prints medians.
#include "caret.h"
#include "child_painting.h"
#include "compose.h"
#include "png_window.h"
#include "scoped_handles.h"
#include "window_properties.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

using namespace Gdiplus::DllExports;

namespace {

double MedianMicroseconds(int runs, const std::function<void()>& work) {
    std::vector<double> samples;
    samples.reserve(static_cast<std::size_t>(runs));
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const auto end = std::chrono::steady_clock::now();
        samples.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
    std::nth_element(samples.begin(), samples.begin() + runs / 2, samples.end());
    return samples[static_cast<std::size_t>(runs / 2)];
}

HWND CreateBenchWindow(int width, int height) {
    static const char* className = [] {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "KitBenchWindow";
        RegisterClassExA(&windowClass);
        return "KitBenchWindow";
    }();
    HWND window = CreateWindowExA(0, className, "", WS_POPUP, 10, 10, width, height, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    return window;
}

ScopedBitmap Background(int width, int height) {
    GpBitmap* bitmap = nullptr;
    GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, &bitmap);
    for (int y = 0; y < height; y += 1) {
        for (int x = 0; x < width; x += 1) {
            GdipBitmapSetPixel(bitmap, x, y,
                               static_cast<Gdiplus::ARGB>(((x ^ y) & 0xFF) << 24) | 0x00DC0011u);
        }
    }
    return ScopedBitmap(bitmap);
}

void Report(const char* what, double microseconds) {
    std::printf("%-48s %10.1f us\n", what, microseconds);
}

// Typed children spread over the window: images, buttons and edit boxes in turn.
void AddTypedChildren(HWND window, int count, GpImage* image, HFONT font) {
    for (int i = 0; i < count; ++i) {
        const int x = 10 + (i % 10) * 78;
        const int y = 10 + (i / 10) * 110;
        const std::uintptr_t type = static_cast<std::uintptr_t>(2 + i % 3);
        HWND child = CreateWindowExA(0, type == ChildTypeEdit ? "EDIT" : "STATIC", "Text",
                                     WS_CHILD | WS_VISIBLE, x, y, 70, 28, window, nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
        SetWindowProperty(child, PngProperty::Type, type);
        SetPropA(child, PngProperty::BackImage, image);
        SetPropA(child, PngProperty::NormalImage, image);
        SetWindowProperty(child, PngProperty::BackType, BackTypeFit);
        SetWindowProperty(child, PngProperty::BackColor, 0xFFFFFF);
        SetWindowProperty(child, PngProperty::BackAlpha, 255);
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
}

} // namespace

int main() {
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    constexpr int Runs = 400;

    std::printf("kit window level, median of %d runs\n", Runs);
    {
        HWND window = CreateBenchWindow(66, 66);
        PngWindow kit;
        kit.Bind(window);
        ScopedBitmap background = Background(64, 64);
        kit.SetBackImage(background.get());
        Report("compose+present 66x66 with background",
               MedianMicroseconds(Runs, [&] { ComposeWindow(window); }));
        DestroyWindow(window);
    }
    HFONT font =
        CreateFontA(-14, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma");
    ScopedBitmap childImage = Background(64, 64);
    for (int children : {0, 10, 50}) {
        HWND window = CreateBenchWindow(800, 600);
        PngWindow kit;
        kit.Bind(window);
        ScopedBitmap background = Background(800, 600);
        kit.SetBackImage(background.get());
        AddTypedChildren(window, children, childImage.get(), font);
        char label[64];
        std::snprintf(label, sizeof label, "compose+present 800x600, %d typed children", children);
        Report(label, MedianMicroseconds(Runs / 4, [&] { ComposeWindow(window); }));

        HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 10, 560, 200, 24, window,
                                    nullptr, GetModuleHandleA(nullptr), nullptr);
        KillTimer(window, CaretBlinkTimerId);
        FocusedEditParent = window;
        FocusedEdit = edit;
        ComposeWindow(window);
        std::snprintf(label, sizeof label, "blink tick 800x600, %d typed children", children);
        Report(label, MedianMicroseconds(Runs / 4, [&] {
                   CaretBlinkTimerProc(window, WM_TIMER, CaretBlinkTimerId, 0);
               }));
        FocusedEdit = nullptr;
        FocusedEditParent = nullptr;
        DestroyWindow(window);
    }
    DeleteObject(font);
    return 0;
}
