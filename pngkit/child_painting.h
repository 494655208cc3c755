// Painting a window's typed child controls into its canvas: images (type 2), image buttons
// with one image per draw state (type 3) and edit boxes with fill, image, border and text
// (type 4). The children stay ordinary windows; they show only through the parent's canvas.
#pragma once

#include "gdiplus_api.h"

#include <string>

// Child types and image placements, as applications write them into the properties.
inline constexpr std::uintptr_t ChildTypeImage = 2;
inline constexpr std::uintptr_t ChildTypeButton = 3;
inline constexpr std::uintptr_t ChildTypeEdit = 4;
inline constexpr std::uintptr_t BackTypeStretch = 1;
inline constexpr std::uintptr_t BackTypeFit = 2;

// Paints every direct child of the window that carries a non-zero "PngControl_Type", top
// of the z-order first, so the lower of two overlapping children ends on top. Hidden and
// disabled children are painted too.
void PaintTypedChildren(HWND window, GpGraphics* graphics);

// Paints one typed child onto the parent's canvas, whose origin is the parent's top-left.
void PaintChildControl(HWND parent, HWND child, GpGraphics* graphics);

// The button's "Halyx_DrawState": 0 normal, 1 hover, 2 pressed, 3 disabled.
int GetDrawState(HWND button);

// The button's image for a draw state, falling back to its normal image; null for none.
GpImage* GetStateImage(HWND button, int state);

// Shrinks an image size into a box keeping its proportions; a size that fits is kept.
void FitImageSize(int imageWidth, int imageHeight, int boxWidth, int boxHeight, int& width,
                  int& height);

// The window's text in the ANSI code page.
std::string GetWindowTextValue(HWND window);
