// crosshair-gen OUTDIR          writes OUTDIR/1.png ... 5.png and OUTDIR/crosshair.ico
// crosshair-gen --sheet OUT.png writes the documentation picture of all five crosshairs
#include "ico_writer.h"
#include "images.h"
#include "png_writer.h"
#include "sheet.h"

#include <cstdio>
#include <exception>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kSheetScale = 4;

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

std::vector<crosshair::Canvas> renderCrosshairs() {
    std::vector<crosshair::Canvas> images;
    for (int style = 1; style <= crosshair::kCrosshairCount; ++style)
        images.push_back(crosshair::render(crosshair::crosshairPicture(style)));
    return images;
}

int usage() {
    std::fputs("usage: crosshair-gen OUTDIR\n"
               "       crosshair-gen --sheet OUT.png\n",
               stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    try {
        const std::vector<std::string> args(argv + 1, argv + argc);
        if (args.size() == 2 && args[0] == "--sheet") {
            writeFile(args[1], crosshair::encodePng(
                                   crosshair::contactSheet(renderCrosshairs(), kSheetScale)));
            return 0;
        }
        if (args.size() != 1 || args[0].empty() || args[0][0] == '-')
            return usage();
        const std::string dir = args[0] + "/";
        const std::vector<crosshair::Canvas> images = renderCrosshairs();
        for (std::size_t i = 0; i < images.size(); ++i)
            writeFile(dir + std::to_string(i + 1) + ".png", crosshair::encodePng(images[i]));
        writeFile(dir + "crosshair.ico",
                  crosshair::encodeIco(crosshair::render(crosshair::iconPicture())));
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "crosshair-gen: %s\n", e.what());
        return 1;
    }
}
