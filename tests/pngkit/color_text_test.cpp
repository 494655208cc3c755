#include "color_text.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

TEST(ColorToArgb, MovesRedToBitsSixteenAndAlphaOnTop) {
    struct Case {
        std::uint32_t color;
        std::uint32_t alpha;
        std::uint32_t argb;
    };
    const Case cases[] = {
        {0x000000FF, 255, 0xFFFF0000}, // red
        {0x00FF0000, 128, 0x800000FF}, // blue, half alpha
        {0xFFFFFFFF, 255, 0xFFFFFFFF}, // -1, "no colour", is white as a colour
        {0xFF0000FF, 255, 0xFFFF0000}, // byte 3 is ignored
        {0x00000000, 256, 0x00000000}, // only 8 bits of alpha survive
        {0x00123456, 0, 0x00563412},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ColorToArgb(c.color, c.alpha), c.argb)
            << std::hex << "colour " << c.color << " alpha " << std::dec << c.alpha;
    }
}

TEST(AnsiToUtf16, EndsWithOneZeroUnit) {
    struct Case {
        const char* text;
        std::vector<std::uint8_t> bytes;
    };
    const Case cases[] = {
        {"abc", {0x61, 0, 0x62, 0, 0x63, 0, 0, 0}},
        {"", {0, 0}},
        {nullptr, {0, 0}}, // a missing text is the empty text
        {"a\0b", {0x61, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        const ByteArray wide = AnsiToUtf16(c.text);
        EXPECT_EQ(std::vector<std::uint8_t>(wide.data(), wide.data() + wide.size()), c.bytes)
            << (c.text ? c.text : "(null)");
    }
}

TEST(AnsiToUtf16, ConvertsThroughTheAnsiCodePage) {
    // 0xE9 is e-acute in code page 1252, the ANSI code page of an English Wine prefix.
    if (GetACP() != 1252) {
        GTEST_SKIP() << "ANSI code page is " << GetACP();
    }
    const ByteArray wide = AnsiToUtf16("\xE9t\xE9");
    const std::vector<std::uint8_t> expected{0xE9, 0, 't', 0, 0xE9, 0, 0, 0};
    EXPECT_EQ(std::vector<std::uint8_t>(wide.data(), wide.data() + wide.size()), expected);
}
