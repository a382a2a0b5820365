// The dashboard tick: fuel clock, read-outs, fuel-out, and in episode 1 the airport approach.
#include "episode1/form1.h"
#include "episode2/form2.h"
#include "runtime/numtext.h"
#include "shell/frontend.h"

namespace sky {

namespace {

constexpr Rgb kRed = 0xFF0000, kGreen = 0x00FF00;

// Speed reads in hundreds: 7 shows 700; standing still shows plain 0.
std::string speedText(double speed) {
    return speed > 0 ? numText(speed) + "00" : numText(speed);
}

// Fuel is gone: the run freezes, the aircraft noses down and sinks if it is in the air, the
// player is told, and the screen closes. The dashboard timer does not fire again while the box
// is open, so the message is shown once; the other timers go on (the aircraft keeps sinking).
void fuelOut(GameScreen& s, bool noseDownOnGround) {
    // 1. Above the resting height: nose down and sink 4 pixels per attitude tick.
    if (s.dravik.Top < 344) {
        s.dravik.setPicture(s.hd2.Picture);
        s.climbRate = -4;
    }
    // 2. Episode 1 shows the nose-down picture on the ground too.
    if (noseDownOnGround) s.dravik.setPicture(s.hd2.Picture);
    // 3. Nothing moves, burns or answers the speed keys any more.
    s.speed = 0;
    s.landingMode = 1;
    s.fuelBurn = 0;
    // 4-5.
    s.MsgBox("Minulo sa ti palivo, ďalej už nedoletíš...", "Nedostatok paliva", kInformation);
    s.Unload();  // once, even if another handler closed the screen while the box was open
}

}  // namespace

void Form1::Timer5_Timer() {
    // 1. The fuel clock.
    fuel = fuel - fuelBurn;
    // 2-5. Read-outs.
    Label3.Caption = speedText(speed);
    Label4.Caption = numText(tilt);
    Label1.Caption = numText(fuel);
    Label2.Caption = numText(vletisko.Left - 53);
    Label5.Caption = numText(level);
    Label6.Caption = numText(score);
    Label8.Caption = numText(damage);
    Label16.Caption = numText(bombs);
    // 6. The airport approach starts once per leg, earlier when flying fast.
    const double threshold = speed >= 10 ? 1500 : 400;
    if (vletisko.Left <= threshold && landingMode == 0) {
        fuelBurn = 0.5;
        speed -= 1;
        landingMode = 1;
        timer("Timer2").setEnabled(true);  // the landing
        timer("Timer9").setEnabled(true);  // the brake
    }
    // 7.
    if (fuel <= 0) fuelOut(*this, true);
}

void Form2::Timer5_Timer() {
    // 1. Fuel burns only while the aircraft moves: hovering at a lighthouse costs nothing.
    if (speed > 0) fuel = fuel - fuelBurn;
    // 2-4. Read-outs; the distance is to the lighthouse.
    Label3.Caption = speedText(speed);
    Label4.Caption = numText(tilt);
    Label1.Caption = numText(fuel);
    const double distance = majak.Left - 64;
    Label2.Caption = numText(distance);
    Label5.Caption = numText(level) + "/10";
    Label6.Caption = numText(score);
    Label8.Caption = numText(damage);
    Label16.Caption = numText(bombs);
    // 5. The distance turns red when the lighthouse is close.
    Label2.ForeColor = distance < 600 ? kRed : kGreen;
    // 6.
    if (fuel <= 0) fuelOut(*this, false);
}

}  // namespace sky
