// The world scroll tick of both episodes: the scenery moves past the aircraft by the airspeed and
// comes back in at the right; the dashboard's altitude marker follows the aircraft.
#include <initializer_list>

#include "episode1/form1.h"
#include "episode2/form2.h"
#include "runtime/random.h"
#include "shell/program.h"

namespace sky {

namespace {

constexpr double kGone = -36;                       // clouds, birds and stars: gone at Left <= -36
constexpr Placement kStar2Back{300, 10, 300, 624};  // episode 2's stars
constexpr double kGroundGone = -100;                // houses and the tree
constexpr double kGroundBack = 700;                 // where they come back, before spacing
constexpr double kHouseW = 61, kTreeW = 18;         // the widths the spacing rules assume
constexpr double kAirportW = 115;
constexpr double kLighthouseGone = -50;  // a lighthouse this far left has been passed
constexpr double kF16Gone = -150;
constexpr double kEnemyMissileGone = -30;

void shift(std::initializer_list<Sprite*> sprites, double by) {
    for (Sprite* s : sprites) s->Left -= by;
}

// Clouds, birds and stars that have left at the left come back in at the right.
void comeBack(std::initializer_list<Sprite*> sprites, const Placement& p, Random& rnd) {
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

void placeBack(Sprite& s, double width, std::initializer_list<Spacing> rules) {
    s.Left = kGroundBack;
    for (const Spacing& r : rules)
        if (s.Left + width >= r.other.Left && r.other.Left + r.otherW >= s.Left) s.Left += r.push;
}

// A house that left comes back with a picture of `choices`, never the other house's (redrawn
// until it differs), then is spaced from what stands near 700.
void houseBack(Sprite& house, const Sprite& other, std::initializer_list<Sprite*> choices, Random& rnd,
               std::initializer_list<Spacing> rules) {
    if (house.Left > kGroundGone) return;
    const int n = static_cast<int>(choices.size());
    do house.setPicture(choices.begin()[rnd.range(n, 0)]->Picture);
    while (house.shows(other));
    placeBack(house, kHouseW, rules);
}

// Explosions stay with the ground they happened over.
void carryExplosions(GameScreen& s) {
    for (int i = 0; i < s.explosionSlots(); ++i)
        if (s.vybuch(i).Visible) s.vybuch(i).Left -= s.speed;
}

// The dashboard's altitude marker: a tenth of the aircraft's height below the indicator's top.
void altitudeMarker(GameScreen& s) {
    const double h = s.dravik.Top / 10;
    s.Line4.Y1 = h + 420;
    s.Line4.Y2 = h + 420;
    s.Shape4.Top = h + 416;
}

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

void Form2::pohyb_Timer() {
    Random& rnd = program_.random();
    // 1. Everything moves by the airspeed; clouds 2, the F16 4 and its missile 11 faster.
    shift({&o1, &o2, &o3, &o4, &o5, &o6, &o7}, speed + 2);
    shift({&dom1, &dom2, &majak}, speed);
    shift({&f16}, speed + 4);
    shift({&bod1, &bod2, &bod3}, speed);
    if (raketa2.Visible) raketa2.Left -= speed + 11;
    // 2. The enemy missile is gone once past -30 (hidden whether or not it was flying).
    if (raketa2.Left < kEnemyMissileGone) raketa2.Visible = false;
    // 3. Stars, in the order 1, 3, 2.
    comeBack({&bod1, &bod3, &bod2}, kStar2Back, rnd);
    // 4. The airport of the start scrolls away and then stays behind for good.
    if (letisko.Left > -300) shift({&letisko, &vletisko}, speed);
    // 5-6. Houses come back apart from the lighthouse and each other.
    houseBack(dom1, dom2, {&d4, &d5, &d6}, rnd, {{majak, kLighthouseW, 300}, {dom2, kHouseW, 300}});
    houseBack(dom2, dom1, {&d4, &d5, &d6}, rnd, {{majak, kLighthouseW, 300}, {dom1, kHouseW, 300}});
    // 7. A lighthouse left behind with its person still waiting loses the game; the run is not
    //    frozen, the world goes on under the box.
    if (majak.Left < kLighthouseGone) {
        endRun(Ending::Lost, Freeze::No, "Minul si jeden maják s človekom na záchranu! Bohužiaľ prehral si.", "Prehra");
        return;
    }
    // 8. The F16 comes round again far to the right.
    if (f16.Left < kF16Gone) placeF16Ahead();
    // 9. Clouds: top first, then left.
    comeBack({&o1, &o2, &o3, &o4, &o5, &o6, &o7}, kCloudBack, rnd);
    // 10-11. Explosions move with the ground; the altitude marker follows the aircraft.
    carryExplosions(*this);
    altitudeMarker(*this);
}

}  // namespace sky
