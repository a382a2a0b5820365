// The pilot's keys of episode 1 and its bombs: the release, the fall, the ground and the fuse of
// bombs dropped from high.
#include "episode1/form1.h"

namespace sky {

namespace {
constexpr double kGroundThreshold = 386;    // a bomb this low has reached the ground
constexpr double kDropLimit = 328;          // bombs leave only while the aircraft's Top is above this
constexpr double kHitHeight = 272;          // dropped from this Top or lower a bomb hits ("OK"), higher it bursts
constexpr double kBombX = 25, kBombY = 27;  // where a bomb leaves, from the aircraft's corner
}  // namespace

bool Form1::upAllowed() const {
    return onAirport == 0;  // no climbing while standing on the airport
}
double Form1::speedFloor() const {
    return kSpeedFloor;
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

void Form1::Timer8_Timer() {
    // The fuse runs on the ticks during which a bomb is tagged "zle", also while it is hidden:
    // a bomb that hit something and is released again goes on where its count stood.
    for (int i = 0; i < 3; ++i) {
        Sprite& b = bomba(i);
        double& fuse = bombFuse(i);
        if (b.Tag == "zle" && fuse <= kFuseTicks) {
            fuse += 1;
            if (fuse == kFuseTicks) {
                b.Visible = false;
                b.Tag = "OK";
                fuse = 0;
            }
        }
    }
    // Bombs fall straight down; the world scroll never carries them.
    for (int i = 0; i < 3; ++i) {
        Sprite& b = bomba(i);
        if (!b.Visible) continue;
        b.move(b.Left, b.Top + kFallStep);
        if (b.Top >= kGroundThreshold) {
            b.Visible = false;
            b.Tag = "OK";
            bombFuse(i) = 0;
        }
    }
}

}  // namespace sky
