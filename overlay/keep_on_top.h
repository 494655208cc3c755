// Keeps the overlay above windows that come to the front after it.
//
// Windows keeps a topmost window above every other by itself. Wine without a window
// manager does not: a window mapped later lands above it on the X screen although the
// topmost order still says otherwise, only a real change of that order raises the overlay
// again, and Wine tells no other process when a window is shown or activated. So a timer
// watches the foreground window, and whenever it changes the overlay leaves the topmost
// band and re-enters it at the top, which on Windows changes nothing to the eye.
#pragma once

#include <windows.h>

class KeepOnTop {
  public:
    KeepOnTop() = default;
    ~KeepOnTop() { Stop(); }
    KeepOnTop(const KeepOnTop&) = delete;
    KeepOnTop& operator=(const KeepOnTop&) = delete;

    // Starts watching for the window, on its thread, which must run a message loop.
    void Start(HWND window);
    void Stop();

  private:
    HWND window_ = nullptr;
};
