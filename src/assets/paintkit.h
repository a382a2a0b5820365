// Small tools for the pictures drawn by code: a canvas, deterministic noise, ordered dither,
// banded gradients and the pixel lettering.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "runtime/picture.h"

namespace sky::assets {

// Ink of the shared palette by its key (see art/palette.h).
Argb ink(char key);

struct Canvas {
    Image image;
    Canvas(int width, int height, Argb fill);
    void set(int x, int y, Argb argb);
    Argb get(int x, int y) const;
    void rect(int x0, int y0, int x1, int y1, Argb argb);  // inclusive corners, clipped
    Image take() { return std::move(image); }
};

// Hash of a lattice point, uniform in [0, 1).
double hash01(int x, int y, std::uint32_t seed);
// Smooth value noise in [0, 1) with features about `scale` pixels apart.
double noise(double x, double y, double scale, std::uint32_t seed);
// 4x4 ordered-dither threshold in (0, 1).
double bayer(int x, int y);

// A gradient quantised into flat bands, one per stop, blended by dither only along the last
// `edge` fraction of each band so the bands stay crisp. t runs 0..1 over the stops.
Argb banded(std::span<const Argb> stops, double t, int x, int y, double edge = 0.35);

// Writes text in the pixel font scaled by `scale`, top-left at (x, y): ink fades from `top`
// to `bottom` down the letters, with a one-pixel `outline` and a `shadow` one step lower right.
void letter(Canvas& canvas, std::string_view text, int x, int y, int scale, Argb top, Argb bottom, Argb outline,
            Argb shadow);
int textWidth(std::string_view text, int scale);

Image drawCountryside();  // bg1
Image drawCoast();        // bg2
Image drawBanner();
Image drawWebButton();
Image drawRulesPaper();

}  // namespace sky::assets
