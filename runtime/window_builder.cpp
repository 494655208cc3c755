// Building windows from descriptions, their message handling and the message loop.
#include "runtime.h"

#include "runtime_internal.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

constexpr const char* DefaultClassName = "WTWindow";
constexpr const char* DefaultIcon = "DEFAULT_ICON";
// Everything that draws a frame; a description without a border ends with none of it.
constexpr LONG FrameStyles = WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_DLGFRAME;

struct BuiltWindow {
    const WindowDescription* description;
    HWND window;
    WNDPROC classProcedure;
    HFONT font = nullptr; // the default procedure keeps no font for a window
};

struct WindowState {
    std::vector<BuiltWindow> windows;
    std::vector<HICON> icons;
    bool loopEntered = false;
};
WindowState Windows;
int ProcedureDepth = 0;

BuiltWindow* Find(HWND window) {
    auto found =
        std::find_if(Windows.windows.begin(), Windows.windows.end(),
                     [window](const BuiltWindow& built) { return built.window == window; });
    return found != Windows.windows.end() ? &*found : nullptr;
}

LRESULT OnWindowGone(HWND window, WNDPROC classProcedure, WPARAM wParam, LPARAM lParam) {
    std::erase_if(Windows.windows,
                  [window](const BuiltWindow& built) { return built.window == window; });
    const LRESULT result = CallWindowProcA(classProcedure, window, WM_NCDESTROY, wParam, lParam);
    if (Windows.windows.empty() && Windows.loopEntered) {
        PostQuitMessage(0);
    }
    return result;
}

LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    BuiltWindow* built = Find(window);
    const WNDPROC classProcedure = built != nullptr ? built->classProcedure : DefWindowProcA;
    switch (message) {
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_SETFONT:
        if (built != nullptr) {
            built->font = reinterpret_cast<HFONT>(wParam);
        }
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(built != nullptr ? built->font : nullptr);
    case WM_DISPLAYCHANGE:
        if (built != nullptr && built->description->onDisplayChanged != nullptr) {
            built->description->onDisplayChanged();
        }
        return CallWindowProcA(classProcedure, window, message, wParam, lParam);
    case WM_NCDESTROY:
        return OnWindowGone(window, classProcedure, wParam, lParam);
    default:
        // WM_CLOSE included: the default handling destroys the window.
        return CallWindowProcA(classProcedure, window, message, wParam, lParam);
    }
}

LRESULT CALLBACK RuntimeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ++ProcedureDepth;
    LRESULT result = 0;
    try {
        result = HandleMessage(window, message, wParam, lParam);
    } catch (...) {
        FatalError("The program failed while handling a window message.");
    }
    --ProcedureDepth;
    return result;
}

const char* ClassNameOf(const WindowDescription& description) {
    return description.className != nullptr ? description.className : DefaultClassName;
}

void RegisterClassOnce(const char* className) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(instance, className, &existing)) {
        return;
    }
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    // The run time subclasses each window as it is built and handles its messages there.
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    windowClass.lpszClassName = className;
    RegisterClassExA(&windowClass);
}

RECT PlacedRect(const WindowDescription& description) {
    int x = description.left;
    int y = description.top;
    if (description.startPosition == StartPosition::CentreScreen) {
        x = (GetSystemMetrics(SM_CXSCREEN) - description.width) / 2;
        y = (GetSystemMetrics(SM_CYSCREEN) - description.height) / 2;
    }
    return {x, y, x + description.width, y + description.height};
}

DWORD CreationStyle(const WindowDescription& description) {
    DWORD style = WS_CLIPCHILDREN;
    if (description.border) {
        style |= WS_CAPTION;
    }
    if (description.controlBox) {
        style |= WS_SYSMENU;
    }
    if (description.minimizeButton) {
        style |= WS_MINIMIZEBOX;
    }
    if (description.maximizeButton) {
        style |= WS_MAXIMIZEBOX;
    }
    if (description.disabled) {
        style |= WS_DISABLED;
    }
    return style;
}

// Windows (and Wine) give a top-level window that is neither popup nor child a caption and
// a minimum width, whatever was asked for; a borderless description takes both back here.
void FitToDescription(HWND window, const WindowDescription& description, const RECT& placed) {
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    if (!description.border && (style & FrameStyles) != 0) {
        SetWindowLongA(window, GWL_STYLE, style & ~FrameStyles);
        flags |= SWP_FRAMECHANGED;
    }
    RECT actual{};
    GetWindowRect(window, &actual);
    if (!EqualRect(&actual, &placed) || (flags & SWP_FRAMECHANGED) != 0) {
        SetWindowPos(window, nullptr, placed.left, placed.top, placed.right - placed.left,
                     placed.bottom - placed.top, flags);
    }
}

HICON LoadIconSized(const char* name, int sizeMetric) {
    const int size = GetSystemMetrics(sizeMetric);
    auto icon = static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    if (icon != nullptr) {
        Windows.icons.push_back(icon);
    }
    return icon;
}

void SetIcons(HWND window, const WindowDescription& description) {
    const char* name = description.icon != nullptr ? description.icon : DefaultIcon;
    SendMessageA(window, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(LoadIconSized(name, SM_CXICON)));
    SendMessageA(window, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(LoadIconSized(name, SM_CXSMICON)));
}

} // namespace

namespace runtime_internal {

void DropWindows() {
    // Destroying a window removes it from the list, so take a copy first.
    const std::vector<BuiltWindow> windows = std::exchange(Windows.windows, {});
    for (const BuiltWindow& built : windows) {
        if (IsWindow(built.window)) {
            SetWindowLongPtrA(built.window, GWLP_WNDPROC,
                              reinterpret_cast<LONG_PTR>(built.classProcedure));
            DestroyWindow(built.window);
        }
    }
    for (HICON icon : std::exchange(Windows.icons, {})) {
        DestroyIcon(icon);
    }
    Windows.loopEntered = false;
}

int WindowProcedureDepth() {
    return ProcedureDepth;
}

} // namespace runtime_internal

HWND LoadWindow(const WindowDescription& description) {
    const char* className = ClassNameOf(description);
    RegisterClassOnce(className);
    const RECT placed = PlacedRect(description);
    const HWND window =
        CreateWindowExA(0, className, description.title != nullptr ? description.title : "",
                        CreationStyle(description), placed.left, placed.top, description.width,
                        description.height, description.showInTaskbar ? nullptr : OwnerWindow(),
                        nullptr, GetModuleHandleA(nullptr), nullptr);
    if (window == nullptr) {
        FatalError("The program's window could not be built.");
    }
    const auto classProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RuntimeWindowProc)));
    Windows.windows.push_back({&description, window, classProcedure});

    FitToDescription(window, description, placed);
    SetIcons(window, description);
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 TRUE);
    if (description.alwaysOnTop) {
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    }
    if (!description.movable) {
        DeleteMenu(GetSystemMenu(window, FALSE), SC_MOVE, MF_BYCOMMAND);
    }
    if (description.onCreated != nullptr) {
        description.onCreated();
    }
    if (description.visible && IsWindow(window)) {
        ShowWindow(window, description.activateWhenShown ? SW_SHOW : SW_SHOWNA);
    }
    return window;
}

HWND WindowOf(const WindowDescription& description) {
    for (const BuiltWindow& built : Windows.windows) {
        if (built.description == &description) {
            return built.window;
        }
    }
    return nullptr;
}

void RunMessageLoop() {
    if (Windows.windows.empty()) {
        return;
    }
    Windows.loopEntered = true;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    Windows.loopEntered = false;
}
