// Random re-placement of a sprite within a range: the Top is drawn first, then the Left.
#pragma once

#include "runtime/random.h"
#include "runtime/sprite.h"

namespace sky {

// Where a sprite is placed anew: Top = Int(Rnd * topSpan + topFrom), Left = Int(Rnd * leftSpan + leftFrom).
struct Placement {
    int topSpan, topFrom, leftSpan, leftFrom;
};

// Draws the new Top, then the new Left, and sets them in that order. The draws share the screen's
// one random sequence, so the order is part of the rule.
inline void placeTopThenLeft(Sprite& s, const Placement& p, Random& rnd) {
    const int top = rnd.range(p.topSpan, p.topFrom);
    const int left = rnd.range(p.leftSpan, p.leftFrom);
    s.Top = top;
    s.Left = left;
}

}  // namespace sky
