#include "caret.h"
#include "child_painting.h"
#include "compose.h"
#include "kit_fixtures.h"
#include "process_memory.h"
#include "window_properties.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr std::uintptr_t NoColour = 0xFFFFFFFF;

struct EditLook {
    std::optional<std::uintptr_t> fill, fillAlpha, border, borderAlpha, text;
};

HWND AddEdit(HWND parent, int x, int y, int width, int height, const EditLook& look,
             const char* text = "") {
    HWND edit = CreateWindowExA(0, "EDIT", text, WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, x, y,
                                width, height, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowProperty(edit, PngProperty::Type, 4);
    auto set = [edit](const char* name, const std::optional<std::uintptr_t>& value) {
        if (value) {
            SetWindowProperty(edit, name, *value);
        }
    };
    set(PngProperty::BackColor, look.fill);
    set(PngProperty::BackAlpha, look.fillAlpha);
    set(PngProperty::OrderColor, look.border);
    set(PngProperty::OrderAlpha, look.borderAlpha);
    set(PngProperty::TextColor, look.text);
    return edit;
}

// A 14-pixel Tahoma, as the kit demo uses, owned by the test.
class TextFont {
  public:
    TextFont()
        : font_(CreateFontA(-14, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma")) {
    }
    ~TextFont() { DeleteObject(font_); }
    TextFont(const TextFont&) = delete;
    TextFont& operator=(const TextFont&) = delete;
    void ApplyTo(HWND window) const { SendMessageA(window, WM_SETFONT, WPARAM(font_), FALSE); }

  private:
    HFONT font_;
};

struct InkCount {
    int pixels = 0;
    RECT bounds{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
};

// Pixels in the area whose colour is within 60 of the ink and clearly opaque.
InkCount CountInk(GpBitmap* canvas, const RECT& area, std::uint32_t ink) {
    InkCount count;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            const std::uint32_t argb = PixelAt(canvas, x, y);
            bool matches = (argb >> 24) > 200;
            for (int shift = 0; shift < 24 && matches; shift += 8) {
                matches = std::abs(static_cast<int>((argb >> shift) & 0xFF) -
                                   static_cast<int>((ink >> shift) & 0xFF)) < 60;
            }
            if (matches) {
                ++count.pixels;
                count.bounds = {std::min<LONG>(count.bounds.left, x),
                                std::min<LONG>(count.bounds.top, y),
                                std::max<LONG>(count.bounds.right, x + 1),
                                std::max<LONG>(count.bounds.bottom, y + 1)};
            }
        }
    }
    return count;
}

} // namespace

TEST(EditBoxLook, FillAndBorderFollowTheirColoursAndAlphas) {
    struct Case {
        const char* name;
        EditLook look;
        std::uint32_t inside; // ARGB inside the box, away from border and text
        std::uint32_t edge;   // ARGB on the box's left edge
    };
    const Case cases[] = {
        {"fill and border", {0x0000FF, 255, 0xFF0000, 255, {}}, 0xFFFF0000, 0xFF0000FF},
        {"half-transparent fill", {0x00FF00, 128, NoColour, 0, {}}, 0x8000FF00, 0x8000FF00},
        {"no fill", {NoColour, 255, 0xFF0000, 255, {}}, 0x00000000, 0xFF0000FF},
        {"no border", {0x0000FF, 255, NoColour, 255, {}}, 0xFFFF0000, 0xFFFF0000},
        {"neither", {NoColour, 255, NoColour, 255, {}}, 0x00000000, 0x00000000},
        // Unset colours read as black and unset alphas as 0: drawn, but invisible.
        {"nothing set", {}, 0x00000000, 0x00000000},
    };
    for (const Case& c : cases) {
        TestWindow parent(0, 0, 120, 60);
        AddEdit(parent, 10, 10, 80, 30, c.look);
        ScopedBitmap canvas = ComposeOnly(parent);
        const std::uint32_t inside = PixelAt(canvas.get(), 50, 25);
        const std::uint32_t edge = PixelAt(canvas.get(), 10, 25);
        // GDI+ keeps colour exactly only where alpha is whole; compare alpha first.
        EXPECT_NEAR(static_cast<int>(inside >> 24), static_cast<int>(c.inside >> 24), 1) << c.name;
        EXPECT_NEAR(static_cast<int>(edge >> 24), static_cast<int>(c.edge >> 24), 1) << c.name;
        if ((c.inside >> 24) != 0) {
            EXPECT_EQ(inside & 0xFFFFFF, c.inside & 0xFFFFFF) << c.name;
        }
        if ((c.edge >> 24) != 0) {
            EXPECT_EQ(edge & 0xFFFFFF, c.edge & 0xFFFFFF) << c.name;
        }
        EXPECT_EQ(PixelAt(canvas.get(), 5, 5), 0u) << c.name << ": outside the box";
    }
}

TEST(EditBoxLook, TextIsOpaqueInItsColourOnOneLine) {
    TextFont font;
    struct Case {
        const char* name;
        std::optional<std::uintptr_t> colour;
        const char* text;
        std::uint32_t ink;
        bool drawn;
    };
    const Case cases[] = {
        {"unset colour is black", {}, "Hello", 0xFF000000, true},
        {"-1 is white", NoColour, "Hello", 0xFFFFFFFF, true},
        {"red", 0x0000FF, "Hello", 0xFFFF0000, true},
        {"empty text", 0x0000FF, "", 0xFFFF0000, false},
    };
    for (const Case& c : cases) {
        TestWindow parent(0, 0, 200, 80);
        // A grey fill, so that black and white text both show.
        HWND edit =
            AddEdit(parent, 10, 10, 150, 40, {0x808080, 255, NoColour, 0, c.colour}, c.text);
        font.ApplyTo(edit);
        ScopedBitmap canvas = ComposeOnly(parent);
        const InkCount ink = CountInk(canvas.get(), {10, 10, 160, 50}, c.ink);
        if (!c.drawn) {
            EXPECT_EQ(ink.pixels, 0) << c.name;
            EXPECT_EQ(PixelAt(canvas.get(), 30, 30), 0xFF808080u) << c.name << ": fill still drawn";
            continue;
        }
        EXPECT_GT(ink.pixels, 20) << c.name;
        // Left-aligned inside the 2-pixel margin, and centred on the box's middle row.
        EXPECT_GE(ink.bounds.left, 12) << c.name;
        EXPECT_LT(ink.bounds.left, 20) << c.name;
        EXPECT_NEAR((ink.bounds.top + ink.bounds.bottom) / 2.0, 30.0, 4.0) << c.name;
    }
}

TEST(EditBoxLook, LongTextStaysOnOneLineAndIsCutAtTheLayout) {
    TextFont font;
    TestWindow parent(0, 0, 200, 120);
    HWND edit = AddEdit(parent, 10, 10, 100, 80, {NoColour, 0, NoColour, 0, {}},
                        "WWWW WWWW WWWW WWWW WWWW WWWW WWWW");
    font.ApplyTo(edit);
    ScopedBitmap canvas = ComposeOnly(parent);
    const InkCount ink = CountInk(canvas.get(), {0, 0, 200, 120}, 0xFF000000);
    ASSERT_GT(ink.pixels, 50);
    EXPECT_LE(ink.bounds.right, 10 + 100 - 2) << "text drawn past the layout rectangle";
    // Cut at a whole character: the ink stops within one W of the layout's edge.
    EXPECT_GE(ink.bounds.right, 10 + 100 - 2 - 14) << "text should run up to the cut";
    EXPECT_LT(ink.bounds.bottom - ink.bounds.top, 20) << "more than one line";
}

TEST(EditBoxLook, WithoutAFontNoTextIsDrawn) {
    TestWindow parent(0, 0, 200, 80);
    HWND edit = AddEdit(parent, 10, 10, 150, 40, {0x808080, 255, NoColour, 0, {}}, "Hello");
    ASSERT_EQ(SendMessageA(edit, WM_GETFONT, 0, 0), 0);
    ScopedBitmap canvas = ComposeOnly(parent);
    EXPECT_EQ(CountInk(canvas.get(), {10, 10, 160, 50}, 0xFF000000).pixels, 0);
    EXPECT_EQ(PixelAt(canvas.get(), 30, 30), 0xFF808080u);
}

class EditFocus : public KitState {};

TEST_F(EditFocus, MovingTheFocusUpdatesTheStateAndRecomposesEachParent) {
    // Two bound windows over a backdrop, one kit edit box in each.
    BackdropWindow backdrop({280, 180, 720, 320}, RGB(40, 160, 90));
    TestWindow first(300, 200, 180, 100);
    TestWindow second(500, 200, 180, 100);
    PngWindow firstKit;
    PngWindow secondKit;
    ASSERT_TRUE(firstKit.Bind(first));
    ASSERT_TRUE(secondKit.Bind(second));
    HWND a = AddEdit(first, 10, 10, 150, 30, {0xFFFFFF, 255, 0, 255, {}});
    HWND b = AddEdit(second, 10, 10, 150, 30, {0xFFFFFF, 255, 0, 255, {}});
    firstKit.Refresh();
    secondKit.Refresh();
    for (HWND window : {first.get(), second.get()}) {
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }

    SetFocus(a);
    EXPECT_EQ(FocusedEdit, a);
    EXPECT_EQ(FocusedEditParent, first.get());
    EXPECT_EQ(CaretBlinkPhase, 0);
    ASSERT_NE(LastComposedBitmap, nullptr) << "the focus should compose and keep the canvas";
    EXPECT_EQ(ImageWidth(LastComposedBitmap), 180u);
    CaretBlinkPhase = 1;

    // A look change that sends no message shows only if the first window is composed again
    // when its box loses the focus.
    SetWindowProperty(a, PngProperty::BackColor, 0x0000FF);
    SetFocus(b);
    EXPECT_EQ(FocusedEdit, b);
    EXPECT_EQ(FocusedEditParent, second.get());
    EXPECT_EQ(CaretBlinkPhase, 0);
    ASSERT_NE(LastComposedBitmap, nullptr);
    EXPECT_EQ(PixelAt(LastComposedBitmap, 100, 25), 0xFFFFFFFFu) << "the second window's canvas";
    const Screenshot shot = Screenshot::CaptureWhen([](const Screenshot& s) {
        return s.At(300 + 100, 200 + 25) == Rgb{255, 0, 0};
    });
    EXPECT_EQ(shot.At(300 + 100, 200 + 25), (Rgb{255, 0, 0}));

    SendMessageA(b, WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(FocusedEdit, nullptr);
    EXPECT_EQ(FocusedEditParent, nullptr);
}

TEST_F(EditFocus, CaretBlinksOverTheFocusedBoxAtItsPlace) {
    TextFont font;
    BackdropWindow backdrop({280, 180, 520, 320}, RGB(40, 160, 90));
    TestWindow parent(300, 200, 200, 100);
    PngWindow kit;
    ASSERT_TRUE(kit.Bind(parent));
    HWND edit = AddEdit(parent, 20, 30, 160, 28, {0xFFFFFF, 255, NoColour, 0, {}}, "Hi");
    font.ApplyTo(edit);
    kit.Refresh();
    SetWindowPos(parent, HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 2, 2);
    ASSERT_EQ(FocusedEdit, edit);
    POINT caret{};
    ASSERT_TRUE(GetCaretPos(&caret));
    const int column = 300 + 20 + caret.x + 5;
    const int top = 200 + 30 + (28 - 12) / 2;

    auto caretShown = [&](const Screenshot& s) {
        for (int y = top + 1; y < top + 11; ++y) {
            const Rgb c = s.At(column, y);
            if (c.r > 60 || c.g > 60 || c.b > 60) {
                return false;
            }
        }
        return true;
    };
    bool sawShown = false;
    bool sawHidden = false;
    const ULONGLONG end = GetTickCount64() + 6000;
    while ((!sawShown || !sawHidden) && GetTickCount64() < end) {
        const Screenshot shot = Screenshot::CaptureWhen([](const Screenshot&) { return true; }, 0);
        if (caretShown(shot)) {
            sawShown = true;
        } else if (shot.At(column, top + 5) == Rgb{255, 255, 255}) {
            sawHidden = true;
        }
    }
    EXPECT_TRUE(sawShown) << "no caret at column " << column << ", rows " << top << "..";
    EXPECT_TRUE(sawHidden) << "the caret never went away";
}

class ChildSoak : public KitState {};

TEST_F(ChildSoak, ButtonStatesAndKeystrokesKeepMemoryFlat) {
    constexpr int Changes = 50000;
    TestWindow parent(0, 0, 160, 60);
    PngWindow kit;
    ASSERT_TRUE(kit.Bind(parent));
    TextFont font;
    HWND button = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE, 5, 5, 40, 20, parent,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowProperty(button, PngProperty::Type, 3);
    ScopedBitmap normal = MakeSolidBitmap(40, 20, 0xFF808080);
    ScopedBitmap hover = MakeSolidBitmap(40, 20, 0xFF0078D7);
    SetPropA(button, PngProperty::NormalImage, normal.get());
    SetPropA(button, PngProperty::OverlImage, hover.get());
    HWND edit = AddEdit(parent, 50, 5, 100, 24, {0xFFFFFF, 255, 0, 255, {}});
    font.ApplyTo(edit);
    kit.Refresh();
    KillTimer(parent, CaretBlinkTimerId);

    auto change = [&](int i) {
        if (i % 2 == 0) {
            SendMessageA(button, (i / 2) % 2 == 0 ? WM_MOUSEMOVE : WM_MOUSELEAVE, 0, 0);
        } else {
            // Typing, and clearing now and then so the text stays short.
            if (i % 41 == 1) {
                SetWindowTextA(edit, "");
            }
            SendMessageA(edit, WM_CHAR, 'a' + (i % 26), 0);
        }
    };
    for (int i = 0; i < 500; ++i) {
        change(i);
    }
    const SIZE_T before = PrivateBytes();
    for (int i = 0; i < Changes; ++i) {
        change(i);
    }
    const SIZE_T after = PrivateBytes();
    std::printf("private bytes before %zu, after %zu\n", static_cast<std::size_t>(before),
                static_cast<std::size_t>(after));
    EXPECT_LT(after, before + 1024 * 1024) << "grew by " << (after - before) << " bytes";
}
