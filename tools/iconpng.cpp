// The desktop icon: one of the game's icon pictures written as an RGBA PNG, scaled up by whole
// pixels so the pixel art stays crisp.
//
//   iconpng OUT.png SIZE [NAME]
//
// NAME defaults to ioblak, the cloud the game's windows carry. SIZE must be a whole multiple of
// the picture's own size. No compression library is needed to build the game: a row the same as
// the one above is filtered to zeros, any other to its differences from the pixel on its left, and
// the runs that leave are written as deflate's repeats with its fixed codes, which takes an icon
// of 512x512 from a megabyte to a few kilobytes.
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

// Deflate's bits, first bit lowest.
struct Bits {
    Bytes out;
    std::uint32_t acc = 0;
    int n = 0;
    void put(std::uint32_t v, int count) {
        for (int i = 0; i < count; ++i) {
            acc |= ((v >> i) & 1u) << n;
            if (++n == 8) out.push_back(static_cast<unsigned char>(acc)), acc = 0, n = 0;
        }
    }
    // A Huffman code goes out from its highest bit.
    void code(std::uint32_t c, int len) {
        for (int i = len - 1; i >= 0; --i) put(c >> i, 1);
    }
    void flush() {
        if (n > 0) out.push_back(static_cast<unsigned char>(acc)), acc = 0, n = 0;
    }
};

// A literal byte or the end (256) in the fixed codes.
void literal(Bits& b, int v) {
    if (v < 144)
        b.code(0x30 + v, 8);
    else if (v < 256)
        b.code(0x190 + v - 144, 9);
    else if (v < 280)
        b.code(v - 256, 7);
    else
        b.code(0xC0 + v - 280, 8);
}

// The previous byte repeated len times (3..258): a length and the distance 1.
void repeat(Bits& b, int len) {
    static constexpr int kBase[] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                    31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
    int i = 28;
    while (kBase[i] > len) --i;
    const int extra = i < 8 || i == 28 ? 0 : (i - 4) / 4;
    literal(b, 257 + i);
    b.put(static_cast<std::uint32_t>(len - kBase[i]), extra);
    b.code(0, 5);  // distance code 0: one byte back
}

// A zlib stream of one deflate block in the fixed codes, runs of a byte written as repeats.
Bytes zlibRuns(const Bytes& raw) {
    Bits b;
    b.out = {0x78, 0x01};
    b.put(1, 1);  // the last block
    b.put(1, 2);  // fixed codes
    for (std::size_t i = 0; i < raw.size();) {
        std::size_t run = 0;
        if (i > 0)
            while (i + run < raw.size() && run < 258 && raw[i + run] == raw[i - 1]) ++run;
        if (run >= 3) {
            repeat(b, static_cast<int>(run));
            i += run;
        } else {
            literal(b, raw[i++]);
        }
    }
    literal(b, 256);
    b.flush();
    put32(b.out, adler32(raw));
    return b.out;
}

Bytes encodePng(const sky::Image& img, int scale) {
    const int w = img.width * scale, h = img.height * scale;
    Bytes raw;
    raw.reserve(static_cast<std::size_t>(h) * (1 + 4 * w));
    Bytes row, above;
    for (int y = 0; y < h; ++y) {
        row.clear();
        for (int x = 0; x < w; ++x) {
            const sky::Argb c = img.at(x / scale, y / scale);
            row.push_back(static_cast<unsigned char>(c >> 16));
            row.push_back(static_cast<unsigned char>(c >> 8));
            row.push_back(static_cast<unsigned char>(c));
            row.push_back(static_cast<unsigned char>(c >> 24));
        }
        if (row == above) {
            raw.push_back(2);  // filter Up: all zeros
            raw.insert(raw.end(), row.size(), 0);
        } else {
            raw.push_back(1);  // filter Sub: each byte less the same byte of the pixel on its left
            for (std::size_t i = 0; i < row.size(); ++i)
                raw.push_back(static_cast<unsigned char>(row[i] - (i >= 4 ? row[i - 4] : 0)));
        }
        above.swap(row);
    }
    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes ihdr;
    put32(ihdr, static_cast<std::uint32_t>(w));
    put32(ihdr, static_cast<std::uint32_t>(h));
    ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, adaptive filters, no interlace
    chunk(png, "IHDR", ihdr);
    chunk(png, "IDAT", zlibRuns(raw));
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
