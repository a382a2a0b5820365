// Bombs: the fall, the ground and the fuse of bombs dropped from high.
#include "episode1/form1.h"

namespace sky {

namespace {
constexpr double kFallStep = 15;          // pixels per bomb tick
constexpr double kGroundThreshold = 386;  // a bomb this low has reached the ground
constexpr double kFuseTicks = 13;         // lifetime of a bomb dropped from high
}  // namespace

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
