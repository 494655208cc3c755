#include "caret.h"
#include "compose.h"
#include "kit_fixtures.h"

#include <gtest/gtest.h>

namespace {

// Resets the kit's focused-edit state around each test, as no edit box has the focus.
class CaretState : public LayeredScene {
  protected:
    void TearDown() override {
        DestroyCaret();
        LayeredScene::TearDown();
    }

    HWND AddEdit(int x, int y, int width, int height) {
        return CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, x, y, width, height, Window(),
                               nullptr, GetModuleHandleA(nullptr), nullptr);
    }

    // What the edit box subclass does when the box gains the focus.
    void FocusAsTheKitDoes(HWND edit) {
        CaretBlinkPhase = 0;
        FocusedEditParent = GetParent(edit);
        FocusedEdit = edit;
        ComposeWindow(FocusedEditParent);
    }
};

bool IsDark(const Rgb& colour) {
    return colour.r < 60 && colour.g < 60 && colour.b < 60;
}

} // namespace

TEST_F(CaretState, LineIsCentredOnTheBoxAtTheCaretsColumn) {
    Open(200, 100);
    const HWND edit = AddEdit(30, 40, 100, 20);
    ASSERT_NE(edit, nullptr);
    ASSERT_TRUE(CreateCaret(edit, nullptr, 1, 12));
    ASSERT_TRUE(SetCaretPos(7, 3)); // the caret's own row plays no part

    ScopedBitmap canvas = MakeSolidBitmap(200, 100, 0);
    GpGraphics* raw = nullptr;
    Gdiplus::DllExports::GdipGetImageGraphicsContext(canvas.get(), &raw);
    ScopedGraphics graphics(raw);
    DrawCaretLine(Window(), edit, graphics.get());
    graphics.reset();

    // (42,44) to (42,56): x = 30 + 7 + 5, y = 40 + (20 - 12) / 2.
    for (int y = 44; y < 56; ++y) {
        EXPECT_EQ(PixelAt(canvas.get(), 42, y), 0xFF000000u) << "row " << y;
        EXPECT_EQ(PixelAt(canvas.get(), 41, y) >> 24, 0u) << "row " << y;
        EXPECT_EQ(PixelAt(canvas.get(), 43, y) >> 24, 0u) << "row " << y;
    }
    EXPECT_EQ(PixelAt(canvas.get(), 42, 43) >> 24, 0u);
    EXPECT_EQ(PixelAt(canvas.get(), 42, 57) >> 24, 0u);
}

TEST_F(CaretState, TicksThatAreNotTheBlinkOrFindNoFocusDoNothing) {
    Open(100, 60);
    const HWND edit = AddEdit(10, 10, 60, 20);
    KillTimer(Window(), CaretBlinkTimerId);
    FocusAsTheKitDoes(edit);
    ASSERT_NE(LastComposedBitmap, nullptr);

    CaretBlinkTimerProc(Window(), WM_TIMER, 63, 0);
    EXPECT_EQ(CaretBlinkPhase, 0) << "another timer's id";

    TestWindow other(0, 0, 10, 10);
    CaretBlinkTimerProc(other, WM_TIMER, CaretBlinkTimerId, 0);
    EXPECT_EQ(CaretBlinkPhase, 0) << "a window that is not the focused edit's parent";

    FocusedEdit = nullptr;
    CaretBlinkTimerProc(Window(), WM_TIMER, CaretBlinkTimerId, 0);
    EXPECT_EQ(CaretBlinkPhase, 0) << "no focused edit box";

    FocusedEdit = edit;
    CaretBlinkTimerProc(Window(), WM_TIMER, CaretBlinkTimerId, 0);
    EXPECT_EQ(CaretBlinkPhase, 1);
}

TEST_F(CaretState, TicksShowAndHideTheCaretOnScreen) {
    Open(200, 100);
    ScopedBitmap white = MakeSolidBitmap(200, 100, 0xFFFFFFFF);
    ASSERT_TRUE(kit_.SetBackImage(white.get()));
    const HWND edit = AddEdit(30, 40, 120, 20);
    SetFocus(edit);
    KillTimer(Window(), CaretBlinkTimerId); // the test ticks by hand
    POINT caret{};
    ASSERT_TRUE(GetCaretPos(&caret)) << "the focused edit box has no caret";
    const int column = Left + 30 + caret.x + 5;
    const int top = Top + 44;
    FocusAsTheKitDoes(edit);

    std::function<bool(const Screenshot&)> caretShown = [&](const Screenshot& s) {
        for (int y = top + 1; y < top + 11; ++y) {
            if (!IsDark(s.At(column, y))) {
                return false;
            }
        }
        return true;
    };
    std::function<bool(const Screenshot&)> caretHidden = [&](const Screenshot& s) {
        for (int y = top; y < top + 12; ++y) {
            if (s.At(column, y) != Rgb{255, 255, 255}) {
                return false;
            }
        }
        return true;
    };
    for (int tick = 1; tick <= 4; ++tick) {
        CaretBlinkTimerProc(Window(), WM_TIMER, CaretBlinkTimerId, GetTickCount());
        const bool shown = tick % 2 == 1;
        EXPECT_EQ(CaretBlinkPhase, shown ? 1 : 0) << "tick " << tick;
        const Screenshot shot = Screenshot::CaptureWhen(shown ? caretShown : caretHidden);
        EXPECT_TRUE(shown ? caretShown(shot) : caretHidden(shot))
            << "tick " << tick << ": column " << column << " row " << top + 5 << " shows "
            << ToString(shot.At(column, top + 5));
        EXPECT_EQ(shot.At(column + 1, top + 5), (Rgb{255, 255, 255})) << "tick " << tick;
    }

    // A compose in between presents without the caret and leaves the phase alone.
    CaretBlinkTimerProc(Window(), WM_TIMER, CaretBlinkTimerId, GetTickCount());
    ComposeWindow(Window());
    EXPECT_EQ(CaretBlinkPhase, 1);
    EXPECT_TRUE(caretHidden(Screenshot::CaptureWhen(caretHidden)));
}

TEST_F(CaretState, TheBoundWindowsTimerDrivesTheBlink) {
    Open(100, 60);
    const HWND edit = AddEdit(10, 10, 60, 20);
    FocusAsTheKitDoes(edit);
    int changes = 0;
    int phase = CaretBlinkPhase;
    const ULONGLONG end = GetTickCount64() + 1800;
    while (GetTickCount64() < end) {
        PumpMessages(20);
        if (CaretBlinkPhase != phase) {
            ++changes;
            phase = CaretBlinkPhase;
        }
    }
    EXPECT_GE(changes, 2) << "expected a toggle every 500 ms";
    EXPECT_LE(changes, 4);
}
