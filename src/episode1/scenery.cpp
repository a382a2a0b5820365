// Episode 1's scenery: the world scroll with its houses, tree, birds and airports, and the stars'
// twinkle.
#include "episode1/form1.h"
#include "flight/scroll.h"
#include "runtime/random.h"
#include "shell/program.h"

namespace sky {

namespace {
constexpr double kTreeW = 18;  // the tree's width for the spacing rules
constexpr double kAirportW = 115;
}  // namespace

void Form1::pohyb_Timer() {
    Random& rnd = program_.random();
    // 1. Everything moves by the airspeed; clouds drift 2 and birds fly 4 faster.
    shift({&o1, &o2, &o3, &o4, &o5}, speed + 2);
    shift({&v1, &v2}, speed + 4);
    shift({&bod1, &bod2, &bod3, &bod4, &bod5, &dom1, &dom2, &strom, &letisko, &vletisko}, speed);
    // 2-3. Houses come back apart from the airport, each other and the tree (the tree taken as
    //      13 wide here).
    houseBack(dom1, dom2, {&d1, &d2, &d3, &d4}, rnd,
              {{letisko, kAirportW, 300}, {dom2, kHouseW, 300}, {strom, 13, 50}});
    houseBack(dom2, dom1, {&d1, &d2, &d3, &d4}, rnd,
              {{letisko, kAirportW, 300}, {dom1, kHouseW, 300}, {strom, 13, 50}});
    // 4. The tree, any of three pictures, kept off the airport and the houses.
    if (strom.Left <= kGroundGone) {
        Sprite* trees[] = {&s1, &s2, &s3};
        strom.setPicture(trees[rnd.range(3, 0)]->Picture);
        placeBack(strom, kTreeW, {{letisko, kAirportW, 400}, {dom1, kHouseW, 400}, {dom2, kHouseW, 400}});
    }
    // 5. The airport, once passed, waits at the marker of the next one.
    if (letisko.Left <= -300) letisko.Left = vletisko.Left;
    // 6-8. Clouds, birds, stars: top drawn first, then left.
    comeBack({&o1, &o2, &o3, &o4, &o5}, kCloudBack, rnd);
    comeBack({&v1, &v2}, kBirdBack, rnd);
    comeBack({&bod1, &bod2, &bod3, &bod4, &bod5}, kStarBack, rnd);
    // 9-10. Explosions move with the ground; the altitude marker follows the aircraft.
    carryExplosions(*this);
    altitudeMarker(*this);
}

void Form1::Timer7_Timer() {
    // Each star flips on its own and so keeps its phase.
    for (Sprite* s : {&bod1, &bod2, &bod3, &bod4, &bod5}) flip(*s, b1, b2);
}

}  // namespace sky
