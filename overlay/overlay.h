// The crosshair overlay: start-up, the overlay window's set-up, the style chosen in
// Config.ini, the "HalyxLoadDialog" class and shutdown. All on the GUI thread.
#pragma once

#include "png_window.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <span>

// The layered window object of the overlay: created unbound by RunOverlay before anything
// else, bound in OnOverlayCreated, released by ExitApplication.
extern std::unique_ptr<PngWindow> OverlayPngWindow;
// GdiplusStartup's token. GDI+ stays started until the process ends.
extern ULONG_PTR GdiplusToken;

// The program's entry procedure, run by the run time; always returns 0.
int RunOverlay();
// Starts GDI+, fills the kit's FrameDimensionGuid, registers "HalyxLoadDialog".
void InitApplication();
Gdiplus::GpStatus StartGdiplus();
// The overlay window's created event: topmost, layered, click-through tool window showing
// the chosen crosshair.
void OnOverlayCreated();
// Moves the overlay window to the centre of the primary screen as it is now: a game or the
// user may change the resolution while the crosshair is up.
void OnOverlayDisplayChanged();
// The exit routine: releases FrameDimensionGuid and OverlayPngWindow.
void ExitApplication();

// 1 to 5: the value of "编号" in section "准星样式" of Config.ini in the program's folder
// when it is exactly one of the texts "1" to "5", else 1.
int ChooseCrosshairStyle();
// The PNG bytes of crosshair image 1 to 5.
std::span<const std::uint8_t> CrosshairImageBytes(int style);

inline constexpr const char* LoadDialogClassName = "HalyxLoadDialog";
// Windows of class "HalyxLoadDialog", which other code creates: releases the handles in
// "Halyx_Thread", "Halyx_Image" and "Halyx_Stream" when destroyed, and with
// "HalyxHitMove" 1 moves with the mouse while the left button is held.
LRESULT CALLBACK LoadDialogWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
