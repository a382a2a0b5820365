// Painting text pixel art with a palette into images.
#include "assets/pixelart.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace sky::assets {

namespace {

std::size_t slot(char key) {
    return static_cast<unsigned char>(key) & 0x7F;
}

}  // namespace

Palette::Palette(std::span<const Ink> inks) {
    for (const Ink& ink : inks) {
        argb_[slot(ink.key)] = ink.argb;
        has_[slot(ink.key)] = true;
    }
}

Palette Palette::with(std::initializer_list<Ink> inks) const {
    Palette copy = *this;
    for (const Ink& ink : inks) {
        copy.argb_[slot(ink.key)] = ink.argb;
        copy.has_[slot(ink.key)] = true;
    }
    return copy;
}

bool Palette::has(char key) const {
    return static_cast<unsigned char>(key) < 128 && has_[slot(key)];
}

Argb Palette::operator[](char key) const {
    return argb_[slot(key)];
}

Image paint(std::string_view art, const Palette& palette, Argb background, std::string_view what) {
    auto fail = [&](const std::string& why) {
        throw std::invalid_argument("picture " + std::string(what) + ": " + why);
    };
    if (!art.empty() && art.front() == '\n') art.remove_prefix(1);
    std::vector<std::string_view> rows;
    while (!art.empty()) {
        std::size_t end = art.find('\n');
        rows.push_back(art.substr(0, end));
        art.remove_prefix(end == std::string_view::npos ? art.size() : end + 1);
    }
    if (rows.empty() || rows.front().empty()) fail("no rows");
    Image image;
    image.width = static_cast<int>(rows.front().size());
    image.height = static_cast<int>(rows.size());
    image.pixels.reserve(static_cast<std::size_t>(image.width) * image.height);
    for (std::size_t y = 0; y < rows.size(); ++y) {
        if (rows[y].size() != rows.front().size()) fail("row " + std::to_string(y) + " has a different length");
        for (char key : rows[y]) {
            if (key == '.') {
                image.pixels.push_back(background);
            } else if (palette.has(key)) {
                image.pixels.push_back(palette[key]);
            } else {
                fail(std::string("unknown ink '") + key + "' in row " + std::to_string(y));
            }
        }
    }
    return image;
}

}  // namespace sky::assets
