// Composing a window's whole appearance into a canvas, and presenting a canvas as the
// window's per-pixel-alpha surface. Both work on any window handle; neither needs a
// PngWindow.
#pragma once

#include "gdiplus_api.h"

// Draws the window's background ("PngControl_BackImage", stretched over the whole window)
// and its typed children into a new 32-bit ARGB canvas of the window's size.
// With returnOnly, the canvas goes to the caller through canvasOut and nothing is shown.
// Otherwise the canvas is presented; it is then kept as LastComposedBitmap when the window
// is FocusedEditParent, and disposed at once when it is not.
void ComposeWindow(HWND window, GpBitmap** canvasOut = nullptr, bool returnOnly = false);

// Hands the canvas, unscaled, to UpdateLayeredWindow; with withCaret the focused edit box's
// caret is drawn onto the surface (never into the canvas). The canvas stays the caller's.
void PresentLayered(HWND window, GpImage* canvas, bool withCaret);

// Width and height of the window's rectangle; 0 x 0 for a handle that is no window.
SIZE WindowSize(HWND window);
