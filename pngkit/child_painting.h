// Painting a window's typed child controls into its canvas.
#pragma once

#include "gdiplus_api.h"

// Paints every direct child of the window that carries a non-zero "PngControl_Type",
// top of the z-order first, so the lower of two overlapping children ends on top.
void PaintTypedChildren(HWND window, GpGraphics* graphics);
