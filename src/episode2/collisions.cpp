// Episode 2 collisions and scoring: the rescue, enemy hits, stars, the F16.
#include "episode2/form2.h"
#include "playfield/contact.h"
#include "runtime/numtext.h"
#include "shell/program.h"

namespace sky {

namespace {
// The missiles' box is as tall as it is long, so one passing just over the cockpit still hits.
constexpr double kMissileBox = 27;
// A collected star comes back ahead of the right edge.
constexpr Placement kStarCaught{310, 10, 200, 624};
}  // namespace

void Form2::kolizie_Timer() {
    if (!rescueStep()) return;
    if (!enemyMissileStep()) return;
    starsStep();
    if (!crashStep()) return;
    missilesOnF16Step();
}

bool Form2::enemyMissileStep() {
    if (!(boxTest(raketa2, kMissileBox, kMissileBox, dravik, kAircraftW, kAircraftH) && raketa2.Visible)) return true;
    fuel -= kHitFuel;
    damage += 1;
    Label8.Caption = numText(damage);
    cue(Cue::Hit);
    startExplosion(0, raketa2.Left - 23, raketa2.Top - 23);
    raketa2.Visible = false;
    maxSpeed -= kHitTopSpeed;
    speed = speed >= 3 ? speed - 3 : 0;
    if (damage > 2) {
        bringDown(/*noseDownOnGround=*/true);  // still in the air: it goes down
        endRun(Ending::Lost, Freeze::Yes, text(TextId::Ep2HitsLost, damage), text(TextId::LossTitle));
        return false;
    }
    return true;
}

void Form2::starsStep() {
    Random& rnd = program_.random();
    for (Sprite* star : {&bod1, &bod2, &bod3}) {
        edgeTest(dravik, *star, kStarBox, kStarBox, [&] {
            score += kStarScore;
            cue(Cue::StarCollected);
            // The later cases of the test look at the new place.
            placeTopThenLeft(*star, kStarCaught, rnd);
            return true;
        });
    }
}

bool Form2::crashStep() {
    bool crashed = false;
    edgeTest(dravik, f16, kF16W, kF16H, [&] {
        crashed = true;
        return false;
    });
    if (!crashed) return true;
    cue(Cue::Hit);
    damage = 3;
    Label8.Caption = numText(damage);
    // A crash brings the aircraft down wherever it is.
    climbRate = -4;
    dravik.setPicture(hd2.Picture);
    endRun(Ending::Lost, Freeze::Yes, text(TextId::Ep2Crash), text(TextId::LossTitle));
    return false;
}

void Form2::missilesOnF16Step() {
    for (int i = 0; i < 3; ++i) {
        Sprite& m = bomba(i);
        if (!(m.Visible && boxTest(m, kMissileBox, kMissileBox, f16, kF16W, kF16H))) continue;
        m.Visible = false;
        score += kF16Score;
        fuel += kF16Fuel;
        startExplosion(1, f16.Left + 16, f16.Top - 8);
        // A new F16 far ahead: the next missile of this tick cannot hit the one just downed.
        placeF16Ahead();
    }
}

}  // namespace sky
