#include "sheet.h"

#include <algorithm>
#include <cmath>

namespace crosshair {

namespace {

constexpr int kGap = 16;
constexpr Colour kBackgrounds[] = {{232, 232, 228}, {44, 46, 50}};

void fill(Canvas& c, int x0, int y0, int w, int h, Colour colour) {
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) {
            std::uint8_t* p = c.pixel(x, y);
            p[0] = colour.r;
            p[1] = colour.g;
            p[2] = colour.b;
            p[3] = 255;
        }
}

std::uint8_t over(std::uint8_t source, std::uint8_t alpha, std::uint8_t below) {
    return static_cast<std::uint8_t>(std::lround((source * alpha + below * (255 - alpha)) / 255.0));
}

} // namespace

Canvas contactSheet(const std::vector<Canvas>& images, int scale) {
    int cellWidth = 0;
    int cellHeight = 0;
    for (const Canvas& image : images) {
        cellWidth = std::max(cellWidth, image.width * scale);
        cellHeight = std::max(cellHeight, image.height * scale);
    }
    const int count = static_cast<int>(images.size());
    const int rowHeight = cellHeight + 2 * kGap;
    Canvas sheet{kGap + count * (cellWidth + kGap), 2 * rowHeight, {}};
    sheet.rgba.resize(static_cast<std::size_t>(sheet.width) * sheet.height * 4);

    for (int row = 0; row < 2; ++row) {
        const Colour background = kBackgrounds[row];
        fill(sheet, 0, row * rowHeight, sheet.width, rowHeight, background);
        for (int i = 0; i < count; ++i) {
            const Canvas& image = images[i];
            const int left = kGap + i * (cellWidth + kGap);
            const int top = row * rowHeight + kGap;
            for (int y = 0; y < image.height * scale; ++y)
                for (int x = 0; x < image.width * scale; ++x) {
                    const std::uint8_t* s = image.pixel(x / scale, y / scale);
                    std::uint8_t* d = sheet.pixel(left + x, top + y);
                    d[0] = over(s[0], s[3], background.r);
                    d[1] = over(s[1], s[3], background.g);
                    d[2] = over(s[2], s[3], background.b);
                }
        }
    }
    return sheet;
}

} // namespace crosshair
