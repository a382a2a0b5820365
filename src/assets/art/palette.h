// The one palette every picture is drawn from. Sprites may not use true white (W) where a pixel
// should show: white is see-through for them; F0F0F0 (5) is the visible "white".
#pragma once

#include "assets/pixelart.h"

namespace sky::assets::art {

inline constexpr Ink kInks[] = {
    // outline and cool greys
    {'k', 0xFF1A1C2C},
    {'1', 0xFF333C57},
    {'2', 0xFF566C86},
    {'3', 0xFF94B0C2},
    {'4', 0xFFC4D4DE},
    {'5', 0xFFF0F0F0},
    {'W', 0xFFFFFFFF},
    // greens and teals
    {'q', 0xFF1B3A2A},
    {'g', 0xFF257D3E},
    {'G', 0xFF38B764},
    {'h', 0xFFA7F070},
    {'t', 0xFF257179},
    {'T', 0xFF3CA0A0},
    // earth and sand
    {'b', 0xFF4A2A1A},
    {'B', 0xFF7A4A2A},
    {'n', 0xFFB07040},
    {'N', 0xFFE0B080},
    {'z', 0xFFF4E2B8},
    // fire: dark red to pale yellow
    {'r', 0xFF7A1A2A},
    {'R', 0xFFC83030},
    {'o', 0xFFEF7D57},
    {'y', 0xFFFFCD75},
    {'Y', 0xFFFFF4A0},
    {'Q', 0xFFFFE040},
    {'d', 0xFFD89A20},
    // blues
    {'u', 0xFF29366F},
    {'U', 0xFF3B5DC9},
    {'c', 0xFF41A6F6},
    {'C', 0xFFA8E8F8},
    // the Dravik's olive, skin, mauve and pink
    {'a', 0xFF4F5B3A},
    {'A', 0xFF6F7F50},
    {'e', 0xFF9AA873},
    {'s', 0xFFF2C9A0},
    {'p', 0xFF8E4A8E},
    {'P', 0xFFE89AAA},
    // lighthouse lamp (m1's pale green; m2 swaps it for pale red)
    {'L', 0xFFC8F5C8},
};

inline constexpr Argb kLampRed = 0xFFF5C0C0;

}  // namespace sky::assets::art
