// Pictures: immutable pixel images shared by reference; identity is what the game compares.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace sky {

// 0xAARRGGBB, straight alpha.
using Argb = std::uint32_t;

struct Image {
    int width = 0;
    int height = 0;
    std::vector<Argb> pixels;  // row-major, width * height
    Argb at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// A picture object. Two sprites "show the same picture" only when they hold the same Picture
// object; pixel equality never counts (the marker vletisko looks like hn but is not hn).
struct Picture {
    std::string owner;  // the sprite that holds it at design time ("hn", "vletisko", ...)
    std::shared_ptr<const Image> image;
    // White (FFFFFF) is see-through for sprite pictures; the icon keeps its own mask instead.
    bool whiteIsTransparent = true;
    int width() const { return image ? image->width : 0; }
    int height() const { return image ? image->height : 0; }
};

using PictureRef = std::shared_ptr<const Picture>;

inline PictureRef makePicture(std::string owner, std::shared_ptr<const Image> image, bool whiteIsTransparent = true) {
    return std::make_shared<const Picture>(Picture{std::move(owner), std::move(image), whiteIsTransparent});
}

}  // namespace sky
