// The dashboard tick with the airport approach, the approach brake, the airport stop: landing, the repair offer,
// take-off into the next level, the victory.
#include <string>

#include "episode1/form1.h"
#include "runtime/numtext.h"
#include "shell/program.h"

namespace sky {

namespace {
constexpr double kStopOffset = 10;  // the aircraft stops once it is this far past the airport's left
constexpr int kLegLength = 2000;    // each leg is that much longer than the one before
}  // namespace

void Form1::Timer5_Timer() {
    // 1. The fuel clock.
    fuel = fuel - fuelBurn;
    // 2-5. Read-outs.
    Label3.showNumber(speed, speedText);
    Label4.showNumber(tilt, numText);
    Label1.showNumber(fuel, numText);
    Label2.showNumber(vletisko.Left - kDistanceFrom, numText);
    Label5.showNumber(level, numText);
    Label6.showNumber(score, numText);
    Label8.showNumber(damage, numText);
    Label16.showNumber(bombs, numText);
    // 6. The airport approach starts once per leg, earlier when flying fast.
    const double threshold = speed >= kFastApproach ? kApproachFar : kApproachNear;
    if (vletisko.Left <= threshold && landingMode == 0) {
        fuelBurn = 0.5;
        speed -= 1;
        landingMode = 1;
        Timer2->setEnabled(true);  // the landing
        Timer9->setEnabled(true);  // the brake
    }
    // 7. Out of fuel: the run ends.
    if (fuel <= 0) fuelOut(true);
}

void Form1::Timer9_Timer() {
    // One step slower every second to the approach speed, then the airport stop takes over.
    if (speed > kApproachSpeed)
        speed -= 1;
    else
        Timer9->setEnabled(false);
}

void Form1::Timer10_Timer() {
    // A pilot who has not pulled up after take-off is climbed away gently. The contact flag left
    // from the landing keeps the attitude tick from levelling the aircraft on the ground again.
    if (tilt == 0) {
        tilt = 1;
        climbRate = 3;
        dravik.setPicture(hh1.Picture);
    }
    Timer10->setEnabled(false);
}

void Form1::Timer2_Timer() {
    if (runLost()) return;
    // 1-2. Stop over the airport and come down on it.
    if (letisko.Left + kStopOffset > dravik.Left) return;
    fuelBurn = 0;
    speed = 0;
    Label3.Caption = numText(speed);
    // 3. Still coming down: nothing more until it reaches the ground line.
    if (dravik.Top < Line1.Y1) return;
    // 4. Touchdown.
    Timer3->setEnabled(false);
    onAirport = 1;
    landingMode = 1;
    edgeContact = 1;
    tilt = 0;
    climbRate = 0;
    Label4.Caption = numText(tilt);
    dravik.setPicture(hn.Picture);
    cue(Cue::Touchdown);

    // 5. The ninth landing wins. The aircraft already stands still on the airport.
    if (level == kLastLevel) {
        endRun(Ending::Won, Freeze::No, text(TextId::Ep1Won), text(TextId::WinTitle));
        return;
    }

    // 6. Repairs cost score: at most two per stop, the price asked covers both when affordable.
    if (score >= kRepairPrice && damage > 0) {
        double price = score >= 2 * kRepairPrice ? kRepairPrice * damage : kRepairPrice;
        int answer = MsgBox(text(TextId::Ep1RepairAsk, score, price), text(TextId::RepairTitle), kQuestion);
        if (closed()) return;
        if (answer == kYes) {
            auto repair = [this] {
                damage -= 1;
                bombs += kRepairBombs;
                score -= kRepairPrice;
                maxSpeed += kRepairTopSpeed;
            };
            repair();
            if (score >= kRepairPrice && damage > 0) repair();
        }
    }
    Timer4->setEnabled(true);
    Timer5->setEnabled(false);
    Timer2->setEnabled(false);
}

// Episode 1 is passed, and episode 2 opens.
void Form1::recordVictory() {
    GameProgress& g = program_.progress();
    g.ep1Passed = 1;
    g.ep2Unlocked = "True";
}

void Form1::Timer4_Timer() {
    if (dravik.Top >= kGround) {
        fuel += kLandingFuel;
        onAirport = 0;
        score += kLandingScore;
        level += 1;
        bombs += kLandingBombs;
        edgeRelease = 0;
        landingMode = 0;
        speed = kSpeedFloor;
        fuelBurn = 1;
        // A 16-bit distance: nine legs end at 8500 + 8 * 2000, far inside its range.
        airportDistance = static_cast<std::int16_t>(airportDistance + kLegLength);
        vletisko.Left = airportDistance;
        Timer1->setEnabled(true);
        Timer3->setEnabled(true);
        Timer4->setEnabled(false);
        Timer5->setEnabled(true);
        Timer9->setEnabled(false);
        Timer10->setEnabled(true);
        cue(Cue::TakeOff);
    } else {
        // Not down: come down again (and touch down anew) and try once more 3000 ms later.
        Timer2->setEnabled(true);
    }
}

}  // namespace sky
