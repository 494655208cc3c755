#include "child_subclass.h"

#include "caret.h"
#include "child_painting.h"
#include "compose.h"
#include "window_properties.h"

#include <optional>

namespace {

constexpr int StateNormal = 0;
constexpr int StateHover = 1;
constexpr int StatePressed = 2;
constexpr int StateDisabled = 3;

// The procedure the child had before the kit subclassed it, read afresh on every message.
LRESULT CallPrevious(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto previous = GetWindowPropertyAs<WNDPROC>(window, PngProperty::ChildWndProc);
    if (previous == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return CallWindowProcA(previous, window, message, wParam, lParam);
}

// The button's next draw state for a message; none where the look does not change.
std::optional<int> NextDrawState(int state, UINT message, WPARAM wParam) {
    switch (message) {
    case WM_MOUSEMOVE:
        if (state == StateHover || state == StatePressed) {
            return std::nullopt;
        }
        return StateHover;
    case WM_MOUSELEAVE:
        return StateNormal;
    case WM_LBUTTONDOWN:
        return StatePressed;
    case WM_LBUTTONUP:
        return state == StatePressed ? StateHover : StateNormal;
    case WM_ENABLE:
        return wParam != 0 ? StateNormal : StateDisabled;
    default:
        return std::nullopt;
    }
}

void RequestLeaveNotice(HWND button) {
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = button;
    TrackMouseEvent(&track);
}

bool RecomposesAfter(UINT message) {
    switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR:
    case WM_SETTEXT:
    case WM_CUT:
    case WM_PASTE:
    case WM_KEYDOWN:
    case WM_LBUTTONUP:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        return true;
    default:
        return false;
    }
}

} // namespace

void SubclassTypedChildren(HWND window) {
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        const std::uintptr_t type = GetWindowProperty(child, PngProperty::Type);
        if (type == 0) {
            continue;
        }
        if (const std::uintptr_t restored = GetWindowProperty(child, PngProperty::WndProc)) {
            SetWindowLongPtrA(child, GWLP_WNDPROC, static_cast<LONG_PTR>(restored));
            RemovePropA(child, PngProperty::WndProc);
        }
        if (GetWindowProperty(child, PngProperty::ChildWndProc) != 0) {
            continue;
        }
        WNDPROC procedure = type == ChildTypeButton ? ButtonSubclassProc
                            : type == ChildTypeEdit ? EditSubclassProc
                                                    : nullptr;
        if (procedure == nullptr) {
            continue;
        }
        const LONG_PTR previous =
            SetWindowLongPtrA(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
        SetWindowProperty(child, PngProperty::ChildWndProc, static_cast<std::uintptr_t>(previous));
    }
}

LRESULT CALLBACK ButtonSubclassProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
    if (const auto next = NextDrawState(GetDrawState(button), message, wParam)) {
        if (message == WM_MOUSEMOVE) {
            RequestLeaveNotice(button);
        }
        SetWindowProperty(button, PngProperty::DrawState, static_cast<std::uintptr_t>(*next));
        ComposeWindow(GetParent(button));
    }
    return CallPrevious(button, message, wParam, lParam);
}

LRESULT CALLBACK EditSubclassProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETFOCUS:
        CaretBlinkPhase = 0;
        FocusedEditParent = GetParent(edit);
        FocusedEdit = edit;
        break;
    case WM_KILLFOCUS:
        FocusedEdit = nullptr;
        FocusedEditParent = nullptr;
        break;
    default:
        break;
    }
    const LRESULT result = CallPrevious(edit, message, wParam, lParam);
    if (RecomposesAfter(message)) {
        ComposeWindow(GetParent(edit));
    }
    return result;
}
