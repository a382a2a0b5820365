// Pilot input: the six keys of both episodes (each episode adds its own part), and the aircraft's picture and climb
// rate by tilt.
#include "playfield/gamescreen.h"

namespace sky {

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

}  // namespace sky
