// PngWindow: binds one top-level window and turns it into a per-pixel-alpha layered window
// whose whole look is composed by the kit. The object holds only the window's handle; all
// state lives in the window's properties, so copies drive the same window and destroying
// the object leaves the window as it is.
#pragma once

#include "gdiplus_api.h"

#include <cstdint>
#include <optional>
#include <span>

class PngWindow {
  public:
    // Makes the window layered (replacing its whole extended style with WS_EX_LAYERED),
    // creates its 1 x 12 caret and starts the caret blink timer once per window.
    // A handle that is no window gives false and keeps the earlier binding.
    bool Bind(HWND window);

    // Stores the image as the window's background and composes the window. The image stays
    // the caller's: the kit never disposes it, not even when another one replaces it.
    // False, with nothing changed, for image null or a window that is gone.
    bool SetBackImage(GpImage* image);

    // Decodes the bytes and sets the result as background. The decoded image lives until
    // the process ends. Bytes that are no image give false and change nothing.
    bool SetBackImageBytes(std::span<const std::uint8_t> bytes);

    // Subclasses the window's typed buttons and edit boxes (once each) and composes the
    // window again.
    void Refresh();

    // Moves and sizes the window; a value not given is kept. z-order is never changed.
    void SetBounds(std::optional<int> x, std::optional<int> y, std::optional<int> width,
                   std::optional<int> height, bool noRedraw = false);

    HWND GetHandle() const { return window_; }
    bool IsValid() const;
    LRESULT SendWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) const;

  private:
    HWND window_ = nullptr;
};
