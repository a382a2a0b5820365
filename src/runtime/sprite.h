// Scene elements of a window: sprites, text labels, filled shapes and lines, as plain data.
#pragma once

#include <cstring>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/picture.h"

namespace sky {

using Rgb = std::uint32_t;  // 0xRRGGBB

// A word the rules leave on a sprite. Scenarios read and write it as text; the rules compare it
// every tick, so a word of up to 7 bytes is also kept as one number and compared in one step.
class TagText {
public:
    TagText& operator=(std::string_view text) {
        text_.assign(text);
        key_ = key(text);
        return *this;
    }
    const std::string& text() const { return text_; }
    bool operator==(std::string_view text) const { return key_ == key(text) && (text.size() <= 7 || text_ == text); }

private:
    std::string text_;
    std::uint64_t key_ = key({});
    static constexpr std::uint64_t key(std::string_view t) {
        if (t.size() > 7) return ~std::uint64_t{0};
        std::uint64_t k = t.size();
        for (char c : t) k = (k << 8) ^ static_cast<unsigned char>(c);
        return k;
    }
};

// A named, positioned picture. Its size always follows the picture it is given.
struct Sprite {
    std::string name;
    double Left = 0;
    double Top = 0;
    int Width = 0;
    int Height = 0;
    bool Visible = true;
    PictureRef Picture;
    TagText Tag;

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

    // Shows a number through `format`, formatting it only when it differs from the number the
    // caption was last made from here (or the caption was written otherwise since).
    void showNumber(double v, std::string (*format)(double)) {
        std::uint64_t bits;  // the number's bits; the browser build's C++ library has no bit_cast
        std::memcpy(&bits, &v, sizeof bits);
        if (shownFrom_ && *shownFrom_ == bits && Caption == shownText_) return;
        Caption = format(v);
        shownText_ = Caption;
        shownFrom_ = bits;
    }

private:
    std::optional<std::uint64_t> shownFrom_;
    std::string shownText_;
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
