// The rules screen: the game's own help text, laid out over its background picture.
#pragma once

#include <vector>

#include "shell/infoscreen.h"

namespace sky {

// No behaviour beyond being shown and closed: the screen is its layout.
struct Pravidla {
    static constexpr TextId kCaption = TextId::RulesTitle;
    static constexpr int kClientWidth = 6630, kClientHeight = 5985;  // twips: 442 x 399 pixels
    // Drawn unscaled at the top-left; larger than the client area, so its right and bottom are cut.
    static constexpr const char* kBackground = "rules";

    static const std::vector<InfoLabel>& labels();
    static const std::vector<InfoLine>& lines();
};

}  // namespace sky
