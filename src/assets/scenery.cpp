// The two sceneries, drawn by code in the sprites' palette. Objects stand with their feet on
// y 394; the dashboard covers x 216..441 from y 400 down, so the ground below stays calm.
#include <cmath>

#include "assets/paintkit.h"

namespace sky::assets {

namespace {

constexpr int kGround = 394;  // where houses, trees and the airfield stand

double ridge(int x, double base, double a, double b, double c, double phase) {
    return base + a * std::sin(x * 0.011 + phase) + b * std::sin(x * 0.029 + phase * 2.1) +
           c * std::sin(x * 0.071 + phase * 3.7);
}

// Earth under the surface line: a grass cap with a ragged lower edge, then soil or sand.
void underground(Canvas& c, int top, Argb capLight, Argb cap, Argb capDark, Argb soil, Argb soilLight, Argb soilDark,
                 std::uint32_t seed) {
    const int w = c.image.width, h = c.image.height;
    for (int x = 0; x < w; ++x) {
        int capDepth = 6 + static_cast<int>(hash01(x / 3, 0, seed) * 3);
        for (int y = top; y < h; ++y) {
            int d = y - top;
            Argb col;
            if (d == 0) {
                col = hash01(x, y, seed + 1) < 0.3 ? cap : capLight;
            } else if (d < capDepth) {
                col = d == capDepth - 1 ? capDark : (hash01(x, y, seed + 2) < 0.15 ? capLight : cap);
            } else {
                // soil darkening gently with depth, a few pebbles and roots
                const Argb layers[] = {soilLight, soil, soil, soil};
                col = banded(layers, (d - capDepth) / 14.0, x, y, 0.6);
                if (d > capDepth + 18 && noise(x, y, 30, seed + 3) < 0.25 && bayer(x, y) < 0.25) col = soilDark;
                if (hash01(x / 2, y / 2, seed + 6) < 0.006) col = (x + y) % 2 ? soilLight : soilDark;
            }
            c.set(x, y, col);
        }
        // blades of grass poking up from the cap
        if (hash01(x, 1, seed + 7) < 0.22) c.set(x, top - 1, capLight);
        if (hash01(x, 2, seed + 7) < 0.06) {
            c.set(x, top - 1, cap);
            c.set(x, top - 2, cap);
        }
    }
}

}  // namespace

Image drawCountryside() {
    const int w = 671, h = 521;
    Canvas c(w, h, ink('c'));
    // sky: deep blue on top, pale at the horizon
    const Argb sky[] = {0xFF2F62B8, 0xFF3B75CC, 0xFF4C8ADB, 0xFF5E9FE6, 0xFF74B3EE, 0xFF8EC6F2, 0xFFA8D8F6, 0xFFC4E6F8};
    for (int y = 0; y < 362; ++y)
        for (int x = 0; x < w; ++x) c.set(x, y, banded(sky, y / 330.0, x, y));
    // the sun with a soft halo
    const int sx = 560, sy = 78;
    for (int y = sy - 40; y <= sy + 40; ++y)
        for (int x = sx - 40; x <= sx + 40; ++x) {
            double d = std::hypot(x - sx, y - sy);
            if (d < 17)
                c.set(x, y, d < 13 ? ink('Y') : ink('Q'));
            else if (d < 27 && bayer(x, y) < (27 - d) / 14)
                c.set(x, y, 0xFFD8EEF6);
        }
    // far hills, hazy
    for (int x = 0; x < w; ++x) {
        int top = static_cast<int>(ridge(x, 318, 12, 7, 2.5, 1.0));
        for (int y = top; y < 360; ++y) c.set(x, y, y == top ? 0xFFB4DCC4 : 0xFF8FC4A8);
    }
    // nearer hills
    for (int x = 0; x < w; ++x) {
        int top = static_cast<int>(ridge(x, 338, 8, 6, 2, 4.0));
        for (int y = top; y < 362; ++y) c.set(x, y, y == top ? 0xFF8ACB78 : 0xFF5FAE62);
    }
    // copses on the nearer hills: round crowns, lit from the upper left
    for (int k = 0; k < 40; ++k) {
        if (noise(k * 17, 0, 90, 11) < 0.45) continue;
        int cx = static_cast<int>(k * 17 + hash01(k, 1, 12) * 12);
        int r = 3 + static_cast<int>(hash01(k, 2, 12) * 3);
        int cy = static_cast<int>(ridge(cx, 338, 8, 6, 2, 4.0)) + 1;
        for (int y = cy - r; y <= cy + r; ++y)
            for (int x = cx - r; x <= cx + r; ++x) {
                double d = std::hypot(x - cx, y - cy);
                if (d > r + 0.3) continue;
                bool lit = (x - cx) + (y - cy) < -r * 0.6;
                c.set(x, y, d > r - 0.9 ? ink('q') : (lit ? ink('G') : ink('g')));
            }
    }
    // the meadow: fields in strips, receding toward the hills, hedges between them
    const int strips[] = {352, 357, 364, 373, 384, kGround};
    const Argb fields[] = {0xFF7CC46A, 0xFF92D070, 0xFF6DBA5E, 0xFF9CD674, 0xFF84C866};
    for (int i = 0; i < 5; ++i)
        for (int y = strips[i]; y < strips[i + 1]; ++y)
            for (int x = 0; x < w; ++x) {
                Argb col = fields[i];
                if (i % 2 == 1 && ((x + y * 2) / 3) % 7 == 0) col = 0xFF86C468;  // furrows
                if (y == strips[i]) col = hash01(x / 2, y, 21) < 0.7 ? ink('g') : 0xFF4E9A50;
                c.set(x, y, col);
            }
    underground(c, kGround, ink('h'), ink('G'), ink('g'), ink('B'), ink('n'), ink('b'), 31);
    return c.take();
}

Image drawCoast() {
    const int w = 672, h = 534;
    Canvas c(w, h, ink('u'));
    // dusk: violet overhead, glowing orange at the sea's rim
    const Argb sky[] = {0xFF2B1E4A, 0xFF3E2560, 0xFF5D2F6E, 0xFF7E3C78, 0xFFA84C7A,
                        0xFFD0607A, 0xFFEF7D57, 0xFFF8A860, 0xFFFFCD75};
    const int horizon = 306;
    for (int y = 0; y < horizon; ++y)
        for (int x = 0; x < w; ++x) c.set(x, y, banded(sky, y / static_cast<double>(horizon), x, y));
    // a few long evening clouds
    for (int k = 0; k < 5; ++k) {
        int cy = 70 + k * 42, cx = static_cast<int>(hash01(k, 0, 41) * w), len = 90 + k * 25;
        for (int x = cx - len; x < cx + len; ++x)
            for (int y = cy; y < cy + 4 + k % 3; ++y) {
                double fade = 1 - std::abs(x - cx) / static_cast<double>(len);
                double thick = fade * 1.6 - std::abs(y - cy - 2) * 0.25;
                if (bayer(x, y) < thick) c.set(((x % w) + w) % w, y, y <= cy + 1 ? 0xFFE88A8A : 0xFF7A3A6E);
            }
    }
    // the setting sun, half sunk
    const int sx = 470;
    for (int y = horizon - 40; y < horizon; ++y)
        for (int x = sx - 40; x <= sx + 40; ++x) {
            double d = std::hypot(x - sx, y - horizon);
            if (d < 26) c.set(x, y, d < 22 ? ink('Y') : ink('Q'));
        }
    // a headland far off on the left
    for (int x = 30; x < 230; ++x) {
        double s = std::sin((x - 30) / 200.0 * 3.14159);
        int top = horizon - static_cast<int>(s * 16 + std::sin(x * 0.13) * 2 * s);
        for (int y = top; y < horizon; ++y) c.set(x, y, y == top ? 0xFF6E3A70 : 0xFF452A5C);
    }
    // the sea, with glints and the sun's path on it
    const int beach = 370;
    const Argb sea[] = {0xFF5A3F86, 0xFF44408A, 0xFF353F86, 0xFF29366F};
    for (int y = horizon; y < beach; ++y)
        for (int x = 0; x < w; ++x) {
            double t = (y - horizon) / static_cast<double>(beach - horizon);
            Argb col = banded(sea, t, x, y);
            double wave = hash01(x / (4 + (y - horizon) / 8), y, 51);
            if (y % 3 == 0 && wave < 0.10) col = 0xFFB0607E;
            double path = std::abs(x - sx) / (24.0 + (y - horizon) * 0.8);
            if (path < 1 && y % 2 == 0 && hash01(x / 3, y, 52) > path * 0.8) col = y % 4 ? ink('y') : ink('Q');
            c.set(x, y, col);
        }
    // surf and beach: wet dark sand by the water, drying toward the land
    for (int x = 0; x < w; ++x) {
        int foam = beach + static_cast<int>(std::sin(x * 0.05) * 1.5 + 1.5);
        for (int y = beach; y < kGround; ++y) {
            Argb col;
            if (y < foam)
                col = ink('5');
            else if (y < foam + 1)
                col = ink('C');
            else if (y < beach + 8)
                col = hash01(x, y, 61) < 0.5 ? ink('n') : 0xFFC88A58;
            else if (y < beach + 15)
                col = ink('N');
            else
                col = hash01(x, y, 62) < 0.08 ? ink('N') : ink('z');
            c.set(x, y, col);
        }
    }
    // dune grass on the shore's crest, sand below
    underground(c, kGround, ink('G'), ink('g'), ink('q'), ink('N'), ink('z'), ink('n'), 71);
    return c.take();
}

}  // namespace sky::assets
