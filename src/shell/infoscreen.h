// The design-time layout of the small information windows: labels, lines, pictures and buttons.
#pragma once

#include "runtime/sprite.h"
#include "runtime/text.h"

namespace sky {

// Positions are twips (15 to a pixel) from the top-left of the window's client area.
constexpr int kTwipsPerPixel = 15;

// The design fonts; the front end maps them to a face it has and shrinks one until its text fits.
struct InfoFont {
    double points;  // 8.25 or 15.75
    bool bold;
};
constexpr InfoFont kTextFont{8.25, false};
constexpr InfoFont kBoldFont{8.25, true};
constexpr InfoFont kHeadingFont{15.75, true};

// A transparent label; its text wraps at word boundaries inside the box.
struct InfoLabel {
    const char* name;
    TextId text;
    int left, top, width, height;
    InfoFont font;
    Rgb color;
};

// A straight line from (x1, y1) to (x2, y2).
struct InfoLine {
    const char* name;
    int x1, y1, x2, y2;
    Rgb color;
    int widthPixels;
};

// A picture by its design name, drawn at the top-left of its box (centred when smaller).
struct InfoPicture {
    const char* name;
    const char* picture;
    int left, top, width, height;
};

struct InfoButton {
    const char* name;
    TextId caption;
    int left, top, width, height;
};

}  // namespace sky
