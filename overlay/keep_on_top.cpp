#include "keep_on_top.h"

namespace {

// The kit's caret timer on the same window is 64.
constexpr UINT_PTR WatchTimerId = 65;
constexpr UINT WatchIntervalMs = 250;

HWND LastForeground = nullptr;

void CALLBACK CheckForeground(HWND window, UINT, UINT_PTR, DWORD) {
    const HWND foreground = GetForegroundWindow();
    if (foreground == LastForeground) {
        return;
    }
    LastForeground = foreground;
    constexpr UINT flags = SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE;
    SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, flags);
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, flags);
}

} // namespace

void KeepOnTop::Start(HWND window) {
    Stop();
    window_ = window;
    LastForeground = GetForegroundWindow();
    SetTimer(window, WatchTimerId, WatchIntervalMs, CheckForeground);
}

void KeepOnTop::Stop() {
    if (window_ != nullptr && IsWindow(window_)) {
        KillTimer(window_, WatchTimerId);
    }
    window_ = nullptr;
}
