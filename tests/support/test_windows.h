// Real top-level windows for tests, destroyed when they go out of scope.
#pragma once

#include <windows.h>

// Dispatches this thread's messages for the given time (at least one pass).
void PumpMessages(DWORD milliseconds);

class TestWindow {
  public:
    // A window of the tests' own class at screen position (x, y).
    TestWindow(int x, int y, int width, int height, DWORD style = WS_POPUP, DWORD exStyle = 0,
               HWND parent = nullptr);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND get() const { return window_; }
    operator HWND() const { return window_; }
    // Destroys the window now; the object then holds a dead handle.
    void Destroy();

  private:
    HWND window_;
};

// An opaque window of one colour, shown without activation: a known background to
// blend layered windows over.
class BackdropWindow {
  public:
    BackdropWindow(const RECT& area, COLORREF colour);
    ~BackdropWindow();
    BackdropWindow(const BackdropWindow&) = delete;
    BackdropWindow& operator=(const BackdropWindow&) = delete;
    HWND get() const { return window_; }

  private:
    HBRUSH brush_;
    HWND window_;
};
