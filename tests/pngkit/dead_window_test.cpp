#include "caret.h"
#include "compose.h"
#include "kit_fixtures.h"
#include "window_properties.h"

#include <gtest/gtest.h>

namespace {

HWND DeadWindowHandle() {
    TestWindow window(0, 0, 40, 40);
    PngWindow kit;
    kit.Bind(window);
    return window.get();
}

} // namespace

TEST(DeadWindows, EveryOperationFailsAndTouchesNothingElse) {
    // A live bound window that holds the focused-edit state: nothing below may change it.
    TestWindow live(0, 0, 60, 60);
    PngWindow liveKit;
    ASSERT_TRUE(liveKit.Bind(live));
    ScopedBitmap liveBackground = MakeSolidBitmap(60, 60, 0xFF00FF00);
    ASSERT_TRUE(liveKit.SetBackImage(liveBackground.get()));
    FocusedEditParent = live;
    ComposeWindow(live);
    GpBitmap* kept = LastComposedBitmap;
    ASSERT_NE(kept, nullptr);

    ScopedBitmap image = MakeSolidBitmap(8, 8, 0xFFFF0000);
    const ByteArray png = EncodePng(image.get());
    for (HWND gone : {HWND(nullptr), DeadWindowHandle()}) {
        PngWindow kit;
        if (gone != nullptr) {
            TestWindow stand(0, 0, 10, 10);
            ASSERT_TRUE(kit.Bind(stand));
            stand.Destroy();
        }
        EXPECT_FALSE(kit.Bind(gone));
        EXPECT_FALSE(kit.IsValid());
        EXPECT_FALSE(kit.SetBackImage(image.get()));
        EXPECT_FALSE(kit.SetBackImageBytes(png));
        kit.Refresh();
        kit.SetBounds(1, 2, 3, 4);
        EXPECT_EQ(kit.SendWindowMessage(WM_GETTEXTLENGTH, 0, 0), 0);

        GpBitmap* canvas = reinterpret_cast<GpBitmap*>(0x1);
        ComposeWindow(gone, &canvas, true);
        EXPECT_EQ(canvas, nullptr) << "a canvas for a window that is gone";
        ComposeWindow(gone);
        PresentLayered(gone, image.get(), true);
        CaretBlinkTimerProc(gone, WM_TIMER, CaretBlinkTimerId, 0);
    }
    // The image handed to the presenter is still the caller's and still whole.
    EXPECT_EQ(PixelAt(image.get(), 3, 3), 0xFFFF0000u);
    EXPECT_EQ(LastComposedBitmap, kept);
    EXPECT_EQ(FocusedEditParent, live.get());
    EXPECT_EQ(GetWindowPropertyAs<GpBitmap*>(live, "PngControl_BackImage"), liveBackground.get());
    EXPECT_EQ(GetWindowLongA(live, GWL_EXSTYLE), WS_EX_LAYERED);

    FocusedEditParent = nullptr;
    Gdiplus::DllExports::GdipDisposeImage(LastComposedBitmap);
    LastComposedBitmap = nullptr;
}
