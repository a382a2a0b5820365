// What a game screen shows at one instant, in whole pixels, for a front end to paint: the
// background, then one entry per item of the screen's stacking, bottom up, each where the motion
// between ticks puts it. The rounding and what draws nothing are decided here, once.
#pragma once

#include <cstddef>
#include <vector>

#include "playfield/gamescreen.h"
#include "playfield/motion.h"

namespace sky {

struct DrawEntry {
    DrawItem::Kind kind = DrawItem::SpriteItem;
    std::size_t index = 0;             // in the screen's sprites, labels, shapes or lines
    bool drawn = false;                // false: nothing to paint (hidden, no picture, no size, no caption)
    const Picture* picture = nullptr;  // a sprite's
    // A sprite: its top-left in a and b unused. A shape or label: top-left a, width and height b.
    // A line: its ends a and b.
    int ax = 0, ay = 0, bx = 0, by = 0;
};

struct DrawList {
    const Picture* background = nullptr;  // drawn unscaled from the top-left, when it has pixels
    std::vector<DrawEntry> entries;
};

// A fractional position on the playfield, rounded to a whole pixel for drawing.
int drawPixel(double v);

// The list for the screen as it stands, with the motion's places when given (else where each
// element stands). Reuses the list's storage.
void buildDrawList(DrawList& out, const GameScreen& screen, const SceneMotion* motion);

// A screen drawn with the motion between its ticks: takes in what the last handlers did, sets
// the instant, and gives the list.
class SceneView {
public:
    explicit SceneView(SceneMotion::Mode mode = SceneMotion::Mode::Interpolate) : motion_(mode) {}
    const DrawList& at(const GameScreen& screen, Micros lastTick, Micros now);
    const SceneMotion& motion() const { return motion_; }

private:
    SceneMotion motion_;
    DrawList list_;
};

}  // namespace sky
