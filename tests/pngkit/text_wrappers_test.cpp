// The text wrappers over real GDI+ and the fonts of the test prefix.
#include "png_font.h"
#include "png_font_family.h"
#include "png_string_format.h"
#include "process_memory.h"
#include "scoped_handles.h"
#include "test_images.h"
#include "test_windows.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

using namespace Gdiplus::DllExports;
using Gdiplus::FontStyleBold;
using Gdiplus::FontStyleItalic;
using Gdiplus::FontStyleRegular;
using Gdiplus::FontStyleStrikeout;
using Gdiplus::FontStyleUnderline;

namespace {

// Both are in the test prefix because the test script copies Wine's own fonts into it.
constexpr const char* kTahoma = "Tahoma";
constexpr const char* kShellDlg = "MS Shell Dlg";
// A name no font of any prefix carries.
constexpr const char* kMissingFamily = "Pngkit No Such Family";

using ScopedWindow = std::unique_ptr<HWND__, CallRelease<&DestroyWindow>>;

// Skips the test when a family it relies on is not installed.
class TextWrappers : public testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : {kTahoma, kShellDlg}) {
            Gdiplus::GpFontFamily* family = nullptr;
            if (GdipCreateFontFamilyFromName(std::wstring(name, name + std::strlen(name)).c_str(),
                                             nullptr, &family) != Gdiplus::Ok) {
                GTEST_SKIP() << "font family \"" << name << "\" is not installed";
            }
            GdipDeleteFontFamily(family);
        }
    }
};

ScopedGdiObject<HFONT> CreateGdiFont(const char* face, LONG height, LONG weight = FW_NORMAL,
                                     BYTE italic = 0, BYTE underline = 0, BYTE strikeOut = 0) {
    LOGFONTA description{};
    description.lfHeight = height;
    description.lfWeight = weight;
    description.lfItalic = italic;
    description.lfUnderline = underline;
    description.lfStrikeOut = strikeOut;
    std::strncpy(description.lfFaceName, face, LF_FACESIZE - 1);
    return ScopedGdiObject<HFONT>(CreateFontIndirectA(&description));
}

LOGFONTA DescribeGdiFont(HFONT font) {
    LOGFONTA description{};
    GetObjectA(font, sizeof description, &description);
    return description;
}

// Reads the held font back through the wrapper's getters; outputs start as sentinels so a
// getter that writes nothing shows.
struct FontFacts {
    int style = -1;
    float size = -1;
    int unit = -1;
};

FontFacts ReadFont(const PngFont& font) {
    FontFacts facts;
    Gdiplus::Unit unit = static_cast<Gdiplus::Unit>(-1);
    EXPECT_EQ(font.GetStyle(&facts.style), Gdiplus::Ok);
    EXPECT_EQ(font.GetSize(&facts.size), Gdiplus::Ok);
    EXPECT_EQ(font.GetUnit(&unit), Gdiplus::Ok);
    facts.unit = unit;
    return facts;
}

void ExpectFont(const PngFont& font, int style, float size, int unit) {
    ASSERT_NE(font.GetHandle(), nullptr);
    const FontFacts facts = ReadFont(font);
    EXPECT_EQ(facts.style, style);
    EXPECT_EQ(facts.size, size);
    EXPECT_EQ(facts.unit, unit);
}

std::wstring FamilyName(Gdiplus::GpFontFamily* family) {
    WCHAR name[LF_FACESIZE] = L"?";
    GdipGetFamilyName(family, name, LANG_NEUTRAL);
    return name;
}

TEST_F(TextWrappers, FromGdiFontTakesBoldOnlyFor600And700AndStyleBytesOnlyWhenOne) {
    struct Case {
        const char* face;
        LONG height;
        LONG weight;
        BYTE italic, underline, strikeOut;
        int style;
        float size;
    };
    const Case cases[] = {
        {kTahoma, -12, 400, 0, 0, 0, FontStyleRegular, 12},
        {kTahoma, -12, 600, 0, 0, 0, FontStyleBold, 12},
        {kTahoma, -12, 700, 0, 0, 0, FontStyleBold, 12},
        {kTahoma, -12, 800, 0, 0, 0, FontStyleRegular, 12},
        {kTahoma, -12, 900, 0, 0, 0, FontStyleRegular, 12},
        {kTahoma, -12, 400, 1, 0, 0, FontStyleItalic, 12},
        {kTahoma, -12, 400, 255, 0, 0, FontStyleRegular, 12},
        {kTahoma, -12, 400, 0, 1, 0, FontStyleUnderline, 12},
        {kTahoma, -12, 400, 0, 255, 0, FontStyleRegular, 12},
        {kTahoma, -12, 400, 0, 0, 1, FontStyleStrikeout, 12},
        {kTahoma, -12, 400, 0, 0, 255, FontStyleRegular, 12},
        {kTahoma, -12, 400, 2, 2, 2, FontStyleRegular, 12},
        {kTahoma, 12, 700, 1, 1, 1, 15, 12}, // a cell height counts as the size too
        {kTahoma, 12, 900, 255, 255, 255, FontStyleRegular, 12},
        {kShellDlg, -11, 400, 0, 0, 0, FontStyleRegular, 11}, // DEFAULT_GUI_FONT's description
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.face << " height " << c.height << " weight " << c.weight << " bytes "
                     << int{c.italic} << "/" << int{c.underline} << "/" << int{c.strikeOut});
        const ScopedGdiObject<HFONT> gdiFont =
            CreateGdiFont(c.face, c.height, c.weight, c.italic, c.underline, c.strikeOut);
        ASSERT_NE(gdiFont.get(), nullptr);
        // The case only shows something if GDI hands the bytes back as they were set.
        const LOGFONTA seen = DescribeGdiFont(gdiFont.get());
        ASSERT_EQ(seen.lfWeight, c.weight);
        ASSERT_EQ(seen.lfItalic, c.italic);
        ASSERT_EQ(seen.lfUnderline, c.underline);
        ASSERT_EQ(seen.lfStrikeOut, c.strikeOut);

        PngFont font;
        Gdiplus::GpFont* made = font.FromGdiFont(gdiFont.get());
        EXPECT_NE(made, nullptr);
        EXPECT_EQ(made, font.GetHandle());
        ExpectFont(font, c.style, c.size, Gdiplus::UnitPixel);
    }
}

TEST_F(TextWrappers, FromGdiFontOfAFaceNotInstalledEmptiesTheWrapper) {
    const ScopedGdiObject<HFONT> gdiFont = CreateGdiFont(kMissingFamily, -12);
    ASSERT_NE(gdiFont.get(), nullptr);
    ASSERT_STREQ(DescribeGdiFont(gdiFont.get()).lfFaceName, kMissingFamily);

    PngFont font;
    ASSERT_EQ(font.Create(kTahoma, 12, FontStyleRegular, Gdiplus::UnitPixel), Gdiplus::Ok);
    EXPECT_EQ(font.FromGdiFont(gdiFont.get()), nullptr);
    EXPECT_EQ(font.GetHandle(), nullptr);
}

TEST_F(TextWrappers, FromGdiFontOfNoFontKeepsWhatTheWrapperHeld) {
    PngFont empty;
    EXPECT_EQ(empty.FromGdiFont(nullptr), nullptr);
    EXPECT_EQ(empty.GetHandle(), nullptr);

    PngFont holding;
    ASSERT_EQ(holding.Create(kTahoma, 20, FontStyleBold, Gdiplus::UnitPixel), Gdiplus::Ok);
    Gdiplus::GpFont* held = holding.GetHandle();
    EXPECT_EQ(holding.FromGdiFont(nullptr), nullptr);
    EXPECT_EQ(holding.GetHandle(), held);
    // Still a live font, not one released behind the wrapper's back.
    ExpectFont(holding, FontStyleBold, 20, Gdiplus::UnitPixel);
}

TEST_F(TextWrappers, FromWindowFollowsTheWindowsFont) {
    TestWindow parent(0, 0, 200, 100);
    ScopedWindow edit(CreateWindowExA(0, "EDIT", "text", WS_CHILD | WS_VISIBLE, 0, 0, 200, 30,
                                      parent, nullptr, GetModuleHandleA(nullptr), nullptr));
    ASSERT_NE(edit.get(), nullptr);
    ASSERT_EQ(SendMessageA(edit.get(), WM_GETFONT, 0, 0), 0) << "the edit box starts with a font";

    PngFont font;
    EXPECT_EQ(font.FromWindow(edit.get()), nullptr);
    EXPECT_EQ(font.GetHandle(), nullptr);

    const ScopedGdiObject<HFONT> gdiFont = CreateGdiFont(kTahoma, -15, FW_BOLD, 1);
    ASSERT_NE(gdiFont.get(), nullptr);
    SendMessageA(edit.get(), WM_SETFONT, reinterpret_cast<WPARAM>(gdiFont.get()), FALSE);
    ASSERT_EQ(SendMessageA(edit.get(), WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(gdiFont.get()));

    Gdiplus::GpFont* made = font.FromWindow(edit.get());
    EXPECT_NE(made, nullptr);
    EXPECT_EQ(made, font.GetHandle());
    ExpectFont(font, FontStyleBold | FontStyleItalic, 15, Gdiplus::UnitPixel);
}

TEST_F(TextWrappers, CreateReportsGdiPlusStatusAndEmptiesOnFailure) {
    struct Case {
        const char* family;
        float size;
        int style;
        Gdiplus::Unit unit;
        Gdiplus::Status status;
    };
    const Case cases[] = {
        {kTahoma, 13.5f, FontStyleBold | FontStyleUnderline, Gdiplus::UnitPoint, Gdiplus::Ok},
        {kShellDlg, 11, FontStyleRegular, Gdiplus::UnitPixel, Gdiplus::Ok},
        {kTahoma, 9, FontStyleItalic | FontStyleStrikeout, Gdiplus::UnitWorld, Gdiplus::Ok},
        // The unknown family is left empty, and GdipCreateFont refuses a null family.
        {kMissingFamily, 12, FontStyleRegular, Gdiplus::UnitPixel, Gdiplus::InvalidParameter},
        {nullptr, 12, FontStyleRegular, Gdiplus::UnitPixel, Gdiplus::InvalidParameter},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.family != nullptr ? c.family : "(null)");
        // Every case starts from a held font, so a failure must release it.
        PngFont font;
        ASSERT_EQ(font.Create(kTahoma, 30, FontStyleRegular, Gdiplus::UnitPixel), Gdiplus::Ok);

        EXPECT_EQ(font.Create(c.family, c.size, c.style, c.unit), c.status);
        if (c.status == Gdiplus::Ok) {
            ExpectFont(font, c.style, c.size, c.unit);
        } else {
            EXPECT_EQ(font.GetHandle(), nullptr);
            float size = -1;
            EXPECT_EQ(font.GetSize(&size), Gdiplus::InvalidParameter);
        }
    }
}

TEST_F(TextWrappers, GetHeightIsTheLineSpacingInTheGraphicsUnits) {
    // Tahoma's line spacing is 2472 of its 2048 em units, so a 2048 pixel font is 2472
    // pixels high, whatever the resolution; other units depend on the graphics'.
    struct Case {
        Gdiplus::Unit pageUnit;
        float dpi;
        float height;
    };
    const Case cases[] = {
        {Gdiplus::UnitPixel, 96, 2472},
        {Gdiplus::UnitPoint, 96, 2472 * 72 / 96.0f},
        {Gdiplus::UnitInch, 192, 2472 / 192.0f},
    };
    PngFont font;
    ASSERT_EQ(font.Create(kTahoma, 2048, FontStyleRegular, Gdiplus::UnitPixel), Gdiplus::Ok);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "page unit " << c.pageUnit << " at " << c.dpi << " dpi");
        const ScopedBitmap bitmap = MakeSolidBitmap(8, 8, 0);
        ASSERT_EQ(GdipBitmapSetResolution(bitmap.get(), c.dpi, c.dpi), Gdiplus::Ok);
        GpGraphics* graphicsHandle = nullptr;
        ASSERT_EQ(GdipGetImageGraphicsContext(bitmap.get(), &graphicsHandle), Gdiplus::Ok);
        const ScopedGraphics graphics(graphicsHandle);
        ASSERT_EQ(GdipSetPageUnit(graphics.get(), c.pageUnit), Gdiplus::Ok);

        float height = -1;
        EXPECT_EQ(font.GetHeight(graphics.get(), &height), Gdiplus::Ok);
        EXPECT_NEAR(height, c.height, c.height / 1000);
    }
}

TEST_F(TextWrappers, FromDCTakesTheSelectedFontAndEmptiesOnFailure) {
    const ScopedMemoryDc dc(CreateCompatibleDC(nullptr));
    ASSERT_NE(dc.get(), nullptr);
    const ScopedGdiObject<HFONT> gdiFont = CreateGdiFont(kTahoma, -20, FW_BOLD);
    ASSERT_NE(gdiFont.get(), nullptr);
    const ScopedSelection selection(dc.get(), gdiFont.get());

    PngFont font;
    EXPECT_EQ(font.FromDC(dc.get()), Gdiplus::Ok);
    ASSERT_NE(font.GetHandle(), nullptr);
    const FontFacts facts = ReadFont(font);
    EXPECT_EQ(facts.style, FontStyleBold);
    EXPECT_EQ(facts.size, 20);

    EXPECT_NE(font.FromDC(nullptr), Gdiplus::Ok);
    EXPECT_EQ(font.GetHandle(), nullptr);
}

TEST_F(TextWrappers, FontFamilyFromNameFindsInstalledFamiliesOnly) {
    struct Case {
        const char* name;
        Gdiplus::Status status;
        const wchar_t* familyName; // null: the wrapper ends empty
    };
    const Case cases[] = {
        {kTahoma, Gdiplus::Ok, L"Tahoma"},
        {"tahoma", Gdiplus::Ok, L"Tahoma"}, // looked up regardless of case
        {kMissingFamily, Gdiplus::FontFamilyNotFound, nullptr},
        {"Tahoma Bold", Gdiplus::FontFamilyNotFound, nullptr},
        {"", Gdiplus::FontFamilyNotFound, nullptr},
        {nullptr, Gdiplus::FontFamilyNotFound, nullptr}, // a missing name is the empty name
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name != nullptr ? c.name : "(null)");
        // Every case starts from a held family, so a failure must release it.
        PngFontFamily family;
        ASSERT_EQ(family.FromName(kShellDlg), Gdiplus::Ok);

        EXPECT_EQ(family.FromName(c.name), c.status);
        if (c.familyName != nullptr) {
            ASSERT_NE(family.GetHandle(), nullptr);
            EXPECT_EQ(FamilyName(family.GetHandle()), c.familyName);
        } else {
            EXPECT_EQ(family.GetHandle(), nullptr);
        }
    }
}

INT FormatFlags(const PngStringFormat& format) {
    INT flags = -1;
    EXPECT_EQ(GdipGetStringFormatFlags(format.GetHandle(), &flags), Gdiplus::Ok);
    return flags;
}

TEST(PngStringFormat, CreatePassesFlagsWhichDefaultToZero) {
    // GDI+ has no getter for the language a format was created with; that it defaults to 0
    // rests on the declaration alone.
    PngStringFormat format;
    format.Create();
    ASSERT_NE(format.GetHandle(), nullptr);
    EXPECT_EQ(FormatFlags(format), 0);

    const int noWrapNoClip = Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsNoClip;
    format.Create(noWrapNoClip);
    EXPECT_EQ(FormatFlags(format), noWrapNoClip);
    format.Create(Gdiplus::StringFormatFlagsDirectionVertical, LANG_ENGLISH);
    EXPECT_EQ(FormatFlags(format), Gdiplus::StringFormatFlagsDirectionVertical);
    format.Create();
    EXPECT_EQ(FormatFlags(format), 0);
}

TEST(PngStringFormat, AlignmentSettersReachTheFormat) {
    using Gdiplus::StringAlignment;
    using Gdiplus::StringAlignmentCenter;
    using Gdiplus::StringAlignmentFar;
    using Gdiplus::StringAlignmentNear;
    struct Step {
        const char* name;
        std::function<void(PngStringFormat&)> apply;
        StringAlignment alignment;
        StringAlignment lineAlignment;
    };
    const Step steps[] = {
        {"created", [](PngStringFormat& f) { f.Create(); }, StringAlignmentNear,
         StringAlignmentNear},
        {"both far, center",
         [](PngStringFormat& f) { f.SetAlignments(StringAlignmentFar, StringAlignmentCenter); },
         StringAlignmentFar, StringAlignmentCenter},
        {"alignment center", [](PngStringFormat& f) { f.SetAlignment(StringAlignmentCenter); },
         StringAlignmentCenter, StringAlignmentCenter},
        {"line far", [](PngStringFormat& f) { f.SetLineAlignment(StringAlignmentFar); },
         StringAlignmentCenter, StringAlignmentFar},
        {"both near, far",
         [](PngStringFormat& f) { f.SetAlignments(StringAlignmentNear, StringAlignmentFar); },
         StringAlignmentNear, StringAlignmentFar},
        {"line near", [](PngStringFormat& f) { f.SetLineAlignment(StringAlignmentNear); },
         StringAlignmentNear, StringAlignmentNear},
        {"recreated", [](PngStringFormat& f) { f.Create(); }, StringAlignmentNear,
         StringAlignmentNear},
    };
    PngStringFormat format;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.apply(format);
        auto alignment = static_cast<StringAlignment>(-1);
        auto lineAlignment = static_cast<StringAlignment>(-1);
        EXPECT_EQ(GdipGetStringFormatAlign(format.GetHandle(), &alignment), Gdiplus::Ok);
        EXPECT_EQ(GdipGetStringFormatLineAlign(format.GetHandle(), &lineAlignment), Gdiplus::Ok);
        EXPECT_EQ(alignment, step.alignment);
        EXPECT_EQ(lineAlignment, step.lineAlignment);
    }
}

TEST(PngStringFormat, SettersOnAnEmptyWrapperAreHarmless) {
    PngStringFormat format;
    format.SetAlignments(Gdiplus::StringAlignmentFar, Gdiplus::StringAlignmentFar);
    format.SetAlignment(Gdiplus::StringAlignmentCenter);
    format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    EXPECT_EQ(format.GetHandle(), nullptr);
}

// One wrapper of each class is made again and again, through every way it has of taking a
// new object, a failing one included; every replaced object must be gone.
struct SoakCase {
    const char* name;
    std::function<std::function<void(int)>()> makeStep;
};

class TextWrappersSoak : public testing::TestWithParam<SoakCase> {};

void PrintTo(const SoakCase& soak, std::ostream* out) {
    *out << soak.name;
}

// A flat reading proves nothing unless the meter sees memory that is really kept: small
// heap blocks, as leaked GDI+ objects would be.
void ExpectMeterSeesHeapGrowth() {
    constexpr SIZE_T kBlock = 256;
    constexpr SIZE_T kTotal = 4 << 20;
    std::vector<void*> blocks;
    const SIZE_T before = PrivateBytes();
    for (SIZE_T kept = 0; kept < kTotal; kept += kBlock) {
        blocks.push_back(HeapAlloc(GetProcessHeap(), 0, kBlock));
    }
    const SIZE_T after = PrivateBytes();
    for (void* block : blocks) {
        HeapFree(GetProcessHeap(), 0, block);
    }
    EXPECT_GE(after, before + kTotal) << "private bytes " << before << " before, " << after
                                      << " after keeping " << kTotal << " bytes";
}

TEST_P(TextWrappersSoak, ReplacingKeepsPrivateBytesFlat) {
    PngFontFamily probe;
    if (probe.FromName(kTahoma) != Gdiplus::Ok) {
        GTEST_SKIP() << "font family \"" << kTahoma << "\" is not installed";
    }
    ExpectMeterSeesHeapGrowth();
    const std::function<void(int)> step = GetParam().makeStep();
    constexpr int kWarmUp = 2'000;
    constexpr int kRounds = 100'000;
    constexpr SIZE_T kSlack = 1 << 20;
    for (int i = 0; i < kWarmUp; ++i) {
        step(i);
    }
    const SIZE_T before = PrivateBytes();
    for (int i = 0; i < kRounds; ++i) {
        step(i);
    }
    const SIZE_T after = PrivateBytes();
    std::printf("%s: private bytes %zu before, %zu after %d replacements\n", GetParam().name,
                static_cast<size_t>(before), static_cast<size_t>(after), kRounds);
    EXPECT_LT(after, before + kSlack) << "grew by " << (after - before) << " bytes";
}

std::function<void(int)> FontSteps() {
    // State shared by the steps lives as long as the step function.
    struct State {
        PngFont font;
        ScopedGdiObject<HFONT> gdiFont = CreateGdiFont(kTahoma, -13, FW_BOLD, 1);
        ScopedMemoryDc dc{CreateCompatibleDC(nullptr)};
    };
    auto state = std::make_shared<State>();
    SelectObject(state->dc.get(), state->gdiFont.get());
    return [state](int i) {
        switch (i % 5) {
        case 0:
            state->font.Create(kTahoma, static_cast<float>(8 + i % 16), i % 16, Gdiplus::UnitPixel);
            break;
        case 1:
            state->font.FromGdiFont(state->gdiFont.get());
            break;
        case 2:
            state->font.Create(kMissingFamily, 12, FontStyleRegular, Gdiplus::UnitPixel);
            break;
        case 3:
            state->font.FromDC(state->dc.get());
            break;
        default:
            state->font.SetHandle(nullptr);
            break;
        }
    };
}

// Wine hands out its installed families themselves, shared and never freed, so a family
// the wrapper failed to delete costs nothing here; only Windows can show that leak.
std::function<void(int)> FontFamilySteps() {
    auto family = std::make_shared<PngFontFamily>();
    return [family](int i) {
        const char* names[] = {kTahoma, kShellDlg, kMissingFamily};
        family->FromName(names[i % 3]);
    };
}

std::function<void(int)> StringFormatSteps() {
    auto format = std::make_shared<PngStringFormat>();
    return [format](int i) {
        format->Create(i % 2 == 0 ? 0 : Gdiplus::StringFormatFlagsNoWrap, i % 3);
        format->SetAlignments(static_cast<Gdiplus::StringAlignment>(i % 3),
                              static_cast<Gdiplus::StringAlignment>((i + 1) % 3));
    };
}

INSTANTIATE_TEST_SUITE_P(EachWrapper, TextWrappersSoak,
                         testing::Values(SoakCase{"PngFont", FontSteps},
                                         SoakCase{"PngFontFamily", FontFamilySteps},
                                         SoakCase{"PngStringFormat", StringFormatSteps}),
                         [](const testing::TestParamInfo<SoakCase>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
