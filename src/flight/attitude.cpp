// Attitude, climb and ground contact: the aircraft's vertical motion between the ground and
// ceiling lines.
#include "playfield/gamescreen.h"

namespace sky {

void GameScreen::Timer3_Timer() {
    // 1. Level off on reaching a line, where the aircraft stands (it is not put back onto the
    //    line). While the pilot is steering off a line the release flag suppresses this.
    if (edgeRelease == 0) {
        auto levelOff = [this](double contact) {
            tilt = 0;
            climbRate = 0;
            dravik.setPicture(hn.Picture);
            edgeContact = contact;
        };
        if (dravik.Top >= Line1.Y1 && edgeContact == 0)
            levelOff(1);  // on the ground
        else if (dravik.Top <= Line2.Y1 && edgeContact == 0)
            levelOff(2);  // against the ceiling
    }
    // 2. The climb (or descent) always applies, after the test: the aircraft can rest up to one
    //    step beyond the line.
    dravik.Top = dravik.Top - climbRate;
}

void GameScreen::Timer1_Timer() {
    // Strictly between the lines: free flight again.
    if (dravik.Top < Line1.Y1 && dravik.Top > Line2.Y1) {
        edgeRelease = 0;
        edgeContact = 0;
    }
}

}  // namespace sky
