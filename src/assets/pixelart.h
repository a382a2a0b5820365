// Text pixel art: pictures written as rows of characters, one character per pixel, each
// character an ink of a palette.
#pragma once

#include <array>
#include <initializer_list>
#include <span>
#include <string_view>

#include "runtime/picture.h"

namespace sky::assets {

struct Ink {
    char key;
    Argb argb;
};

class Palette {
public:
    explicit Palette(std::span<const Ink> inks);
    // A copy with some inks replaced or added.
    Palette with(std::initializer_list<Ink> inks) const;
    bool has(char key) const;
    Argb operator[](char key) const;

private:
    std::array<Argb, 128> argb_{};
    std::array<bool, 128> has_{};
};

// Paints art into an image: "." becomes `background`, every other character its ink. The art
// starts with a newline (raw string style) and every row must be equally long; a ragged row or
// an unknown ink throws std::invalid_argument naming `what`.
Image paint(std::string_view art, const Palette& palette, Argb background, std::string_view what);

}  // namespace sky::assets
