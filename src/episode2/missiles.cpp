// Missiles and the F16's fire.
#include "episode2/form2.h"
#include "shell/program.h"

namespace sky {

void Form2::Timer8_Timer() {
    // The F16 fires its one missile when the aircraft is in its band while it crosses the
    // middle of the screen, whichever way it is flying.
    if (f16.Left >= 168 && f16.Left <= 632 && dravik.Top + 33 >= f16.Top && f16.Top + 27 >= dravik.Top &&
        !raketa2.Visible) {
        raketa2.Visible = true;
        raketa2.Top = f16.Top + 15;
        raketa2.Left = f16.Left;
    }
    // A missile that ended the last tick on the edge leaves now.
    for (int i = 0; i < 3; ++i)
        if (bomba(i).Left >= 670) bomba(i).Visible = false;
    // Missiles fly forward at their own pace, whatever the aircraft's speed.
    for (int i = 0; i < 3; ++i) {
        Sprite& m = bomba(i);
        if (!m.Visible) continue;
        m.Left = m.Left + 15;
        if (m.Left > 670) m.Visible = false;
    }
}

void Form2::placeF16Ahead() {
    Random& rnd = program_.random();
    f16.Left = rnd.range(900, 900);
    f16.Top = rnd.range(298, 30);
}

}  // namespace sky
