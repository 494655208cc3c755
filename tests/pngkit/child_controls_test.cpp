#include "caret.h"
#include "child_painting.h"
#include "child_subclass.h"
#include "compose.h"
#include "kit_fixtures.h"
#include "process_memory.h"
#include "window_properties.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace {

constexpr std::uint32_t Red = 0xFFFF0000;
constexpr std::uint32_t Blue = 0xFF0000FF;

HWND AddChild(HWND parent, const char* className, int x, int y, int width, int height,
              std::uintptr_t type, DWORD style = WS_VISIBLE) {
    HWND child = CreateWindowExA(0, className, "", WS_CHILD | style, x, y, width, height, parent,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowProperty(child, PngProperty::Type, type);
    return child;
}

void SetImage(HWND child, const char* property, GpImage* image) {
    SetPropA(child, property, image);
}

// The smallest rectangle holding every pixel of the canvas that shows anything. (A scaled
// image's outermost pixels are blended with the transparency around it.)
RECT OpaqueBounds(GpBitmap* canvas) {
    RECT bounds{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    const int width = static_cast<int>(ImageWidth(canvas));
    const int height = static_cast<int>(ImageHeight(canvas));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if ((PixelAt(canvas, x, y) >> 24) > 0) {
                bounds = {std::min<LONG>(bounds.left, x), std::min<LONG>(bounds.top, y),
                          std::max<LONG>(bounds.right, x + 1),
                          std::max<LONG>(bounds.bottom, y + 1)};
            }
        }
    }
    return bounds.left == INT_MAX ? RECT{} : bounds;
}

std::string Describe(const RECT& r) {
    std::ostringstream text;
    text << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
    return text.str();
}

} // namespace

TEST(ChildPlacement, BackTypeDecidesWhereTheImageLands) {
    struct Case {
        const char* name;
        std::uintptr_t backType;
        int imageWidth, imageHeight, boxWidth, boxHeight;
        RECT expected; // relative to the control's origin; empty: nothing shown
    };
    // Scaled images may lose a blended edge row or column to GDI+'s resampling.
    const Case cases[] = {
        {"fit, wide", 2, 200, 100, 50, 50, {0, 12, 50, 37}},
        {"fit, small stays", 2, 30, 20, 50, 50, {10, 15, 40, 35}},
        {"fit, tall", 2, 100, 300, 60, 90, {15, 0, 45, 90}},
        {"fit, to nothing", 2, 7, 3, 2, 100, {}},
        {"stretch", 1, 10, 40, 50, 30, {0, 0, 50, 30}},
        {"natural, exact", 0, 50, 50, 50, 50, {0, 0, 50, 50}},
        {"natural, smaller", 7, 20, 10, 50, 50, {0, 0, 20, 10}},
        {"natural, a pixel wider is cut", 0, 51, 50, 50, 50, {0, 0, 50, 50}},
    };
    constexpr int X = 20;
    constexpr int Y = 30;
    for (const Case& c : cases) {
        TestWindow parent(0, 0, 300, 400);
        HWND child = AddChild(parent, "STATIC", X, Y, c.boxWidth, c.boxHeight, ChildTypeImage);
        SetWindowProperty(child, PngProperty::BackType, c.backType);
        // Red, with a blue last column that only a scaled or whole image shows.
        ScopedBitmap image = MakeBitmap(c.imageWidth, c.imageHeight, [&](int x, int) {
            return x == c.imageWidth - 1 && c.imageWidth > 1 ? Blue : Red;
        });
        SetImage(child, PngProperty::BackImage, image.get());

        ScopedBitmap canvas = ComposeOnly(parent);
        ASSERT_NE(canvas, nullptr) << c.name;
        RECT expected = c.expected;
        if (!IsRectEmpty(&expected)) {
            OffsetRect(&expected, X, Y);
        }
        const RECT seen = OpaqueBounds(canvas.get());
        const bool scaled =
            c.backType == BackTypeStretch ||
            (c.backType == BackTypeFit && expected.right - expected.left != c.imageWidth);
        const LONG slack = scaled ? 1 : 0;
        const bool same = std::abs(seen.left - expected.left) <= slack &&
                          std::abs(seen.top - expected.top) <= slack &&
                          std::abs(seen.right - expected.right) <= slack &&
                          std::abs(seen.bottom - expected.bottom) <= slack;
        EXPECT_TRUE(same) << c.name << ": expected " << Describe(expected) << ", saw "
                          << Describe(seen);
        if (std::string(c.name).find("cut") != std::string::npos) {
            for (int y = Y; y < Y + c.boxHeight; ++y) {
                EXPECT_EQ(PixelAt(canvas.get(), X + c.boxWidth - 1, y), Red) << "row " << y;
            }
        }
    }
}

TEST(ChildPlacement, FitImageSizeNeverEnlarges) {
    struct Case {
        int iw, ih, bw, bh, w, h;
    };
    const Case cases[] = {
        {200, 100, 50, 50, 50, 25}, {30, 20, 50, 50, 30, 20}, {100, 300, 60, 90, 30, 90},
        {7, 3, 2, 100, 2, 0},       {50, 50, 50, 50, 50, 50}, {99, 100, 10, 5, 5, 5},
    };
    for (const Case& c : cases) {
        int width = -1;
        int height = -1;
        FitImageSize(c.iw, c.ih, c.bw, c.bh, width, height);
        EXPECT_EQ(width, c.w) << c.iw << "x" << c.ih << " in " << c.bw << "x" << c.bh;
        EXPECT_EQ(height, c.h) << c.iw << "x" << c.ih << " in " << c.bw << "x" << c.bh;
    }
}

TEST(ChildPass, LowerChildInZOrderEndsOnTopAndHiddenChildrenArePainted) {
    TestWindow parent(0, 0, 200, 200);
    ScopedBitmap red = MakeSolidBitmap(60, 60, Red);
    ScopedBitmap blue = MakeSolidBitmap(60, 60, Blue);
    HWND first = AddChild(parent, "STATIC", 10, 10, 60, 60, ChildTypeImage);
    HWND second = AddChild(parent, "STATIC", 40, 40, 60, 60, ChildTypeImage, 0); // hidden
    SetImage(first, PngProperty::BackImage, red.get());
    SetImage(second, PngProperty::BackImage, blue.get());
    SetWindowPos(first, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_EQ(GetWindow(parent, GW_CHILD), second) << "the hidden child should be on top";

    ScopedBitmap canvas = ComposeOnly(parent);
    EXPECT_EQ(PixelAt(canvas.get(), 50, 50), Red) << "the lower child covers the upper one";
    EXPECT_EQ(PixelAt(canvas.get(), 90, 90), Blue) << "a hidden child is painted too";
    EXPECT_EQ(PixelAt(canvas.get(), 20, 20), Red);
}

TEST(ChildPass, OtherTypesPaintNothingAndAreNeverSubclassed) {
    TestWindow parent(0, 0, 120, 60);
    PngWindow kit;
    ASSERT_TRUE(kit.Bind(parent));
    ScopedBitmap red = MakeSolidBitmap(20, 20, Red);
    std::vector<HWND> children;
    for (std::uintptr_t type : {1, 5}) {
        HWND child = AddChild(parent, "BUTTON", static_cast<int>(type) * 20, 10, 20, 20, type);
        for (const char* property : {PngProperty::BackImage, PngProperty::NormalImage}) {
            SetImage(child, property, red.get());
        }
        children.push_back(child);
    }
    const LONG_PTR buttonProc = GetWindowLongPtrA(children[0], GWLP_WNDPROC);
    kit.Refresh();
    for (HWND child : children) {
        EXPECT_EQ(GetWindowLongPtrA(child, GWLP_WNDPROC), buttonProc);
        EXPECT_EQ(GetWindowProperty(child, PngProperty::ChildWndProc), 0u);
    }
    ScopedBitmap canvas = ComposeOnly(parent);
    EXPECT_TRUE(IsRectEmpty(&static_cast<const RECT&>(OpaqueBounds(canvas.get()))));
}

namespace {
LRESULT CALLBACK ApplicationProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}
} // namespace

TEST(Refresh, SubclassesEachButtonAndEditBoxOnce) {
    TestWindow parent(0, 0, 200, 100);
    PngWindow kit;
    ASSERT_TRUE(kit.Bind(parent));
    HWND button = AddChild(parent, "BUTTON", 10, 10, 50, 20, ChildTypeButton);
    HWND edit = AddChild(parent, "EDIT", 70, 10, 80, 20, ChildTypeEdit);
    HWND plain = AddChild(parent, "STATIC", 10, 50, 50, 20, 0);
    const LONG_PTR buttonOriginal = GetWindowLongPtrA(button, GWLP_WNDPROC);
    const LONG_PTR editOriginal = GetWindowLongPtrA(edit, GWLP_WNDPROC);
    const LONG_PTR plainOriginal = GetWindowLongPtrA(plain, GWLP_WNDPROC);

    for (int run = 0; run < 2; ++run) {
        kit.Refresh();
        EXPECT_EQ(GetWindowLongPtrA(button, GWLP_WNDPROC),
                  reinterpret_cast<LONG_PTR>(&ButtonSubclassProc));
        EXPECT_EQ(GetWindowLongPtrA(edit, GWLP_WNDPROC),
                  reinterpret_cast<LONG_PTR>(&EditSubclassProc));
        // Still the original procedures: a second subclass would have stored the kit's own.
        EXPECT_EQ(static_cast<LONG_PTR>(GetWindowProperty(button, PngProperty::ChildWndProc)),
                  buttonOriginal);
        EXPECT_EQ(static_cast<LONG_PTR>(GetWindowProperty(edit, PngProperty::ChildWndProc)),
                  editOriginal);
        EXPECT_EQ(GetWindowLongPtrA(plain, GWLP_WNDPROC), plainOriginal);
    }
    // The subclassed controls still work as before.
    SetWindowTextA(edit, "typed");
    EXPECT_EQ(GetWindowTextValue(edit), "typed");
}

TEST(Refresh, PutsBackTheApplicationsProcedure) {
    TestWindow parent(0, 0, 200, 100);
    PngWindow kit;
    ASSERT_TRUE(kit.Bind(parent));
    const auto application = reinterpret_cast<std::uintptr_t>(&ApplicationProc);

    // Not subclassed yet: the procedure is put back, then the kit subclasses over it.
    HWND fresh = AddChild(parent, "BUTTON", 10, 10, 50, 20, ChildTypeButton);
    SetWindowProperty(fresh, PngProperty::WndProc, application);
    // Subclassed already: the procedure put back stays in place.
    HWND subclassed = AddChild(parent, "EDIT", 70, 10, 80, 20, ChildTypeEdit);
    kit.Refresh();
    const std::uintptr_t editPrevious = GetWindowProperty(subclassed, PngProperty::ChildWndProc);
    SetWindowProperty(subclassed, PngProperty::WndProc, application);

    kit.Refresh();
    EXPECT_EQ(GetPropA(fresh, PngProperty::WndProc), nullptr);
    EXPECT_EQ(GetWindowProperty(fresh, PngProperty::ChildWndProc), application);
    EXPECT_EQ(GetWindowLongPtrA(fresh, GWLP_WNDPROC),
              reinterpret_cast<LONG_PTR>(&ButtonSubclassProc));
    EXPECT_EQ(GetPropA(subclassed, PngProperty::WndProc), nullptr);
    EXPECT_EQ(GetWindowLongPtrA(subclassed, GWLP_WNDPROC), static_cast<LONG_PTR>(application));
    EXPECT_EQ(GetWindowProperty(subclassed, PngProperty::ChildWndProc), editPrevious);
}

namespace {

// A parent whose composes can be counted: while it is the focused edit's parent, each
// compose replaces the kept canvas with a new one, made before the old one is disposed.
class ComposeCounter {
  public:
    explicit ComposeCounter(HWND parent) {
        FocusedEditParent = parent;
        FocusedEdit = nullptr;
        Arm();
    }
    void Arm() {
        if (LastComposedBitmap == nullptr) {
            LastComposedBitmap = MakeSolidBitmap(1, 1, 0).release();
        }
        sentinel_ = LastComposedBitmap;
    }
    bool Composed() const { return LastComposedBitmap != sentinel_; }

  private:
    GpBitmap* sentinel_ = nullptr;
};

bool TrackingLeaveOf(HWND window) {
    TRACKMOUSEEVENT query{};
    query.cbSize = sizeof query;
    query.dwFlags = TME_QUERY;
    TrackMouseEvent(&query);
    return (query.dwFlags & TME_LEAVE) != 0 && query.hwndTrack == window;
}

void CancelTracking(HWND window) {
    TRACKMOUSEEVENT cancel{};
    cancel.cbSize = sizeof cancel;
    cancel.dwFlags = TME_LEAVE | TME_CANCEL;
    cancel.hwndTrack = window;
    TrackMouseEvent(&cancel);
}

} // namespace

class ButtonStates : public KitState {};

TEST_F(ButtonStates, FollowTheTransitionTable) {
    TestWindow parent(400, 300, 200, 100);
    PngWindow kit;
    ASSERT_TRUE(kit.Bind(parent));
    ShowWindow(parent, SW_SHOWNOACTIVATE);
    HWND button = AddChild(parent, "BUTTON", 20, 20, 80, 30, ChildTypeButton);
    kit.Refresh();
    // Leave tracking only holds while the mouse is over the button.
    SetCursorPos(400 + 60, 300 + 35);
    PumpMessages(100);

    struct Message {
        const char* name;
        UINT id;
        WPARAM wParam;
    };
    const Message messages[] = {
        {"mouse move", WM_MOUSEMOVE, 0},
        {"mouse leave", WM_MOUSELEAVE, 0},
        {"left down", WM_LBUTTONDOWN, MK_LBUTTON},
        {"left up", WM_LBUTTONUP, 0},
        {"enabled", WM_ENABLE, TRUE},
        {"disabled", WM_ENABLE, FALSE},
    };
    constexpr int Unchanged = -1;
    struct Cell {
        int state; // Unchanged: no new state, no compose
        bool track;
    };
    const Cell table[4][6] = {
        {{1, true}, {0, false}, {2, false}, {0, false}, {0, false}, {3, false}},
        {{Unchanged, false}, {0, false}, {2, false}, {0, false}, {0, false}, {3, false}},
        {{Unchanged, false}, {0, false}, {2, false}, {1, false}, {0, false}, {3, false}},
        {{1, true}, {0, false}, {2, false}, {0, false}, {0, false}, {3, false}},
    };
    for (int from = 0; from < 4; ++from) {
        for (int m = 0; m < 6; ++m) {
            const Cell& cell = table[from][m];
            SetWindowProperty(button, PngProperty::DrawState, static_cast<std::uintptr_t>(from));
            CancelTracking(button);
            ComposeCounter counter(parent);
            SendMessageA(button, messages[m].id, messages[m].wParam, 0);
            const int expected = cell.state == Unchanged ? from : cell.state;
            std::ostringstream where;
            where << "from state " << from << " on " << messages[m].name;
            EXPECT_EQ(GetDrawState(button), expected) << where.str();
            EXPECT_EQ(counter.Composed(), cell.state != Unchanged) << where.str();
            EXPECT_EQ(TrackingLeaveOf(button), cell.track) << where.str();
        }
    }
    CancelTracking(button);
}

TEST(ButtonImages, EachStateShowsItsImageOrTheNormalOne) {
    TestWindow parent(0, 0, 100, 60);
    HWND full = AddChild(parent, "BUTTON", 0, 0, 20, 20, ChildTypeButton);
    HWND normalOnly = AddChild(parent, "BUTTON", 30, 0, 20, 20, ChildTypeButton);
    HWND none = AddChild(parent, "BUTTON", 60, 0, 20, 20, ChildTypeButton);
    const std::uint32_t colours[] = {0xFF808080, 0xFF0078D7, 0xFF005499, 0xFFC8C8C8};
    const char* properties[] = {PngProperty::NormalImage, PngProperty::OverlImage,
                                PngProperty::DownImage, PngProperty::DisableImage};
    std::vector<ScopedBitmap> images;
    for (int state = 0; state < 4; ++state) {
        images.push_back(MakeSolidBitmap(20, 20, colours[state]));
        SetImage(full, properties[state], images.back().get());
    }
    SetImage(normalOnly, PngProperty::NormalImage, images[0].get());

    for (int state : {0, 1, 2, 3, 9}) {
        for (HWND button : {full, normalOnly, none}) {
            SetWindowProperty(button, PngProperty::DrawState, static_cast<std::uintptr_t>(state));
        }
        ScopedBitmap canvas = ComposeOnly(parent);
        const std::uint32_t expected = colours[state <= 3 ? state : 0];
        EXPECT_EQ(PixelAt(canvas.get(), 10, 10), expected) << "state " << state;
        EXPECT_EQ(PixelAt(canvas.get(), 40, 10), colours[0]) << "state " << state;
        EXPECT_EQ(PixelAt(canvas.get(), 70, 10) >> 24, 0u) << "state " << state;
    }
}
