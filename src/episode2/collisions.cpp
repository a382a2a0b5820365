// Episode 2 collisions and scoring: the rescue, enemy hits, stars, the F16.
#include "episode2/form2.h"
#include "playfield/contact.h"
#include "runtime/numtext.h"
#include "shell/frontend.h"
#include "shell/program.h"

namespace sky {

void Form2::kolizie_Timer() {
    if (!rescueStep()) return;
    if (!enemyMissileStep()) return;
    starsStep();
    if (!crashStep()) return;
    missilesOnF16Step();
}

bool Form2::enemyMissileStep() {
    // The missile's box is as tall as it is long, so one passing just over the cockpit still hits.
    if (!(boxTest(raketa2, 27, 27, dravik, kAircraftW, kAircraftH) && raketa2.Visible)) return true;
    fuel -= 300;
    damage += 1;
    Label8.Caption = numText(damage);
    Sprite& blast = vybuch(0);
    blast.move(raketa2.Left - 23, raketa2.Top - 23);
    blast.Visible = true;
    blast.setPicture(vy1.Picture);
    raketa2.Visible = false;
    maxSpeed -= 2;
    speed = speed >= 3 ? speed - 3 : 0;
    if (damage > 2) {
        if (dravik.Top < 344) climbRate = -4;  // still in the air: it goes down
        dravik.setPicture(hd2.Picture);
        loseGame("Bol si 3 krát zasiahnutý raketou. Prehral si.");
        return false;
    }
    return true;
}

void Form2::starsStep() {
    Random& rnd = program_.random();
    for (Sprite* star : {&bod1, &bod2, &bod3}) {
        edgeTest(dravik, *star, 13, 13, [&] {
            score += 1;
            // Ahead of the right edge again; the later cases of the test look at the new place.
            star->Top = rnd.range(310, 10);
            star->Left = rnd.range(200, 624);
            return true;
        });
    }
}

bool Form2::crashStep() {
    bool crashed = false;
    edgeTest(dravik, f16, 78, 27, [&] {
        crashed = true;
        return false;
    });
    if (!crashed) return true;
    damage = 3;
    Label8.Caption = numText(damage);
    climbRate = -4;
    dravik.setPicture(hd2.Picture);
    loseGame("Havaroval si, teda zrazil si sa s nepriateľskou F16. Prehral si.");
    return false;
}

void Form2::missilesOnF16Step() {
    for (int i = 0; i < 3; ++i) {
        Sprite& m = bomba(i);
        if (!(m.Visible && boxTest(m, 27, 27, f16, 78, 27))) continue;
        m.Visible = false;
        score += 3;
        fuel += 450;
        Sprite& blast = vybuch(1);
        blast.move(f16.Left + 16, f16.Top - 8);
        blast.Visible = true;
        blast.setPicture(vy1.Picture);
        // A new F16 far ahead: the next missile of this tick cannot hit the one just downed.
        placeF16Ahead();
    }
}

void Form2::loseGame(const char* message) {
    speed = 0;
    landingMode = 1;
    fuelBurn = 0;
    MsgBox(message, "Prehra", kInformation);
    Unload();
}

}  // namespace sky
