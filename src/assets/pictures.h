// The game's artwork: every picture by its design name, drawn from text pixel art kept in this folder.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "runtime/picture.h"

namespace sky::assets {

// The image of a design picture, or nullptr for an unknown name. Images are made once and shared.
//
// Game screens (sprites; white FFFFFF is see-through):
//   hn hh1 hh2 hh3 hd1 hd2 hd3   84x33  the Dravik jump-jet: level, nose up 1-3, nose down 1-3
//   l1 l2                       115x45  the airport, beacon lit / dark
//   d1 d2 d3 d4 d5 d6            61x29  houses (episode 1 uses d1-d4, episode 2 d4-d6)
//   s1 s2 s3                     18x28  trees
//   v                            16x10  a bird
//   b1 / b2                      13x13 / 13x14  star twinkle frames
//   bomba                        27x10  grey bomb (episode 1)
//   raketa                       27x10  red missile (episode 2, the player's)
//   raketa2                      27x10  the F16's missile
//   vy1 ... vy6                  46x46  explosion frames, growing then fading
//   m1 m2                        12x21  lighthouse, lamp pale green / pale red, figure at its foot
//   f16                          78x27  the enemy fighter, flying left
//   bg1                         671x521 episode 1 scenery (opaque)
//   bg2                         672x534 episode 2 scenery (opaque)
// Icons (32x32 with their own mask: fully transparent pixels have alpha 0, white is white):
//   ioblak                       32x32  the cloud (window icon, cloud sprites)
//   cloud2 cloud3                32x32  the menu's other two cloud designs
//   emblem                       32x32  the about screen's emblem
// Shell pictures (opaque):
//   banner                      233x34  the title banner "Skyrend"
//   webbutton                    88x31  the maker's web button
//   rules                       519x421 the rules screen background
std::shared_ptr<const Image> image(std::string_view name);

// Every name image() knows, for tests and tools.
const std::vector<std::string_view>& names();

// Whether the picture of this name is an icon with its own mask (white stays white).
bool isIcon(std::string_view name);

}  // namespace sky::assets
