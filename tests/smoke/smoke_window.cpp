// A stand-in for the shipped program in the x86 smoke run: a 66x66 layered, topmost,
// click-through tool window in the centre of the screen, presented once with
// UpdateLayeredWindow as an opaque surface of one colour. It ends with exit code 0 when it
// is sent WM_CLOSE.
#include <windows.h>

#include <cstdint>

namespace {

constexpr char kClassName[] = "X86SmokeWindow";
constexpr int kSize = 66;
// Opaque (alpha 255), so the premultiplied pixel is the colour itself: RGB (0x30,0xB0,0x70).
constexpr std::uint32_t kArgb = 0xFF30B070;
constexpr DWORD kExStyle = WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT | WS_EX_TOPMOST;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Presents a surface of one colour; false when any step fails.
bool Present(HWND window, POINT position) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kSize;
    info.bmiHeader.biHeight = -kSize; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool presented = false;
    if (memory != nullptr && bitmap != nullptr && bits != nullptr) {
        auto* pixels = static_cast<std::uint32_t*>(bits);
        for (int i = 0; i < kSize * kSize; ++i) {
            pixels[i] = kArgb;
        }
        HGDIOBJ old = SelectObject(memory, bitmap);
        SIZE size{kSize, kSize};
        POINT source{0, 0};
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        presented = UpdateLayeredWindow(window, screen, &position, &size, memory, &source, 0,
                                        &blend, ULW_ALPHA) != FALSE;
        SelectObject(memory, old);
    }
    if (bitmap != nullptr) {
        DeleteObject(bitmap);
    }
    if (memory != nullptr) {
        DeleteDC(memory);
    }
    ReleaseDC(nullptr, screen);
    return presented;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    if (RegisterClassExA(&windowClass) == 0) {
        return 2;
    }
    const POINT position{(GetSystemMetrics(SM_CXSCREEN) - kSize) / 2,
                         (GetSystemMetrics(SM_CYSCREEN) - kSize) / 2};
    HWND window = CreateWindowExA(kExStyle, kClassName, "", WS_POPUP, position.x, position.y, kSize,
                                  kSize, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 3;
    }
    if (!Present(window, position)) {
        return 4;
    }
    ShowWindow(window, SW_SHOWNOACTIVATE);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
