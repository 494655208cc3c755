// The program's main line in this process: RunOverlay from start to shutdown, and the
// "HalyxLoadDialog" window class it registers.
#include "fatal_box.h"
#include "host_command.h"
#include "image_loader.h"
#include "overlay.h"
#include "runtime.h"
#include "test_images.h"
#include "test_windows.h"
#include "window_properties.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

namespace {

// What the overlay window looked like at the moment it was being shown.
struct ShowFacts {
    bool seen = false;
    bool visibleBefore = true;
    bool backgroundSet = false;
    DWORD exStyle = 0;
    bool boundToIt = false;
    bool globalsAlive = false;
};
ShowFacts Shown;

LRESULT CALLBACK WatchShow(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    char name[32] = {};
    GetClassNameA(message->hwnd, name, sizeof name);
    if (code == HC_ACTION && message->message == WM_SHOWWINDOW && message->wParam &&
        lstrcmpA(name, "WTWindow") == 0 && !Shown.seen) {
        Shown.seen = true;
        Shown.visibleBefore = IsWindowVisible(message->hwnd);
        // SetBackImage stores the image and presents synchronously, so a stored image
        // means the surface was handed over already.
        Shown.backgroundSet = GetWindowProperty(message->hwnd, PngProperty::BackImage) != 0;
        Shown.exStyle = static_cast<DWORD>(GetWindowLongA(message->hwnd, GWL_EXSTYLE));
        Shown.boundToIt = OverlayPngWindow && OverlayPngWindow->GetHandle() == message->hwnd;
        Shown.globalsAlive = OverlayPngWindow != nullptr && FrameDimensionGuid.size() == 16;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Keeps the test main's frame dimension for the tests that run after the main line.
class KeepFrameDimension {
  public:
    ~KeepFrameDimension() { FrameDimensionGuid = saved_; }

  private:
    ByteArray saved_ = FrameDimensionGuid;
};

HWND WaitForOwnOverlay(DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (GetTickCount64() < deadline) {
        HWND window = FindWindowA("WTWindow", nullptr);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (window != nullptr && process == GetCurrentProcessId() && IsWindowVisible(window)) {
            return window;
        }
        Sleep(20);
    }
    return nullptr;
}

} // namespace

TEST(MainLine, ShowsThePresentedOverlayRunsUntilClosedThenReleasesItsGlobals) {
    KeepFrameDimension keep;
    Shown = {};
    const HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, WatchShow, nullptr, GetCurrentThreadId());
    std::atomic<bool> closed{false};
    std::thread closer([&] {
        if (HWND window = WaitForOwnOverlay(20000)) {
            PostMessageA(window, WM_CLOSE, 0, 0);
            closed = true;
        }
    });
    const int exitCode = RunProgram(RunOverlay);
    closer.join();
    UnhookWindowsHookEx(hook);

    ASSERT_TRUE(closed) << "the overlay never showed";
    EXPECT_EQ(exitCode, 0);
    ASSERT_TRUE(Shown.seen);
    EXPECT_FALSE(Shown.visibleBefore);
    EXPECT_TRUE(Shown.backgroundSet) << "shown before its surface was presented";
    EXPECT_EQ(Shown.exStyle, 0x800A8u) << std::hex << Shown.exStyle;
    EXPECT_TRUE(Shown.boundToIt);
    EXPECT_TRUE(Shown.globalsAlive) << "released before shutdown";
    EXPECT_EQ(OverlayPngWindow, nullptr) << "ExitApplication did not run";
    EXPECT_TRUE(FrameDimensionGuid.empty()) << "ExitApplication did not run";
}

TEST(MainLine, AWindowThatCannotBeBuiltEndsWithTheErrorBoxAndMinusOne) {
    KeepFrameDimension keep;
    FatalBoxCloser closer;
    int exitCode = 0;
    {
        CreationVeto veto("WTWindow");
        exitCode = RunProgram(RunOverlay);
    }
    EXPECT_EQ(exitCode, -1);
    EXPECT_TRUE(closer.Seen()) << "no message box";
    EXPECT_EQ(OverlayPngWindow, nullptr) << "ExitApplication did not run";
    EXPECT_TRUE(FrameDimensionGuid.empty()) << "ExitApplication did not run";
}

namespace {

// A "HalyxLoadDialog" window of this thread, destroyed with the test.
class LoadDialog {
  public:
    LoadDialog(int x, int y, int width, int height)
        : window_(CreateWindowExA(0, LoadDialogClassName, "", WS_POPUP | WS_VISIBLE, x, y, width,
                                  height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr)) {}
    ~LoadDialog() {
        if (IsWindow(window_)) {
            DestroyWindow(window_);
        }
    }
    LoadDialog(const LoadDialog&) = delete;
    LoadDialog& operator=(const LoadDialog&) = delete;
    HWND get() const { return window_; }

  private:
    HWND window_;
};

ULONG References(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

DWORD WINAPI SleepForever(LPVOID) {
    Sleep(INFINITE);
    return 7;
}

class LoadDialogTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        KeepFrameDimension keep;
        InitApplication(); // registers the class
    }
};

} // namespace

TEST_F(LoadDialogTest, DestroyingItReleasesTheHandlesItWasGiven) {
    enum class Given { Handles, Zeros, Nothing };
    struct Case {
        const char* what;
        Given given;
    };
    const Case cases[] = {
        {"all three handles", Given::Handles},
        {"properties of 0", Given::Zeros},
        {"no properties", Given::Nothing},
    };
    const ByteArray png = [] {
        ScopedBitmap bitmap = MakeSolidBitmap(8, 8, 0xFF00FF00);
        return EncodePng(bitmap.get());
    }();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const HANDLE thread = CreateThread(nullptr, 0, SleepForever, nullptr, 0, nullptr);
        HANDLE watch = nullptr;
        DuplicateHandle(GetCurrentProcess(), thread, GetCurrentProcess(), &watch, 0, FALSE,
                        DUPLICATE_SAME_ACCESS);
        IStream* stream = nullptr;
        CreateStreamOnHGlobal(nullptr, TRUE, &stream);
        stream->Write(png.data(), static_cast<ULONG>(png.size()), nullptr);
        stream->Seek({}, STREAM_SEEK_SET, nullptr);
        GpImage* image = nullptr;
        ASSERT_EQ(Gdiplus::DllExports::GdipLoadImageFromStream(stream, &image), Gdiplus::Ok);
        const ULONG referencesWithImage = References(stream);
        const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 64);

        LoadDialog dialog(100, 100, 120, 90);
        if (c.given != Given::Nothing) {
            const bool zeros = c.given == Given::Zeros;
            SetPropA(dialog.get(), "Halyx_Thread", zeros ? nullptr : thread);
            SetPropA(dialog.get(), "Halyx_Image", zeros ? nullptr : image);
            SetPropA(dialog.get(), "Halyx_Stream", zeros ? nullptr : block);
        }
        DestroyWindow(dialog.get());

        if (c.given == Given::Handles) {
            EXPECT_EQ(WaitForSingleObject(watch, 3000), WAIT_OBJECT_0) << "thread still runs";
            DWORD exitCode = 1;
            GetExitCodeThread(watch, &exitCode);
            EXPECT_EQ(exitCode, 0u);
            DWORD flags = 0;
            EXPECT_FALSE(GetHandleInformation(thread, &flags)) << "thread handle not closed";
            EXPECT_LT(References(stream), referencesWithImage) << "image not disposed";
            EXPECT_EQ(GlobalFlags(block), static_cast<UINT>(GMEM_INVALID_HANDLE))
                << "block not freed";
        } else {
            EXPECT_EQ(WaitForSingleObject(watch, 200), static_cast<DWORD>(WAIT_TIMEOUT));
            DWORD flags = 0;
            EXPECT_TRUE(GetHandleInformation(thread, &flags));
            EXPECT_EQ(References(stream), referencesWithImage);
            EXPECT_EQ(GlobalSize(block), 64u);
            TerminateThread(thread, 0);
            CloseHandle(thread);
            Gdiplus::DllExports::GdipDisposeImage(image);
            GlobalFree(block);
        }
        CloseHandle(watch);
        stream->Release();
    }
}

TEST_F(LoadDialogTest, FollowsTheMouseOnlyWithHitMoveOne) {
    struct Case {
        const char* what;
        bool set;
        std::uintptr_t hitMove;
        bool moves;
    };
    const Case cases[] = {
        {"HalyxHitMove 1", true, 1, true},
        {"HalyxHitMove 0", true, 0, false},
        {"HalyxHitMove 2", true, 2, false},
        {"no HalyxHitMove", false, 0, false},
    };
    constexpr int Left = 300, Top = 300, DX = 120, DY = 60;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LoadDialog dialog(Left, Top, 200, 150);
        if (c.set) {
            SetWindowProperty(dialog.get(), "HalyxHitMove", c.hitMove);
        }
        PumpMessages(200);
        const int x = Left + 100, y = Top + 75;
        auto at = [](int px, int py) {
            return " mousemove " + std::to_string(px) + " " + std::to_string(py) + " sleep 0.1";
        };
        std::atomic<int> status{-2};
        std::thread mouse([&] {
            status = RunHostCommand("xdotool" + at(x, y) + " mousedown 1 sleep 0.2" +
                                    at(x + DX / 2, y + DY / 2) + at(x + DX, y + DY) +
                                    " sleep 0.2 mouseup 1 sleep 0.2");
        });
        // The move loop runs inside this thread's message handling.
        while (status == -2) {
            PumpMessages(20);
        }
        mouse.join();
        PumpMessages(200);
        ASSERT_EQ(status, 0);
        RECT rect{};
        GetWindowRect(dialog.get(), &rect);
        const POINT expected = c.moves ? POINT{Left + DX, Top + DY} : POINT{Left, Top};
        EXPECT_EQ(rect.left, expected.x);
        EXPECT_EQ(rect.top, expected.y);
    }
}
