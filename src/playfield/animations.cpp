// Ambient animations and explosions: picture swaps only.
#include "playfield/gamescreen.h"

namespace sky {

void flip(Sprite& s, const Sprite& a, const Sprite& b) {
    if (s.shows(a))
        s.setPicture(b.Picture);
    else if (s.shows(b))
        s.setPicture(a.Picture);
}

void GameScreen::Timer11_Timer() {
    // Each playing slot advances one frame; after the sixth it hides, keeping that frame. A slot
    // showing none of the six frames is left alone.
    Sprite* const frames[] = {&vy1, &vy2, &vy3, &vy4, &vy5, &vy6};
    for (int i = 0; i < explosionSlots(); ++i) {
        Sprite& slot = vybuch(i);
        if (!slot.Visible) continue;
        for (int f = 0; f < 6; ++f) {
            if (!slot.shows(*frames[f])) continue;
            if (f < 5)
                slot.setPicture(frames[f + 1]->Picture);
            else
                slot.Visible = false;
            break;
        }
    }
}

void GameScreen::Timer6_Timer() {
    flip(letisko, l1, l2);  // the airport beacon
}

}  // namespace sky
