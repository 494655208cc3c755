#include "caret.h"
#include "compose.h"
#include "kit_fixtures.h"
#include "process_memory.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace {

// GetGuiResources reads 0 on Wine, so a GDI leak shows instead as creations that start to
// fail once the process has used up its handles.
bool GdiObjectsCanStillBeCreated() {
    std::vector<HBITMAP> bitmaps;
    HDC screen = GetDC(nullptr);
    bool allCreated = true;
    for (int i = 0; i < 500; ++i) {
        HBITMAP bitmap = CreateCompatibleBitmap(screen, 8, 8);
        allCreated = allCreated && bitmap != nullptr;
        bitmaps.push_back(bitmap);
    }
    HDC memory = CreateCompatibleDC(screen);
    allCreated = allCreated && memory != nullptr;
    DeleteDC(memory);
    for (HBITMAP bitmap : bitmaps) {
        DeleteObject(bitmap);
    }
    ReleaseDC(nullptr, screen);
    return allCreated;
}

class Soak : public LayeredScene {};

} // namespace

TEST_F(Soak, ComposingPresentingAndBlinkingKeepMemoryFlat) {
    constexpr int Cycles = 20000;
    Open(66, 66);
    ScopedBitmap background = MakeBitmap(64, 64, [](int x, int y) {
        return (static_cast<std::uint32_t>(x + y) * 2) << 24 | 0x00DC0011u;
    });
    ASSERT_TRUE(kit_.SetBackImage(background.get()));
    const HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 5, 20, 50, 20, Window(),
                                      nullptr, GetModuleHandleA(nullptr), nullptr);
    KillTimer(Window(), CaretBlinkTimerId);

    auto cycle = [&](int i) {
        kit_.Refresh();
        CaretBlinkTimerProc(Window(), WM_TIMER, CaretBlinkTimerId, 0);
        if (i % 64 == 0) {
            PumpMessages(0);
        }
    };
    FocusedEditParent = Window();
    FocusedEdit = edit;
    for (int i = 0; i < 500; ++i) { // warm-up: caches, heaps and the first kept canvas
        cycle(i);
    }
    const SIZE_T before = PrivateBytes();
    for (int i = 0; i < Cycles; ++i) {
        cycle(i);
    }
    const SIZE_T after = PrivateBytes();
    std::printf("private bytes before %zu, after %zu; GetGuiResources(GDI) reads %lu\n",
                static_cast<std::size_t>(before), static_cast<std::size_t>(after),
                GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
    EXPECT_LT(after, before + 1024 * 1024) << "grew by " << (after - before) << " bytes";
    EXPECT_TRUE(GdiObjectsCanStillBeCreated());
    // The window still shows its picture after all that, once the compositor has caught up
    // with the thousands of surfaces it was handed.
    const Screenshot shot = Screenshot::CaptureWhen(
        [](const Screenshot& s) { return s.At(Left + 60, Top + 60).r > 100; }, 15000);
    EXPECT_GT(shot.At(Left + 60, Top + 60).r, 100) << ToString(shot.At(Left + 60, Top + 60));
}
