// The two contact shapes of the collision ticks: the edge test and the box test.
#pragma once

#include "runtime/sprite.h"

namespace sky {

// The aircraft's box.
constexpr double kAircraftW = 84, kAircraftH = 33;
// A star's box, whichever twinkle frame it shows.
constexpr double kStarBox = 13;

// Box test: A (wA x hA) and B (wB x hB) overlap or touch.
inline bool boxTest(const Sprite& a, double wA, double hA, const Sprite& b, double wB, double hB) {
    return a.Left + wA >= b.Left && b.Left + wB >= a.Left && a.Top + hA >= b.Top && b.Top + hB >= a.Top;
}

// The four cases of the edge test between the aircraft D (84 x 33) and an object X (w x h).
// Each looks at one edge of the aircraft; together they are not a full overlap test, so an
// object lying wholly inside the aircraft's box, away from those edges, is not detected.
// Every case reads the positions afresh: call them one after the other, acting between them.
inline bool edgeT1(const Sprite& d, const Sprite& x, double w, double h) {  // the aircraft's top edge
    return x.Top <= d.Top && d.Top <= x.Top + h && d.Left + kAircraftW >= x.Left && x.Left + w >= d.Left;
}
inline bool edgeT2(const Sprite& d, const Sprite& x, double w, double h) {  // its bottom edge
    return x.Top <= d.Top + kAircraftH && d.Top + kAircraftH <= x.Top + h && x.Left <= d.Left && d.Left <= x.Left + w;
}
inline bool edgeT3(const Sprite& d, const Sprite& x, double w, double /*h*/) {  // its front edge
    return d.Top <= x.Top && x.Top <= d.Top + kAircraftH && x.Left <= d.Left + kAircraftW &&
           d.Left + kAircraftW <= x.Left + w;
}
inline bool edgeT4(const Sprite& d, const Sprite& x, double /*w*/, double /*h*/) {  // left edges level
    return d.Top <= x.Top && x.Top <= d.Top + kAircraftH && d.Left == x.Left;
}

// Runs the four cases in order; `effect` is called once for every case that holds, and may move
// the object before the next case looks at it. Stops early when `effect` returns false.
template <class Effect>
void edgeTest(const Sprite& d, const Sprite& x, double w, double h, Effect effect) {
    for (auto test : {edgeT1, edgeT2, edgeT3, edgeT4})
        if (test(d, x, w, h) && !effect()) return;
}

}  // namespace sky
