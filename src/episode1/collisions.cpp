// Episode 1 collisions and scoring: stars, bombs on houses and birds, birds in the turbines.
#include "episode1/form1.h"
#include "playfield/contact.h"
#include "runtime/numtext.h"
#include "shell/program.h"

namespace sky {

namespace {
// Collision boxes: fixed sizes, not the pictures' (the bird picture is 16 x 10, and the second
// house's roof does not count).
constexpr double kBirdBoxTurbine = 13;
constexpr double kBirdBoxBomb = 10;
constexpr double kBombW = 27, kBombH = 10;
constexpr double kHouseW = 61, kHouse1H = 29, kHouse2H = 25;
// A bird hit by a bomb comes back a little higher than one that flew into the turbines.
constexpr Placement kBirdBombed{300, 20, 200, 624};

}  // namespace

void Form1::kolizie_Timer() {
    Random& rnd = program_.random();

    // 1. Stars. Each case of the edge test that holds scores; the star is respawned at once, so
    // the later cases look at it in its new place.
    for (Sprite* s : {&bod1, &bod2, &bod3, &bod4, &bod5})
        edgeTest(dravik, *s, kStarBox, kStarBox, [&] {
            score += kStarScore;
            cue(Cue::StarCollected);
            placeTopThenLeft(*s, kStarBack, rnd);
            return true;
        });

    // 2. Bombs on houses and birds. A bomb that hit the first house is hidden and cannot hit the
    // second, but the birds are tested whatever the bomb's visibility.
    for (int i = 0; i < 3; ++i) {
        Sprite& b = bomba(i);
        if (!b.Visible) continue;
        auto explode = [&] { startExplosion(i, b.Left - 8, b.Top - 24); };
        for (auto [house, h] : {std::pair{&dom1, kHouse1H}, std::pair{&dom2, kHouse2H}}) {
            if (boxTest(b, kBombW, kBombH, *house, kHouseW, h) && b.Visible) {
                b.Visible = false;
                score += kHouseScore;
                fuel += kHouseFuel;
                Label1.Caption = numText(fuel);
                explode();
            }
        }
        for (Sprite* v : {&v1, &v2}) {
            if (boxTest(b, kBombW, kBombH, *v, kBirdBoxBomb, kBirdBoxBomb)) {
                b.Visible = false;
                score += kBirdScore;
                explode();
                placeTopThenLeft(*v, kBirdBombed, rnd);
            }
        }
    }

    // 3. Birds in the turbines. The first two cost fuel, top speed and a damage point; the third
    // brings the aircraft down and ends the episode.
    for (Sprite* v : {&v1, &v2}) {
        bool lost = false;
        edgeTest(dravik, *v, kBirdBoxTurbine, kBirdBoxTurbine, [&] {
            cue(Cue::Hit);
            if (damage < 2) {
                fuel -= kBirdFuel;
                maxSpeed -= kBirdTopSpeed;
                damage += 1;
                // The approach holds its own speed.
                if (landingMode == 0) speed = speed >= 10 ? speed - 3 : 7;
                placeTopThenLeft(*v, kBirdBack, rnd);
                return true;
            }
            lost = true;
            return false;
        });
        if (lost) {
            damage += 1;
            Label8.Caption = numText(damage);
            bringDown(/*noseDownOnGround=*/true);  // it sinks while the message is up
            endRun(Ending::Lost, Freeze::Yes, text(TextId::Ep1BirdsLost), text(TextId::LossTitle));
            return;
        }
    }
}

}  // namespace sky
