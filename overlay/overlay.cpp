#include "overlay.h"

#include "image_loader.h"
#include "keep_on_top.h"
#include "runtime.h"

#include <objbase.h>

std::unique_ptr<PngWindow> OverlayPngWindow;
ULONG_PTR GdiplusToken = 0;

namespace {

constexpr int OverlaySize = 66;
KeepOnTop StayAbove;

const WindowDescription OverlayWindow = [] {
    WindowDescription description;
    description.title = "";
    description.width = OverlaySize;
    description.height = OverlaySize;
    description.startPosition = StartPosition::CentreScreen;
    description.border = false;
    description.controlBox = false;
    description.maximizeButton = false;
    description.minimizeButton = true;
    description.visible = true;
    // Showing must not take the focus from the game the crosshair is for.
    description.activateWhenShown = false;
    description.disabled = true;
    description.alwaysOnTop = true;
    description.showInTaskbar = false;
    description.movable = false;
    description.onCreated = OnOverlayCreated;
    description.onDisplayChanged = OnOverlayDisplayChanged;
    return description;
}();

void RegisterLoadDialogClass() {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = LoadDialogWndProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = LoadDialogClassName;
    RegisterClassExA(&windowClass);
}

} // namespace

int RunOverlay() {
    InitializeRuntime();
    OverlayPngWindow = std::make_unique<PngWindow>();
    SetExitRoutine(ExitApplication);
    InitApplication();
    LoadWindow(OverlayWindow);
    RunMessageLoop();
    return 0;
}

Gdiplus::GpStatus StartGdiplus() {
    Gdiplus::GdiplusStartupInput input;
    input.GdiplusVersion = 1;
    input.DebugEventCallback = nullptr;
    input.SuppressBackgroundThread = FALSE;
    input.SuppressExternalCodecs = FALSE;
    return Gdiplus::GdiplusStartup(&GdiplusToken, &input, nullptr);
}

void InitApplication() {
    StartGdiplus();
    ParseTimeFrameDimension();
    RegisterLoadDialogClass();
}

void OnOverlayCreated() {
    const HWND window = WindowOf(OverlayWindow);
    // Without SWP_NOACTIVATE this activates the still hidden window and takes the focus
    // from the game.
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    OverlayPngWindow->Bind(window);
    // After Bind, which replaces the whole extended style.
    const LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    SetWindowLongA(window, GWL_EXSTYLE,
                   exStyle | WS_EX_TRANSPARENT | WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_LAYERED);
    OverlayPngWindow->SetBackImageBytes(CrosshairImageBytes(ChooseCrosshairStyle()));
    StayAbove.Start(window);
}

void OnOverlayDisplayChanged() {
    const int left = (GetSystemMetrics(SM_CXSCREEN) - OverlaySize) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - OverlaySize) / 2;
    // Size, place in the topmost band and picture stay as they are.
    SetWindowPos(WindowOf(OverlayWindow), nullptr, left, top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ExitApplication() {
    StayAbove.Stop();
    FrameDimensionGuid = ByteArray();
    OverlayPngWindow.reset();
}
