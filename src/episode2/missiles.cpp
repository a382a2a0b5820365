// The pilot's keys of episode 2, its missiles and the F16's fire.
#include "episode2/form2.h"
#include "playfield/contact.h"
#include "shell/program.h"

namespace sky {

namespace {
constexpr double kFireFrom = 168, kFireTo = 632;  // the F16 fires while its Left is in this window
constexpr double kEnemyMissileDrop = 15;          // its missile leaves this far below its top
constexpr double kMissileStep = 15;               // pixels per missile tick
constexpr double kFieldEnd = 670;                 // a missile this far right has left the playfield
constexpr double kMissileX = 65, kMissileY = 20;  // where a missile leaves: the aircraft's nose
}  // namespace

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

void Form2::Timer8_Timer() {
    // The F16 fires its one missile when the aircraft is in its band while it crosses the
    // middle of the screen, whichever way it is flying.
    if (f16.Left >= kFireFrom && f16.Left <= kFireTo && dravik.Top + kAircraftH >= f16.Top &&
        f16.Top + kF16H >= dravik.Top && !raketa2.Visible) {
        raketa2.Visible = true;
        raketa2.Top = f16.Top + kEnemyMissileDrop;
        raketa2.Left = f16.Left;
        cue(Cue::F16Fire);
    }
    // A missile that ended the last tick on the edge leaves now.
    for (int i = 0; i < 3; ++i)
        if (bomba(i).Left >= kFieldEnd) bomba(i).Visible = false;
    // Missiles fly forward at their own pace, whatever the aircraft's speed.
    for (int i = 0; i < 3; ++i) {
        Sprite& m = bomba(i);
        if (!m.Visible) continue;
        m.Left = m.Left + kMissileStep;
        if (m.Left > kFieldEnd) m.Visible = false;
    }
}

void Form2::placeF16Ahead() {
    Random& rnd = program_.random();
    f16.Left = rnd.range(900, 900);
    f16.Top = rnd.range(298, 30);
}

}  // namespace sky
