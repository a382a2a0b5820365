// The world scroll's steps both episodes build their scroll tick from: the scenery moves past the
// aircraft by the airspeed and comes back in at the right; the dashboard's altitude marker follows
// the aircraft.
#pragma once

#include <initializer_list>

#include "playfield/gamescreen.h"
#include "runtime/random.h"

namespace sky {

constexpr double kGone = -36;         // clouds, birds and stars: gone at Left <= -36
constexpr double kGroundGone = -100;  // houses and the tree
constexpr double kHouseW = 61;        // the width the spacing rules assume for a house

// Moves every sprite `by` to the left.
inline void shift(std::initializer_list<Sprite*> sprites, double by) {
    for (Sprite* s : sprites) s->Left -= by;
}

// Clouds, birds and stars that have left at the left come back in at the right.
inline void comeBack(std::initializer_list<Sprite*> sprites, const Placement& p, Random& rnd) {
    for (Sprite* s : sprites)
        if (s->Left <= kGone) placeTopThenLeft(*s, p, rnd);
}

// One spacing rule: when the returning sprite (of width `width`) touches `other` (taken as
// `otherW` wide), it moves `push` further right. Each rule reads the position the previous
// pushes left; none is tested again after a later push.
struct Spacing {
    const Sprite& other;
    double otherW;
    double push;
};

// Puts a sprite that left back in near the right, then spaced by the rules in turn.
void placeBack(Sprite& s, double width, std::initializer_list<Spacing> rules);

// A house that left comes back with a picture of `choices`, never the other house's (redrawn
// until it differs), then is spaced from what stands near its way back in.
void houseBack(Sprite& house, const Sprite& other, std::initializer_list<Sprite*> choices, Random& rnd,
               std::initializer_list<Spacing> rules);

// Explosions stay with the ground they happened over.
inline void carryExplosions(GameScreen& s) {
    for (int i = 0; i < s.explosionSlots(); ++i)
        if (s.vybuch(i).Visible) s.vybuch(i).Left -= s.speed;
}

// The dashboard's altitude marker: a tenth of the aircraft's height below the indicator's top.
inline void altitudeMarker(GameScreen& s) {
    const double h = s.dravik.Top / 10;
    s.Line4.Y1 = h + 420;
    s.Line4.Y2 = h + 420;
    s.Shape4.Top = h + 416;
}

}  // namespace sky
