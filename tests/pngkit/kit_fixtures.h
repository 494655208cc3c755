// Scenes the kit's tests share: a bound layered window over an opaque backdrop of a known
// colour, so that what the screen shows can be predicted from the canvas.
#pragma once

#include "caret.h"
#include "compose.h"
#include "png_window.h"
#include "screenshot.h"
#include "test_images.h"
#include "test_windows.h"

#include <gtest/gtest.h>

#include <memory>

inline constexpr Rgb BackdropColour{40, 160, 90};

// The screen colour of straight ARGB drawn over an opaque background by a compositor that
// takes the premultiplied surface.
inline Rgb BlendOver(std::uint32_t argb, Rgb background) {
    const int alpha = static_cast<int>(argb >> 24);
    auto channel = [alpha](int source, int below) {
        const int premultiplied = (source * alpha + 127) / 255;
        return premultiplied + (below * (255 - alpha) + 127) / 255;
    };
    return {channel(static_cast<int>((argb >> 16) & 0xFF), background.r),
            channel(static_cast<int>((argb >> 8) & 0xFF), background.g),
            channel(static_cast<int>(argb & 0xFF), background.b)};
}

// The window's canvas as composed, for the test to look at; nothing is presented.
inline ScopedBitmap ComposeOnly(HWND window) {
    GpBitmap* canvas = nullptr;
    ComposeWindow(window, &canvas, true);
    return ScopedBitmap(canvas);
}

// Puts the kit's focused-edit state back to "no edit box has the focus", releasing a kept
// canvas, so that no test sees what an earlier one left.
inline void ResetFocusedEditState() {
    FocusedEdit = nullptr;
    FocusedEditParent = nullptr;
    CaretBlinkPhase = 0;
    if (LastComposedBitmap != nullptr) {
        Gdiplus::DllExports::GdipDisposeImage(LastComposedBitmap);
        LastComposedBitmap = nullptr;
    }
}

class KitState : public testing::Test {
  protected:
    void TearDown() override { ResetFocusedEditState(); }
};

class LayeredScene : public testing::Test {
  protected:
    static constexpr int Left = 300;
    static constexpr int Top = 200;

    // A bound popup of the given size at (Left, Top), topmost over a larger backdrop.
    void Open(int width, int height) {
        backdrop_ = std::make_unique<BackdropWindow>(
            RECT{Left - 20, Top - 20, Left + width + 20, Top + height + 20},
            RGB(BackdropColour.r, BackdropColour.g, BackdropColour.b));
        window_ = std::make_unique<TestWindow>(Left, Top, width, height);
        ASSERT_TRUE(kit_.Bind(*window_));
        SetWindowPos(*window_, HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }

    void TearDown() override {
        ResetFocusedEditState();
        window_.reset();
        backdrop_.reset();
    }

    HWND Window() const { return window_->get(); }

    std::unique_ptr<BackdropWindow> backdrop_;
    std::unique_ptr<TestWindow> window_;
    PngWindow kit_;
};
