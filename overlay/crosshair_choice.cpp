#include "overlay.h"

#include "byte_array.h"
#include "crosshair_images.h"
#include "runtime.h"

namespace {

// "准星样式" and "编号" as the GBK bytes the configuration file is written in.
constexpr const char* StyleSection = "\xD7\xBC\xD0\xC7\xD1\xF9\xCA\xBD";
constexpr const char* StyleKey = "\xB1\xE0\xBA\xC5";
constexpr int StyleCount = 5;

} // namespace

int ChooseCrosshairStyle() {
    for (int style = 1; style <= StyleCount; ++style) {
        const std::wstring file = ProgramDirectory() + L"\\Config.ini";
        const std::string value = ReadIniValue(file, StyleSection, StyleKey);
        if (value == std::string(1, static_cast<char>('0' + style))) {
            return style;
        }
    }
    return 1;
}

std::span<const std::uint8_t> CrosshairImageBytes(int style) {
    static const unsigned char* const images[StyleCount] = {
        CrosshairImage1, CrosshairImage2, CrosshairImage3, CrosshairImage4, CrosshairImage5,
    };
    return EmbeddedBytes(images[style >= 1 && style <= StyleCount ? style - 1 : 0]);
}
