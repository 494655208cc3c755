#include "kit_fixtures.h"
#include "window_properties.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

// Timer messages for the window that are waiting in the queue after pumping nothing else.
int PendingBlinkTicks(HWND window, DWORD waitMs) {
    int ticks = 0;
    const ULONGLONG end = GetTickCount64() + waitMs;
    while (GetTickCount64() < end) {
        MSG message;
        while (PeekMessageA(&message, window, WM_TIMER, WM_TIMER, PM_REMOVE)) {
            if (message.wParam == 64) {
                ++ticks;
            }
        }
        Sleep(20);
    }
    return ticks;
}

ByteArray OpaquePng(int width, int height, std::uint32_t argb) {
    ScopedBitmap bitmap = MakeSolidBitmap(width, height, argb);
    return EncodePng(bitmap.get());
}

} // namespace

TEST(PngWindowBind, RefusesWhatIsNoWindowAndKeepsTheEarlierHandle) {
    TestWindow window(0, 0, 50, 50);
    PngWindow kit;
    EXPECT_FALSE(kit.Bind(nullptr));
    EXPECT_EQ(kit.GetHandle(), nullptr);

    ASSERT_TRUE(kit.Bind(window));
    TestWindow dead(0, 0, 10, 10);
    const HWND deadHandle = dead.get();
    dead.Destroy();
    for (HWND notAWindow : {HWND(nullptr), deadHandle, reinterpret_cast<HWND>(0x1234)}) {
        EXPECT_FALSE(kit.Bind(notAWindow)) << notAWindow;
        EXPECT_EQ(kit.GetHandle(), window.get());
    }
    EXPECT_TRUE(kit.IsValid());
}

TEST(PngWindowBind, ReplacesTheWholeExtendedStyleWithLayered) {
    // WS_EX_TOPMOST is left out: it mirrors the z-order, which no style write changes.
    TestWindow window(0, 0, 50, 50, WS_POPUP,
                      WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT | WS_EX_APPWINDOW);
    PngWindow kit;
    ASSERT_TRUE(kit.Bind(window));
    EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE), WS_EX_LAYERED);

    // Styles added after binding are gone after binding again.
    SetWindowLongA(window, GWL_EXSTYLE, WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT);
    ASSERT_TRUE(kit.Bind(window));
    EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE), WS_EX_LAYERED);
}

TEST(PngWindowBind, StartsOneBlinkTimerPerWindow) {
    TestWindow window(0, 0, 50, 50);
    PngWindow kit;
    ASSERT_TRUE(kit.Bind(window));
    EXPECT_EQ(GetWindowProperty(window, "PngControl_Time"), 64u);
    EXPECT_GE(PendingBlinkTicks(window, 1200), 1) << "the 500 ms timer did not tick";

    // The second binding must not start the timer again: once it is killed, it stays dead.
    KillTimer(window, 64);
    PngWindow other;
    ASSERT_TRUE(kit.Bind(window));
    ASSERT_TRUE(other.Bind(window));
    EXPECT_EQ(PendingBlinkTicks(window, 1200), 0);
}

TEST(PngWindowBind, CopiesDriveTheSameWindowAndDestructionLeavesItAlone) {
    TestWindow window(0, 0, 50, 50);
    {
        PngWindow kit;
        ASSERT_TRUE(kit.Bind(window));
        PngWindow copy = kit;
        EXPECT_EQ(copy.GetHandle(), window.get());
        EXPECT_EQ(copy.SendWindowMessage(WM_GETTEXTLENGTH, 0, 0), 0);
    }
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE), WS_EX_LAYERED);
    EXPECT_EQ(GetWindowProperty(window, "PngControl_Time"), 64u);
}

TEST_F(LayeredScene, SetBackImageWithNoImageChangesNothing) {
    Open(40, 40);
    const ByteArray red = OpaquePng(40, 40, 0xFFDC0011);
    ASSERT_TRUE(kit_.SetBackImageBytes(red));
    const auto before = GetWindowProperty(Window(), "PngControl_BackImage");
    ASSERT_NE(before, 0u);

    EXPECT_FALSE(kit_.SetBackImage(nullptr));
    EXPECT_EQ(GetWindowProperty(Window(), "PngControl_BackImage"), before);
    const Screenshot shot = Screenshot::CaptureWhen([](const Screenshot& s) {
        return s.At(Left + 20, Top + 20) == Rgb{220, 0, 17};
    });
    EXPECT_EQ(shot.At(Left + 20, Top + 20), (Rgb{220, 0, 17}));
}

TEST_F(LayeredScene, BytesThatAreNoImageChangeNothing) {
    Open(40, 40);
    const ByteArray png = OpaquePng(40, 40, 0xFF0000FF);
    ASSERT_GT(png.size(), 40u);
    ASSERT_TRUE(kit_.SetBackImageBytes(png));
    const auto before = GetWindowProperty(Window(), "PngControl_BackImage");

    std::mt19937 random(7);
    std::vector<std::uint8_t> noise(4096);
    for (auto& byte : noise) {
        byte = static_cast<std::uint8_t>(random());
    }
    std::vector<std::uint8_t> badCrc(png.data(), png.data() + png.size());
    badCrc[29] ^= 0xFF; // inside the IHDR chunk's CRC (bytes 29..32)
    // IDAT damaged: a flipped byte in the compressed pixel data, checked by its CRC.
    std::vector<std::uint8_t> badData(png.data(), png.data() + png.size());
    badData[badData.size() - 20] ^= 0x55;

    struct Case {
        const char* name;
        std::span<const std::uint8_t> bytes;
    };
    const Case cases[] = {
        {"empty", {}},
        {"random", noise},
        {"signature only", png.view().first(8)},
        {"truncated inside IHDR", png.view().first(20)},
        {"cut before IEND", png.view().first(png.size() / 2)},
        {"IHDR CRC broken", badCrc},
        {"IDAT damaged", badData},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LoadScoped(c.bytes), nullptr) << c.name;
        EXPECT_FALSE(kit_.SetBackImageBytes(c.bytes)) << c.name;
        EXPECT_EQ(GetWindowProperty(Window(), "PngControl_BackImage"), before) << c.name;
    }
    const Screenshot shot = Screenshot::CaptureWhen([](const Screenshot& s) {
        return s.At(Left + 5, Top + 5) == Rgb{0, 0, 255};
    });
    EXPECT_EQ(shot.At(Left + 5, Top + 5), (Rgb{0, 0, 255}));
}

TEST(PngWindowSetBackImage, FailsOnAnUnboundOrDeadWindow) {
    ScopedBitmap image = MakeSolidBitmap(4, 4, 0xFF000000);
    PngWindow unbound;
    EXPECT_FALSE(unbound.SetBackImage(image.get()));

    auto window = std::make_unique<TestWindow>(0, 0, 20, 20);
    PngWindow kit;
    ASSERT_TRUE(kit.Bind(*window));
    window.reset();
    EXPECT_FALSE(kit.IsValid());
    EXPECT_FALSE(kit.SetBackImage(image.get()));
    EXPECT_FALSE(kit.SetBackImageBytes(EncodePng(image.get())));
}

namespace {

// Records the flags of every SetWindowPos that reaches the window.
UINT LastPositionFlags = 0;
WNDPROC PreviousProc = nullptr;
LRESULT CALLBACK RecordPositionFlags(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_WINDOWPOSCHANGING) {
        LastPositionFlags = reinterpret_cast<WINDOWPOS*>(lParam)->flags;
    }
    return CallWindowProcA(PreviousProc, window, message, wParam, lParam);
}

} // namespace

TEST(PngWindowSetBounds, KeepsWhatIsNotGiven) {
    struct Case {
        const char* name;
        std::optional<int> x, y, width, height;
        bool noRedraw;
        UINT flags;
        RECT expected;
    };
    // The window starts at (100, 120), 200 x 80.
    const Case cases[] = {
        {"nothing", {}, {}, {}, {}, false, 7, {100, 120, 300, 200}},
        {"only x", 150, {}, {}, {}, false, 5, {150, 120, 350, 200}},
        {"only width", {}, {}, 50, {}, false, 6, {100, 120, 150, 200}},
        {"only height, no redraw", {}, {}, {}, 30, true, 14, {100, 120, 300, 150}},
        {"everything", 10, 20, 30, 40, false, 4, {10, 20, 40, 60}},
    };
    for (const Case& c : cases) {
        TestWindow window(100, 120, 200, 80);
        PngWindow kit;
        ASSERT_TRUE(kit.Bind(window));
        PreviousProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordPositionFlags)));
        LastPositionFlags = 0xFFFF;
        kit.SetBounds(c.x, c.y, c.width, c.height, c.noRedraw);
        RECT rect{};
        GetWindowRect(window, &rect);
        EXPECT_EQ(LastPositionFlags & 0xF, c.flags) << c.name;
        EXPECT_TRUE(EqualRect(&rect, &c.expected))
            << c.name << ": (" << rect.left << "," << rect.top << ")-(" << rect.right << ","
            << rect.bottom << ")";
    }
}
