// The desktop icon: one of the game's icon pictures written as an RGBA PNG, scaled up by whole
// pixels so the pixel art stays crisp.
//
//   iconpng OUT.png SIZE [NAME]
//
// NAME defaults to ioblak, the cloud the game's windows carry. SIZE must be a whole multiple of
// the picture's own size. The PNG is uncompressed (zlib stored blocks): an icon of 256x256 is
// 256 KiB, and no compression library is needed to build the game.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "assets/pictures.h"

namespace {

using Bytes = std::vector<unsigned char>;

std::uint32_t crc32(const unsigned char* p, std::size_t n, std::uint32_t crc = 0) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (std::size_t i = 0; i < n; ++i) crc = table[(crc ^ p[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

std::uint32_t adler32(const Bytes& data) {
    std::uint32_t a = 1, b = 0;
    for (unsigned char c : data) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

void put32(Bytes& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<unsigned char>(v >> shift));
}

void chunk(Bytes& png, const char type[4], const Bytes& body) {
    put32(png, static_cast<std::uint32_t>(body.size()));
    const std::size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), body.begin(), body.end());
    put32(png, crc32(png.data() + start, png.size() - start));
}

// A zlib stream of stored (uncompressed) deflate blocks, at most 65535 bytes each.
Bytes zlibStored(const Bytes& raw) {
    Bytes z = {0x78, 0x01};
    std::size_t pos = 0;
    do {
        const std::size_t n = std::min<std::size_t>(65535, raw.size() - pos);
        z.push_back(pos + n == raw.size() ? 1 : 0);  // BFINAL on the last block, BTYPE 00
        z.push_back(static_cast<unsigned char>(n));
        z.push_back(static_cast<unsigned char>(n >> 8));
        z.push_back(static_cast<unsigned char>(~n));
        z.push_back(static_cast<unsigned char>(~n >> 8));
        z.insert(z.end(), raw.begin() + pos, raw.begin() + pos + n);
        pos += n;
    } while (pos < raw.size());
    put32(z, adler32(raw));
    return z;
}

Bytes encodePng(const sky::Image& img, int scale) {
    const int w = img.width * scale, h = img.height * scale;
    Bytes raw;
    raw.reserve(static_cast<std::size_t>(h) * (1 + 4 * w));
    for (int y = 0; y < h; ++y) {
        raw.push_back(0);  // filter: none
        for (int x = 0; x < w; ++x) {
            const sky::Argb c = img.at(x / scale, y / scale);
            raw.push_back(static_cast<unsigned char>(c >> 16));
            raw.push_back(static_cast<unsigned char>(c >> 8));
            raw.push_back(static_cast<unsigned char>(c));
            raw.push_back(static_cast<unsigned char>(c >> 24));
        }
    }
    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes ihdr;
    put32(ihdr, static_cast<std::uint32_t>(w));
    put32(ihdr, static_cast<std::uint32_t>(h));
    ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, adaptive filters, no interlace
    chunk(png, "IHDR", ihdr);
    chunk(png, "IDAT", zlibStored(raw));
    chunk(png, "IEND", {});
    return png;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUT.png SIZE [NAME]\n", argv[0]);
        return 2;
    }
    const std::string name = argc > 3 ? argv[3] : "ioblak";
    const int size = std::atoi(argv[2]);
    auto img = sky::assets::image(name);
    if (!img) {
        std::fprintf(stderr, "iconpng: unknown picture %s\n", name.c_str());
        return 1;
    }
    if (img->width != img->height || size <= 0 || size % img->width != 0) {
        std::fprintf(stderr, "iconpng: %s is %dx%d; SIZE must be a whole multiple of it\n", name.c_str(), img->width,
                     img->height);
        return 1;
    }
    const Bytes png = encodePng(*img, size / img->width);
    std::ofstream out(argv[1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    if (!out) {
        std::fprintf(stderr, "iconpng: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
