#include "caret.h"
#include "compose.h"
#include "kit_fixtures.h"
#include "process_memory.h"
#include "window_properties.h"

#include <gtest/gtest.h>

namespace {

// Four opaque quadrants, so that where each one lands shows how the image was placed.
std::uint32_t Quadrants(int x, int y, int size) {
    const bool right = x >= size / 2;
    const bool bottom = y >= size / 2;
    if (!right && !bottom) {
        return 0xFFFF0000;
    }
    if (right && !bottom) {
        return 0xFF00FF00;
    }
    return !right ? 0xFF0000FF : 0xFFFFFF00;
}

} // namespace

TEST(ComposeWindow, StretchesTheBackgroundOverTheWholeWindow) {
    TestWindow window(0, 0, 66, 66);
    ScopedBitmap background = MakeBitmap(64, 64, [](int x, int y) { return Quadrants(x, y, 64); });
    SetPropA(window, "PngControl_BackImage", background.get());

    ScopedBitmap canvas = ComposeOnly(window);
    ASSERT_NE(canvas, nullptr);
    EXPECT_EQ(ImageWidth(canvas.get()), 66u);
    EXPECT_EQ(ImageHeight(canvas.get()), 66u);
    struct Probe {
        int x, y;
        std::uint32_t argb;
    };
    // Corners and the pixels just inside each quadrant of the 66 x 66 canvas; the last
    // row and column would be empty if the image had been drawn at its own size.
    const Probe probes[] = {
        {1, 1, 0xFFFF0000},   {64, 1, 0xFF00FF00},  {1, 64, 0xFF0000FF},  {64, 64, 0xFFFFFF00},
        {31, 31, 0xFFFF0000}, {34, 31, 0xFF00FF00}, {31, 34, 0xFF0000FF}, {34, 34, 0xFFFFFF00},
        {65, 65, 0xFFFFFF00}, {0, 0, 0xFFFF0000},
    };
    for (const Probe& p : probes) {
        const std::uint32_t got = PixelAt(canvas.get(), p.x, p.y);
        // The edges of a scaled image may be softened; colour must match, alpha be high.
        EXPECT_EQ(got & 0xFFFFFF, p.argb & 0xFFFFFF) << p.x << "," << p.y << std::hex << " " << got;
        EXPECT_GE(got >> 24, 0x80u) << p.x << "," << p.y;
    }
    // Away from the edges the stretched image is fully opaque.
    for (int i = 2; i < 64; ++i) {
        EXPECT_EQ(PixelAt(canvas.get(), i, i) >> 24, 0xFFu) << i;
    }
}

TEST(ComposeWindow, WithoutBackgroundTheCanvasIsTransparent) {
    TestWindow window(0, 0, 30, 20);
    ScopedBitmap canvas = ComposeOnly(window);
    ASSERT_NE(canvas, nullptr);
    EXPECT_EQ(ImageWidth(canvas.get()), 30u);
    EXPECT_EQ(ImageHeight(canvas.get()), 20u);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 30; ++x) {
            ASSERT_EQ(PixelAt(canvas.get(), x, y) >> 24, 0u) << x << "," << y;
        }
    }
}

TEST(ComposeWindow, NoWindowOrNoAreaGivesNoCanvas) {
    TestWindow flat(0, 0, 0, 10);
    TestWindow dead(0, 0, 10, 10);
    const HWND deadHandle = dead.get();
    dead.Destroy();
    for (HWND window : {HWND(nullptr), deadHandle, flat.get()}) {
        EXPECT_EQ(ComposeOnly(window), nullptr) << window;
        ComposeWindow(window); // must neither crash nor present
    }
}

TEST_F(LayeredScene, ScreenShowsTheCanvasBlendedWithItsAlpha) {
    constexpr int Size = 64;
    // Alpha rises across the columns and the colour changes down the rows.
    auto argbAt = [](int x, int y) -> std::uint32_t {
        const std::uint32_t alpha = static_cast<std::uint32_t>(x * 255 / (Size - 1));
        const std::uint32_t red = static_cast<std::uint32_t>(y * 4);
        return (alpha << 24) | (red << 16) | (0x30u << 8) | static_cast<std::uint32_t>(255 - y * 4);
    };
    Open(Size, Size);
    ScopedBitmap background = MakeBitmap(Size, Size, argbAt);
    ASSERT_TRUE(kit_.SetBackImage(background.get()));

    auto matches = [&](const Screenshot& shot, bool report) {
        int worst = 0;
        for (int y = 0; y < Size; y += 3) {
            for (int x = 0; x < Size; x += 3) {
                const Rgb expected = BlendOver(argbAt(x, y), BackdropColour);
                const Rgb seen = shot.At(Left + x, Top + y);
                worst = std::max(worst, Distance(expected, seen));
                if (report && Distance(expected, seen) > 3) {
                    ADD_FAILURE() << "at " << x << "," << y << " expected " << ToString(expected)
                                  << " saw " << ToString(seen);
                    return false;
                }
            }
        }
        return worst <= 3;
    };
    const Screenshot shot =
        Screenshot::CaptureWhen([&](const Screenshot& s) { return matches(s, false); });
    ASSERT_FALSE(shot.Empty()) << "no screenshot";
    EXPECT_TRUE(matches(shot, true));
    // Outside the window the backdrop is untouched.
    EXPECT_EQ(shot.At(Left - 5, Top + 10), BackdropColour);
}

TEST_F(LayeredScene, BoundWindowWithoutBackgroundShowsNothingOfItsOwn) {
    Open(50, 50);
    // The window's first picture is its canvas with no background. (Wine keeps the old
    // picture when a shown window is handed an all-transparent surface, so the test starts
    // from the window's first presentation.)
    ShowWindow(Window(), SW_HIDE);
    kit_.Refresh();
    ShowWindow(Window(), SW_SHOWNOACTIVATE);
    const Screenshot shot = Screenshot::CaptureWhen([](const Screenshot&) { return true; });
    for (int y = 0; y < 50; y += 7) {
        for (int x = 0; x < 50; x += 7) {
            ASSERT_EQ(shot.At(Left + x, Top + y), BackdropColour) << x << "," << y;
        }
    }
    // The same window shows an opaque background once it has one.
    ScopedBitmap opaque = MakeSolidBitmap(50, 50, 0xFF202020);
    ASSERT_TRUE(kit_.SetBackImage(opaque.get()));
    EXPECT_EQ(Screenshot::CaptureWhen([](const Screenshot& s) {
                  return s.At(Left + 25, Top + 25) == Rgb{32, 32, 32};
              }).At(Left + 25, Top + 25),
              (Rgb{32, 32, 32}));
}

class KeptCanvas : public KitState {};

TEST_F(KeptCanvas, OnlyTheFocusedEditParentKeepsItsCanvas) {
    TestWindow parent(0, 0, 800, 600);
    TestWindow other(0, 0, 800, 600);
    FocusedEditParent = parent;

    ComposeWindow(other);
    EXPECT_EQ(LastComposedBitmap, nullptr);
    ComposeWindow(parent);
    GpBitmap* first = LastComposedBitmap;
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(ImageWidth(first), 800u);
    ComposeWindow(other);
    EXPECT_EQ(LastComposedBitmap, first);

    // Every later compose of the parent replaces the kept canvas and disposes the old one:
    // 200 canvases of 800 x 600 would hold over 360 MiB.
    ComposeWindow(parent);
    const SIZE_T before = PrivateBytes();
    for (int i = 0; i < 200; ++i) {
        ComposeWindow(parent);
        ComposeWindow(other);
    }
    EXPECT_LT(PrivateBytes(), before + 16 * 1024 * 1024)
        << "private bytes grew from " << before << " to " << PrivateBytes();
    EXPECT_NE(LastComposedBitmap, nullptr);
}

TEST_F(KeptCanvas, AFailedComposeOfTheParentDropsTheKeptCanvas) {
    auto parent = std::make_unique<TestWindow>(0, 0, 100, 100);
    FocusedEditParent = *parent;
    ComposeWindow(*parent);
    ASSERT_NE(LastComposedBitmap, nullptr);
    SetWindowPos(*parent, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER);
    ComposeWindow(*parent);
    EXPECT_EQ(LastComposedBitmap, nullptr);
}
