#include "png_window.h"

#include "caret.h"
#include "child_subclass.h"
#include "compose.h"
#include "image_loader.h"
#include "window_properties.h"

bool PngWindow::Bind(HWND window) {
    if (!IsWindow(window)) {
        return false;
    }
    window_ = window;
    SetWindowLongA(window, GWL_EXSTYLE, WS_EX_LAYERED);
    // The kit draws the caret itself; this one only gives GetCaretPos a place to report.
    CreateCaret(window, nullptr, 1, CaretHeight);
    if (GetWindowProperty(window, PngProperty::Time) == 0) {
        SetTimer(window, CaretBlinkTimerId, CaretBlinkIntervalMs, CaretBlinkTimerProc);
        SetWindowProperty(window, PngProperty::Time, CaretBlinkTimerId);
    }
    return true;
}

bool PngWindow::SetBackImage(GpImage* image) {
    if (!IsValid() || image == nullptr) {
        return false;
    }
    SetPropA(window_, PngProperty::BackImage, image);
    ComposeWindow(window_);
    return true;
}

bool PngWindow::SetBackImageBytes(std::span<const std::uint8_t> bytes) {
    if (!IsValid()) {
        return false;
    }
    GpImage* image = LoadImageFromBytes(bytes);
    return SetBackImage(image);
}

void PngWindow::Refresh() {
    if (!IsValid()) {
        return;
    }
    SubclassTypedChildren(window_);
    ComposeWindow(window_);
}

void PngWindow::SetBounds(std::optional<int> x, std::optional<int> y, std::optional<int> width,
                          std::optional<int> height, bool noRedraw) {
    RECT rect{};
    GetWindowRect(window_, &rect);
    UINT flags = SWP_NOZORDER;
    if (noRedraw) {
        flags |= SWP_NOREDRAW;
    }
    if (!x && !y) {
        flags |= SWP_NOMOVE;
    }
    if (!width && !height) {
        flags |= SWP_NOSIZE;
    }
    SetWindowPos(window_, nullptr, x.value_or(rect.left), y.value_or(rect.top),
                 width.value_or(rect.right - rect.left), height.value_or(rect.bottom - rect.top),
                 flags);
}

bool PngWindow::IsValid() const {
    return IsWindow(window_) != FALSE;
}

LRESULT PngWindow::SendWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return SendMessageA(window_, message, wParam, lParam);
}
