// Scene elements of a window: sprites, text labels, filled shapes and lines, as plain data.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/picture.h"

namespace sky {

using Rgb = std::uint32_t;  // 0xRRGGBB

// A named, positioned picture. Its size always follows the picture it is given.
struct Sprite {
    std::string name;
    double Left = 0;
    double Top = 0;
    int Width = 0;
    int Height = 0;
    bool Visible = true;
    PictureRef Picture;
    std::string Tag;

    void setPicture(PictureRef p) {
        Picture = std::move(p);
        if (Picture) {
            Width = Picture->width();
            Height = Picture->height();
        }
    }
    // Same picture object as the other sprite holds (never a pixel comparison).
    bool shows(const Sprite& source) const { return Picture && Picture == source.Picture; }
    void move(double left, double top) {
        Left = left;
        Top = top;
    }
};

enum class Align { Left, Center, Right };

struct Label {
    std::string name;
    std::string Caption;
    double Left = 0, Top = 0, Width = 0, Height = 17;
    Rgb ForeColor = 0x000000;
    Align Alignment = Align::Left;
    double fontPt = 8.25;
    bool bold = false;
    bool Visible = true;
};

enum class ShapeKind { Rectangle, RoundedSquare };

struct Shape {
    std::string name;
    ShapeKind kind = ShapeKind::Rectangle;
    double Left = 0, Top = 0, Width = 0, Height = 0;
    bool filled = false;
    Rgb FillColor = 0x000000;
    bool bordered = true;
    Rgb BorderColor = 0x000000;
};

struct Line {
    std::string name;
    double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    Rgb BorderColor = 0x000000;
    int BorderWidth = 1;
    bool Visible = true;
};

}  // namespace sky
