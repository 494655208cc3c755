// The overlay keeps marking the centre of the primary screen when its resolution changes.
#include "crosshair_pictures.h"
#include "host_command.h"
#include "overlay_process.h"
#include "test_windows.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <optional>
#include <sstream>
#include <string>

TEST(OverlayDisplay, FollowsTheCentreThroughResolutionChanges) {
    // This X screen cannot change its mode; a Wine virtual desktop can. The probe runs in
    // one, starts the program there and changes the mode. Wine shares a desktop's screen
    // with every process of its wineserver, so the desktop gets a prefix and wineserver of
    // its own (made and removed here), and the screen of the rest of the run stays as it is.
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    const std::wstring windowsFolder = ScratchFolder(L"display-change");
    const std::string folder = HostScratchPath("display-change");
    ASSERT_TRUE(
        CopyFileW(BuiltProgramPath().c_str(), (windowsFolder + L"\\crosshair.exe").c_str(), FALSE));
    const std::string report = folder + "/report.txt";
    DeleteFileA(WindowsPathOf(report).c_str());
    RunHostCommand("export WINEPREFIX=" + ShellQuote(folder + "/prefix") +
                       " WINEDLLOVERRIDES='mscoree,mshtml='; " + HostWine64 +
                       " explorer /desktop=crosshair-display,1024x768 " +
                       ShellQuote(DISPLAY_CHANGE_PROBE_HOST_PATH) + " " +
                       ShellQuote(folder + "/crosshair.exe") + " " + ShellQuote(report) +
                       " </dev/null >/dev/null 2>&1; wineserver -k; rm -rf \"$WINEPREFIX\"",
                   240000);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), width);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), height);

    std::stringstream lines;
    lines << std::ifstream(WindowsPathOf(report)).rdbuf();
    const std::string text = lines.str();
    EXPECT_EQ(text.find("FAIL"), std::string::npos) << text;
    for (const char* check :
         {"ok   800x600: window at (367,267)-(433,333)",
          "ok   1366x768: window at (650,351)-(716,417)",
          "ok   640x480: window at (287,207)-(353,273)",
          "ok   restored: window at (479,351)-(545,417)", "ok   exit code 0 after WM_CLOSE"}) {
        EXPECT_NE(text.find(check), std::string::npos) << "missing: " << check << "\n" << text;
    }
}

TEST(OverlayDisplay, DisplayChangeBringsItBackToTheCentreWithItsPicture) {
    BackdropWindow backdrop(AroundOverlay(), KnownBackground);
    OverlayProcess program =
        OverlayProcess::Start(ScratchFolder(L"display-message"), GbkConfig("5"));
    const HWND window = program.WaitForWindow();
    ASSERT_NE(window, nullptr);
    // Off the centre, where an unchanged window would be left by a new resolution.
    SetWindowPos(window, nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT where{};
    GetWindowRect(window, &where);
    ASSERT_EQ(where.left, 10);

    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    DWORD_PTR result = 0;
    ASSERT_TRUE(SendMessageTimeoutA(window, WM_DISPLAYCHANGE, 32, MAKELPARAM(width, height),
                                    SMTO_ABORTIFHUNG, 5000, &result));
    GetWindowRect(window, &where);
    const RECT centre = CentredOverlayRect();
    EXPECT_TRUE(EqualRect(&where, &centre))
        << where.left << "," << where.top << "-" << where.right << "," << where.bottom;
    EXPECT_NE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    const PictureMatch match = CaptureCrosshair(centre.left, centre.top);
    EXPECT_TRUE(match.Clear() && match.best == 5) << match.Describe();
    EXPECT_EQ(program.Close(), std::optional<DWORD>(0));
}
