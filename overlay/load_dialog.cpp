#include "overlay.h"

#include "gdiplus_api.h"
#include "window_properties.h"

namespace {

constexpr const char* ThreadProperty = "Halyx_Thread";
constexpr const char* ImageProperty = "Halyx_Image";
constexpr const char* StreamProperty = "Halyx_Stream";
constexpr const char* HitMoveProperty = "HalyxHitMove";

// The creator hands the window its worker thread, image and memory block; they end with
// the window. The worker is not asked to stop: it is terminated.
void ReleaseHandedHandles(HWND window) {
    if (auto thread = GetWindowPropertyAs<HANDLE>(window, ThreadProperty)) {
        TerminateThread(thread, 0);
        CloseHandle(thread);
    }
    if (auto image = GetWindowPropertyAs<GpImage*>(window, ImageProperty)) {
        Gdiplus::DllExports::GdipDisposeImage(image);
    }
    if (auto block = GetWindowPropertyAs<HGLOBAL>(window, StreamProperty)) {
        GlobalFree(block);
    }
}

LRESULT OnLeftButtonDown(HWND window, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = DefWindowProcA(window, WM_LBUTTONDOWN, wParam, lParam);
    if (GetWindowProperty(window, HitMoveProperty) == 1) {
        // As if the caption had been pressed: the system's move loop takes over.
        ReleaseCapture();
        SendMessageA(window, WM_NCLBUTTONDOWN, HTCAPTION, 0);
    }
    return result;
}

} // namespace

LRESULT CALLBACK LoadDialogWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY:
        ReleaseHandedHandles(window);
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_LBUTTONDOWN:
        return OnLeftButtonDown(window, wParam, lParam);
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
