// Ambient animations and explosions: picture swaps only.
#include "episode1/form1.h"
#include "episode2/form2.h"

namespace sky {

namespace {

// A two-picture animation: A becomes B, B becomes A, anything else stays.
void flip(Sprite& s, const Sprite& a, const Sprite& b) {
    if (s.shows(a))
        s.setPicture(b.Picture);
    else if (s.shows(b))
        s.setPicture(a.Picture);
}

}  // namespace

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

void Form1::Timer7_Timer() {
    // Each star flips on its own and so keeps its phase.
    for (Sprite* s : {&bod1, &bod2, &bod3, &bod4, &bod5}) flip(*s, b1, b2);
}

void Form2::Timer4_Timer() {
    for (Sprite* s : {&bod1, &bod2, &bod3}) flip(*s, b1, b2);
}

void Form2::Timer2_Timer() {
    flip(majak, m1, m2);  // the lamp blinks green and red
}

}  // namespace sky
