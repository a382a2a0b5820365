// Pilot input: the six keys of both episodes, and the aircraft's picture and climb rate by tilt.
#include "episode1/form1.h"
#include "episode2/form2.h"

namespace sky {

namespace {
constexpr double kMaxTilt = 4;                    // the nose goes at most this many steps up or down
constexpr double kDropLimit = 328;                // bombs leave only while the aircraft's Top is above this
constexpr double kHitHeight = 272;                // dropped from this Top or lower a bomb hits ("OK"), higher it bursts
constexpr double kBombX = 25, kBombY = 27;        // where a bomb leaves, from the aircraft's corner
constexpr double kMissileX = 65, kMissileY = 20;  // where a missile leaves: the aircraft's nose
}  // namespace

void GameScreen::Form_KeyDown(int keyCode) {
    if (closed()) return;  // a key that arrives after the screen has closed finds nothing to fly
    // 1. The key's own action.
    switch (keyCode) {
        case kKeyUp:
            if (!upAllowed()) break;
            if (edgeContact == 1) {
                // Steering off the ground: the release flag keeps the attitude tick from catching
                // the aircraft on the line again before the line check has seen it clear.
                if (tilt < kMaxTilt) {
                    tilt += 1;
                    edgeRelease = 1;
                    edgeContact = 0;
                }
            } else if (dravik.Top > Line2.Y1 && tilt < kMaxTilt) {
                tilt += 1;
            }
            break;
        case kKeyDown:
            if (edgeContact == 2) {
                // Steering off the ceiling.
                if (tilt > -kMaxTilt) {
                    tilt -= 1;
                    edgeRelease = 1;
                    edgeContact = 0;
                }
            } else if (dravik.Top < Line1.Y1 && tilt > -kMaxTilt) {
                tilt -= 1;
            }
            break;
        case kKeyRight:
            if (speed < maxSpeed && landingMode == 0) {
                speed += 1;
                fuelBurn += 0.5;
            }
            break;
        case kKeyLeft:
            if (speed > speedFloor() && landingMode == 0) {
                speed -= 1;
                fuelBurn -= 0.5;
            }
            break;
        case kKeySpace:
            if (Space_KeyDown()) return;  // a bomb or missile is away: no refresh
            break;
        case kKeyEsc:
            Unload();
            return;
        default:
            break;  // any other key only refreshes the attitude
    }
    // 2. Picture and climb rate follow the tilt.
    attitudeRefresh();
}

void GameScreen::attitudeRefresh() {
    struct Attitude {
        double climbRate;
        const Sprite& picture;
    };
    // One row per tilt, from -4 (nose fully down) to 4 (nose fully up).
    const Attitude table[] = {
        {-10, hd3},  // -4
        {-7, hd3},   // -3
        {-5, hd2},   // -2
        {-2, hd1},   // -1
        {0, hn},     // 0
        {2, hh1},    // 1
        {5, hh2},    // 2
        {7, hh3},    // 3
        {10, hh3},   // 4
    };
    for (int t = -4; t <= 4; ++t) {
        if (tilt != t) continue;  // a tilt outside -4..4 changes nothing
        climbRate = table[t + 4].climbRate;
        dravik.setPicture(table[t + 4].picture.Picture);
    }
}

bool Form1::upAllowed() const {
    return onAirport == 0;  // no climbing while standing on the airport
}
double Form1::speedFloor() const {
    return 7;
}

// A bomb falls from under the aircraft. Its Tag says whether it was dropped low enough to hit
// ("OK") or from so high that it bursts in the air ("zle"); every slot looked at on the way to a
// free one is re-tagged from the current height, in-flight bombs included.
bool Form1::Space_KeyDown() {
    if (!(dravik.Top < kDropLimit && onAirport == 0 && bombs > 0)) return false;
    for (int i = 0; i < 3; ++i) {
        Sprite& b = bomba(i);
        b.Tag = dravik.Top >= kHitHeight ? "OK" : "zle";
        if (!b.Visible) {
            b.Left = dravik.Left + kBombX;
            b.Top = dravik.Top + kBombY;
            b.Visible = true;
            bombs -= 1;
            cue(Cue::BombReleased);
            return true;
        }
    }
    return false;  // all three in flight: nothing released, the attitude is refreshed
}

bool Form2::upAllowed() const {
    return true;
}
double Form2::speedFloor() const {
    return 0;  // the aircraft can stop in the air to rescue at a lighthouse
}

// A missile leaves from the aircraft's nose; no height limit.
bool Form2::Space_KeyDown() {
    if (!(bombs > 0)) return false;
    for (int i = 0; i < 3; ++i) {
        Sprite& m = bomba(i);
        if (m.Visible) continue;
        m.Left = dravik.Left + kMissileX;
        m.Top = dravik.Top + kMissileY;
        m.Visible = true;
        bombs -= 1;
        cue(Cue::MissileLaunched);
        return true;
    }
    return false;
}

}  // namespace sky
