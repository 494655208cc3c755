#include "test_windows.h"

namespace {

const char* TestClassName() {
    static const char* name = [] {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.lpszClassName = "KitTestWindow";
        RegisterClassExA(&windowClass);
        return "KitTestWindow";
    }();
    return name;
}

LRESULT CALLBACK BackdropProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) {
        RECT client;
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client,
                 reinterpret_cast<HBRUSH>(GetWindowLongPtrA(window, GWLP_USERDATA)));
        return 1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

const char* BackdropClassName() {
    static const char* name = [] {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = BackdropProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "KitTestBackdrop";
        RegisterClassExA(&windowClass);
        return "KitTestBackdrop";
    }();
    return name;
}

} // namespace

void PumpMessages(DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (GetTickCount64() < end) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
    } while (GetTickCount64() < end);
}

TestWindow::TestWindow(int x, int y, int width, int height, DWORD style, DWORD exStyle, HWND parent)
    : window_(CreateWindowExA(exStyle, TestClassName(), "", style, x, y, width, height, parent,
                              nullptr, GetModuleHandleA(nullptr), nullptr)) {}

TestWindow::~TestWindow() {
    Destroy();
}

void TestWindow::Destroy() {
    if (IsWindow(window_)) {
        DestroyWindow(window_);
        PumpMessages(0);
    }
}

BackdropWindow::BackdropWindow(const RECT& area, COLORREF colour)
    : brush_(CreateSolidBrush(colour)),
      window_(CreateWindowExA(0, BackdropClassName(), "", WS_POPUP, area.left, area.top,
                              area.right - area.left, area.bottom - area.top, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr)) {
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(brush_));
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    UpdateWindow(window_);
}

BackdropWindow::~BackdropWindow() {
    DestroyWindow(window_);
    DeleteObject(brush_);
    PumpMessages(0);
}
