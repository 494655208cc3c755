// Screenshots of the composited X screen, taken with ImageMagick's import: what the user
// sees, with every layered window blended in by the compositor.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

std::string ToString(const Rgb& colour);
// Largest difference of the three channels.
int Distance(const Rgb& a, const Rgb& b);

class Screenshot {
  public:
    // The whole screen; empty (width 0) when the capture failed.
    static Screenshot Capture();
    // Captures until the predicate holds or the timeout passes, pumping this thread's
    // messages in between, and returns the last capture. The compositor shows a new
    // surface a moment after UpdateLayeredWindow returns.
    static Screenshot CaptureWhen(const std::function<bool(const Screenshot&)>& ready,
                                  unsigned timeoutMs = 3000);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ == 0; }
    Rgb At(int x, int y) const;

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_; // 0x00RRGGBB
};
