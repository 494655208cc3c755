// The baseline of the start-up figures: a Win32 program that only shows one window, the
// overlay's size and place, and runs a message loop until it is closed.
#include <windows.h>

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = "MinimalWindow";
    RegisterClassExA(&windowClass);
    const int size = 66;
    CreateWindowExA(0, "MinimalWindow", "", WS_POPUP | WS_VISIBLE,
                    (GetSystemMetrics(SM_CXSCREEN) - size) / 2,
                    (GetSystemMetrics(SM_CYSCREEN) - size) / 2, size, size, nullptr, nullptr,
                    instance, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        DispatchMessageA(&message);
    }
    return 0;
}
