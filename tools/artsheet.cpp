// Contact sheet of the game's pictures, to look at them all at once.
//
//   artsheet OUT.ppm [SCALE] [NAME...]
//
// Writes a binary PPM: every picture (or only the named ones) scaled SCALE times (default 3),
// in the order of sky::assets::names(), laid out left to right in rows no wider than 2100
// pixels, each on a grey mat. See-through white of sprites and clear icon pixels show as a
// light checkerboard so the silhouettes stand out. No labels: the order is the list above.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "assets/pictures.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUT.ppm [SCALE] [NAME...]\n", argv[0]);
        return 2;
    }
    int scale = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    std::vector<std::string_view> wanted;
    for (int i = 3; i < argc; ++i) wanted.emplace_back(argv[i]);
    if (wanted.empty()) wanted = sky::assets::names();

    struct Placed {
        std::string_view name;
        int x, y;
    };
    const int maxWidth = 2100, gap = 8;
    std::vector<Placed> placed;
    int x = gap, y = gap, rowHeight = 0, sheetWidth = 0;
    for (std::string_view name : wanted) {
        auto img = sky::assets::image(name);
        if (!img) {
            std::fprintf(stderr, "unknown picture %.*s\n", static_cast<int>(name.size()), name.data());
            return 1;
        }
        int w = img->width * scale, h = img->height * scale;
        if (x > gap && x + w + gap > maxWidth) {
            x = gap;
            y += rowHeight + gap;
            rowHeight = 0;
        }
        placed.push_back({name, x, y});
        x += w + gap;
        rowHeight = std::max(rowHeight, h);
        sheetWidth = std::max(sheetWidth, x);
    }
    const int sheetHeight = y + rowHeight + gap;
    std::vector<unsigned char> rgb(static_cast<std::size_t>(sheetWidth) * sheetHeight * 3, 96);
    for (const Placed& p : placed) {
        auto img = sky::assets::image(p.name);
        bool icon = sky::assets::isIcon(p.name);
        for (int py = 0; py < img->height * scale; ++py)
            for (int px = 0; px < img->width * scale; ++px) {
                sky::Argb c = img->at(px / scale, py / scale);
                bool clear = icon ? (c >> 24) == 0 : (c & 0xFFFFFF) == 0xFFFFFF;
                if (clear) c = ((px / 6 + py / 6) % 2) ? 0xFFE4E4E4 : 0xFFD0D0D0;
                std::size_t at = (static_cast<std::size_t>(p.y + py) * sheetWidth + p.x + px) * 3;
                rgb[at] = static_cast<unsigned char>(c >> 16);
                rgb[at + 1] = static_cast<unsigned char>(c >> 8);
                rgb[at + 2] = static_cast<unsigned char>(c);
            }
    }
    std::ofstream out(argv[1], std::ios::binary);
    out << "P6\n" << sheetWidth << ' ' << sheetHeight << "\n255\n";
    out.write(reinterpret_cast<const char*>(rgb.data()), static_cast<std::streamsize>(rgb.size()));
    return out ? 0 : 1;
}
