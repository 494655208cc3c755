// The overlay window as other programs see it, on whatever screen the run has. The test
// script runs this on two screen sizes; CROSSHAIR_EXPECT_SCREEN=WxH makes sure the screen
// is the one the script meant.
#include "crosshair_pictures.h"
#include "overlay_process.h"
#include "test_windows.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

struct ScreenCase {
    int width;
    int height;
    RECT overlay;
};
const ScreenCase KnownScreens[] = {
    {1920, 1080, {927, 507, 993, 573}},
    {1366, 768, {650, 351, 716, 417}},
};

RECT ExpectedRect() {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    for (const ScreenCase& known : KnownScreens) {
        if (known.width == width && known.height == height) {
            return known.overlay;
        }
    }
    const int left = (width - OverlaySize) / 2;
    const int top = (height - OverlaySize) / 2;
    return {left, top, left + OverlaySize, top + OverlaySize};
}

std::string ToString(const RECT& rect) {
    char text[64];
    std::snprintf(text, sizeof text, "(%ld,%ld)-(%ld,%ld)", rect.left, rect.top, rect.right,
                  rect.bottom);
    return text;
}

// Index in the z-order of top-level windows, topmost first.
int ZOrderOf(HWND window) {
    int index = 0;
    for (HWND w = GetTopWindow(nullptr); w != nullptr; w = GetWindow(w, GW_HWNDNEXT), ++index) {
        if (w == window) {
            return index;
        }
    }
    return -1;
}

constexpr LONG FrameStyles = WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_DLGFRAME;

} // namespace

TEST(OverlayScreen, TheScreenIsTheOneTheRunAskedFor) {
    const char* expected = std::getenv("CROSSHAIR_EXPECT_SCREEN");
    if (expected == nullptr || *expected == '\0') {
        GTEST_SKIP() << "no screen size asked for";
    }
    EXPECT_EQ(std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "x" +
                  std::to_string(GetSystemMetrics(SM_CYSCREEN)),
              expected);
}

TEST(OverlayScreen, TopmostDisabledClickThroughToolWindowAtTheCentre) {
    OverlayProcess program = OverlayProcess::Start(ScratchFolder(L"screen"), GbkConfig("2"));
    const HWND overlay = program.WaitForWindow();
    ASSERT_NE(overlay, nullptr);

    char className[32] = {};
    GetClassNameA(overlay, className, sizeof className);
    EXPECT_STREQ(className, "WTWindow");
    EXPECT_EQ(GetWindowTextLengthA(overlay), 0);
    RECT rect{};
    GetWindowRect(overlay, &rect);
    const RECT expected = ExpectedRect();
    EXPECT_TRUE(EqualRect(&rect, &expected))
        << "at " << ToString(rect) << ", expected " << ToString(expected);

    const LONG style = GetWindowLongA(overlay, GWL_STYLE);
    EXPECT_EQ(style & FrameStyles, 0) << std::hex << "style " << style;
    EXPECT_EQ(style & (WS_SYSMENU | WS_MAXIMIZEBOX | WS_POPUP | WS_CHILD), 0) << std::hex << style;
    EXPECT_FALSE(IsWindowEnabled(overlay));
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(overlay, GWL_EXSTYLE)), 0x800A8u)
        << "layered, tool window, transparent, topmost and nothing else";

    const HWND owner = GetWindow(overlay, GW_OWNER);
    ASSERT_NE(owner, nullptr);
    DWORD ownerProcess = 0;
    GetWindowThreadProcessId(owner, &ownerProcess);
    EXPECT_EQ(ownerProcess, program.Id());
    EXPECT_FALSE(IsWindowVisible(owner));
    EXPECT_NE(GetWindowLongA(owner, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);

    // An ordinary window brought to the front afterwards stays beneath the crosshair.
    RECT around = expected;
    InflateRect(&around, 40, 40);
    BackdropWindow later(around, KnownBackground);
    SetWindowPos(later.get(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(later.get());
    PumpMessages(300);
    EXPECT_LT(ZOrderOf(overlay), ZOrderOf(later.get()));
    const PictureMatch match = CaptureCrosshair(expected.left, expected.top);
    EXPECT_TRUE(match.Clear() && match.best == 2) << match.Describe();

    EXPECT_EQ(program.Close(), std::optional<DWORD>(0)) << "exit code after WM_CLOSE";
}
