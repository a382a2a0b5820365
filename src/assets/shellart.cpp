// Pictures of the menus and screens around the game: the title banner, the web button and the
// paper of the rules screen.
#include <cmath>

#include "assets/paintkit.h"

namespace sky::assets {

Image drawBanner() {
    const int w = 233, h = 34;
    Canvas c(w, h, ink('c'));
    const Argb sky[] = {0xFF3B75CC, 0xFF4C8ADB, 0xFF5E9FE6, 0xFF74B3EE, 0xFF8EC6F2};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) c.set(x, y, banded(sky, y / (h - 1.0), x, y, 0.5));
    // small clouds drifting behind the lettering
    auto puff = [&](int cx, int cy, int r) {
        for (int y = cy - r; y <= cy + r; ++y)
            for (int x = cx - 2 * r; x <= cx + 2 * r; ++x) {
                double d = std::hypot((x - cx) / 2.0, y - cy);
                if (d <= r) c.set(x, y, y > cy + r / 2 ? ink('4') : ink('5'));
            }
    };
    puff(22, 24, 4);
    puff(30, 21, 5);
    puff(205, 12, 4);
    puff(214, 15, 3);
    // twinkling stars
    for (auto [sx, sy] : {std::pair{12, 6}, {60, 27}, {176, 25}, {222, 28}, {190, 5}}) {
        c.set(sx, sy, ink('Y'));
        c.set(sx - 1, sy, ink('Q'));
        c.set(sx + 1, sy, ink('Q'));
        c.set(sx, sy - 1, ink('Q'));
        c.set(sx, sy + 1, ink('Q'));
    }
    const std::string_view title = "Skyrend";
    const int scale = 3;
    letter(c, title, (w - textWidth(title, scale)) / 2, 3, scale, ink('Y'), ink('d'), ink('k'), ink('u'));
    // a dark frame
    for (int x = 0; x < w; ++x) {
        c.set(x, 0, ink('u'));
        c.set(x, h - 1, ink('u'));
    }
    for (int y = 0; y < h; ++y) {
        c.set(0, y, ink('u'));
        c.set(w - 1, y, ink('u'));
    }
    return c.take();
}

Image drawWebButton() {
    const int w = 88, h = 31;
    Canvas c(w, h, ink('k'));
    const Argb face[] = {0xFF5E9FE6, ink('U'), 0xFF2F4FAE};
    for (int y = 1; y < h - 1; ++y)
        for (int x = 1; x < w - 1; ++x) c.set(x, y, banded(face, (y - 1) / (h - 3.0), x, y, 0.5));
    // bevel: light along the top and left, shadow along the bottom and right
    for (int x = 1; x < w - 1; ++x) {
        c.set(x, 1, ink('C'));
        c.set(x, 2, ink('c'));
        c.set(x, h - 2, ink('u'));
        c.set(x, h - 3, ink('1'));
    }
    for (int y = 1; y < h - 1; ++y) {
        c.set(1, y, ink('C'));
        c.set(w - 2, y, ink('u'));
    }
    c.set(w - 2, 1, ink('c'));
    // a little globe on the left
    const int gx = 16, gy = 15;
    for (int y = gy - 7; y <= gy + 7; ++y)
        for (int x = gx - 7; x <= gx + 7; ++x) {
            double d = std::hypot(x - gx, y - gy);
            if (d <= 6.5) {
                bool land = std::sin(x * 0.9) + std::cos(y * 0.8) > 0.6;
                Argb col = land ? ink('G') : ink('c');
                if (x == gx || y == gy || std::abs(d - 3.5) < 0.5) col = land ? ink('g') : ink('U');
                c.set(x, y, col);
            } else if (d <= 7.5) {
                c.set(x, y, ink('k'));
            }
        }
    c.set(gx - 3, gy - 4, ink('5'));
    c.set(gx - 4, gy - 3, ink('5'));
    letter(c, "WEB", 32, 6, 2, ink('Y'), ink('y'), ink('k'), ink('u'));
    return c.take();
}

Image drawRulesPaper() {
    const int w = 519, h = 421;
    Canvas c(w, h, 0xFFF4E8C8);
    const Argb paper[] = {0xFFEADBB4, 0xFFF0E2C0, 0xFFF4E8C8, 0xFFF7EDD2};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double n = noise(x, y, 48, 81) * 0.7 + noise(x, y, 9, 82) * 0.3;
            // a faint darkening toward the edges
            double ex = std::min(x, w - 1 - x) / 40.0, ey = std::min(y, h - 1 - y) / 40.0;
            double edge = std::min(1.0, std::min(ex, ey));
            c.set(x, y, banded(paper, 0.45 + (n - 0.5) * 0.5 - (1 - edge) * 0.35, x, y, 0.6));
        }
    // a double rule around the page
    for (int i : {5, 8}) {
        Argb col = i == 5 ? ink('n') : 0xFFD8B888;
        for (int x = i; x < w - i; ++x) {
            c.set(x, i, col);
            c.set(x, h - 1 - i, col);
        }
        for (int y = i; y < h - i; ++y) {
            c.set(i, y, col);
            c.set(w - 1 - i, y, col);
        }
    }
    return c.take();
}

}  // namespace sky::assets
