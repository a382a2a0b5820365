// The painting tools: canvas, noise, dither, gradients and lettering for the pictures drawn by code.
#include "assets/paintkit.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "assets/art/font.h"
#include "assets/art/palette.h"

namespace sky::assets {

Argb ink(char key) {
    static const Palette palette{art::kInks};
    return palette[key];
}

Canvas::Canvas(int width, int height, Argb fill) {
    image.width = width;
    image.height = height;
    image.pixels.assign(static_cast<std::size_t>(width) * height, fill);
}

void Canvas::set(int x, int y, Argb argb) {
    if (x < 0 || y < 0 || x >= image.width || y >= image.height) return;
    image.pixels[static_cast<std::size_t>(y) * image.width + x] = argb;
}

Argb Canvas::get(int x, int y) const {
    x = std::clamp(x, 0, image.width - 1);
    y = std::clamp(y, 0, image.height - 1);
    return image.at(x, y);
}

void Canvas::rect(int x0, int y0, int x1, int y1, Argb argb) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) set(x, y, argb);
}

double hash01(int x, int y, std::uint32_t seed) {
    std::uint32_t n =
        static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u + seed * 1442695041u;
    n = (n ^ (n >> 13)) * 1274126177u;
    n ^= n >> 16;
    return static_cast<double>(n & 0xFFFFFF) / 16777216.0;
}

double noise(double x, double y, double scale, std::uint32_t seed) {
    double fx = x / scale, fy = y / scale;
    int x0 = static_cast<int>(std::floor(fx)), y0 = static_cast<int>(std::floor(fy));
    double tx = fx - x0, ty = fy - y0;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    double a = hash01(x0, y0, seed), b = hash01(x0 + 1, y0, seed);
    double c = hash01(x0, y0 + 1, seed), d = hash01(x0 + 1, y0 + 1, seed);
    return (a * (1 - tx) + b * tx) * (1 - ty) + (c * (1 - tx) + d * tx) * ty;
}

double bayer(int x, int y) {
    static constexpr int kMatrix[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return (kMatrix[y & 3][x & 3] + 0.5) / 16.0;
}

Argb banded(std::span<const Argb> stops, double t, int x, int y, double edge) {
    const int last = static_cast<int>(stops.size()) - 1;
    double v = std::clamp(t, 0.0, 1.0) * last;
    int band = std::min(static_cast<int>(v), last);
    double frac = v - band;
    if (band < last && frac > 1 - edge && (frac - (1 - edge)) / edge > bayer(x, y)) ++band;
    return stops[static_cast<std::size_t>(band)];
}

namespace {

const art::Glyph* glyph(char c) {
    for (const art::Glyph& g : art::kFont)
        if (g.letter == c) return &g;
    return nullptr;
}

bool glyphInk(const art::Glyph& g, int col, int row) {
    // rows start after the leading newline, each kGlyphWidth + 1 long
    std::size_t at = 1 + static_cast<std::size_t>(row) * (art::kGlyphWidth + 1) + col;
    return at < g.rows.size() && g.rows[at] == '#';
}

constexpr int kSpacing = 1;  // in font pixels

}  // namespace

int textWidth(std::string_view text, int scale) {
    if (text.empty()) return 0;
    return static_cast<int>(text.size()) * (art::kGlyphWidth + kSpacing) * scale - kSpacing * scale;
}

void letter(Canvas& canvas, std::string_view text, int x, int y, int scale, Argb top, Argb bottom, Argb outline,
            Argb shadow) {
    const int w = textWidth(text, scale) + 4, h = art::kGlyphHeight * scale + 4;
    std::vector<char> mask(static_cast<std::size_t>(w) * h, 0);
    auto at = [&](int mx, int my) -> char& { return mask[static_cast<std::size_t>(my) * w + mx]; };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const art::Glyph* g = glyph(text[i]);
        if (!g) continue;
        int gx = static_cast<int>(i) * (art::kGlyphWidth + kSpacing) * scale;
        for (int row = 0; row < art::kGlyphHeight; ++row)
            for (int col = 0; col < art::kGlyphWidth; ++col)
                if (glyphInk(*g, col, row))
                    for (int dy = 0; dy < scale; ++dy)
                        for (int dx = 0; dx < scale; ++dx) at(2 + gx + col * scale + dx, 2 + row * scale + dy) = 1;
    }
    auto inked = [&](int mx, int my) { return mx >= 0 && my >= 0 && mx < w && my < h && at(mx, my) == 1; };
    const int capHeight = 7 * scale;
    for (int my = 0; my < h; ++my)
        for (int mx = 0; mx < w; ++mx) {
            int px = x + mx - 2, py = y + my - 2;
            if (inked(mx, my)) {
                double t = std::clamp((my - 2) / static_cast<double>(capHeight), 0.0, 1.0);
                Argb stops[] = {top, bottom};
                canvas.set(px, py, banded(stops, t, px, py, 0.5));
            } else if (inked(mx - 1, my) || inked(mx + 1, my) || inked(mx, my - 1) || inked(mx, my + 1) ||
                       inked(mx - 1, my - 1) || inked(mx + 1, my - 1) || inked(mx - 1, my + 1) ||
                       inked(mx + 1, my + 1)) {
                canvas.set(px, py, outline);
            } else if (inked(mx - 2, my - 2) || inked(mx - 1, my - 2) || inked(mx - 2, my - 1)) {
                canvas.set(px, py, shadow);
            }
        }
}

}  // namespace sky::assets
