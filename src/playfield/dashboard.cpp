// The dashboard tick: fuel clock, read-outs, fuel-out, and in episode 1 the airport approach.
#include "episode1/form1.h"
#include "episode2/form2.h"
#include "runtime/numtext.h"

namespace sky {

namespace {

constexpr Rgb kRed = 0xFF0000, kGreen = 0x00FF00;

// Speed reads in hundreds: 7 shows 700; standing still shows plain 0.
std::string speedText(double speed) {
    return speed > 0 ? numText(speed) + "00" : numText(speed);
}

// Fuel is gone: the aircraft noses down and sinks if it is in the air (episode 1 shows the
// nose-down picture on the ground too), the run freezes, the player is told, and the screen
// closes. The other timers go on while the box is open: the aircraft keeps sinking.
void fuelOut(GameScreen& s, bool noseDownOnGround) {
    s.bringDown(noseDownOnGround);
    s.endRun(Ending::Lost, Freeze::Yes, "Minulo sa ti palivo, ďalej už nedoletíš...", "Nedostatok paliva");
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
    // 7. Out of fuel: the run ends.
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
    showRescues();
    Label6.Caption = numText(score);
    Label8.Caption = numText(damage);
    Label16.Caption = numText(bombs);
    // 5. The distance turns red when the lighthouse is close.
    Label2.ForeColor = distance < 600 ? kRed : kGreen;
    // 6. Out of fuel: the run ends; on the ground the picture stays.
    if (fuel <= 0) fuelOut(*this, false);
}

void Form2::showRescues() {
    Label5.Caption = numText(level) + "/" + numText(kRescuesToWin);
}

}  // namespace sky
