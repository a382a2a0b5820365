// Episode 2's scenery: the world scroll with its houses, lighthouse and the F16, the stars'
// twinkle and the lighthouse lamp.
#include "episode2/form2.h"
#include "flight/scroll.h"
#include "runtime/random.h"
#include "shell/program.h"

namespace sky {

namespace {
constexpr Placement kStar2Back{300, 10, 300, 624};  // where the stars come back in
constexpr double kLighthouseGone = -50;             // a lighthouse this far left has been passed
constexpr double kF16Gone = -150;
constexpr double kEnemyMissileGone = -30;
}  // namespace

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
        endRun(Ending::Lost, Freeze::No, text(TextId::Ep2Missed), text(TextId::LossTitle));
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

void Form2::Timer4_Timer() {
    for (Sprite* s : {&bod1, &bod2, &bod3}) flip(*s, b1, b2);
}

void Form2::Timer2_Timer() {
    flip(majak, m1, m2);  // the lamp blinks green and red
}

}  // namespace sky
