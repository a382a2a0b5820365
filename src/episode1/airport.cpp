// The airport stop: landing, the repair offer, take-off into the next level, the victory.
#include <string>

#include "episode1/form1.h"
#include "runtime/numtext.h"
#include "shell/program.h"

namespace sky {

namespace {
constexpr double kStopOffset = 10;  // the aircraft stops once it is this far past the airport's left
constexpr double kGround = 352;     // Top of an aircraft standing on the ground, for the take-off
constexpr double kLastLevel = 9;
constexpr double kRepairPrice = 40;
constexpr int kLegLength = 2000;  // each leg is that much longer than the one before
}  // namespace

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
    timer("Timer3").setEnabled(false);
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
        endRun(Ending::Won, Freeze::No, "Gratulujem ti, prešiel si prvú epizódu! A teraz hurá do druhej...", "Výhra");
        return;
    }

    // 6. Repairs cost score: at most two per stop, the price asked covers both when affordable.
    if (score >= kRepairPrice && damage > 0) {
        double price = score >= 2 * kRepairPrice ? kRepairPrice * damage : kRepairPrice;
        std::string text = "Máš skóre " + numText(score) +
                           " a si poškodený, chceš opraviť Dravik? Ale pozor oprava ti uberie " + numText(price) +
                           " bodov zo skóre.";
        int answer = MsgBox(text, "Oprava", kQuestion);
        if (closed()) return;
        if (answer == kYes) {
            auto repair = [this] {
                damage -= 1;
                bombs += 5;
                score -= kRepairPrice;
                maxSpeed += 2;
            };
            repair();
            if (score >= kRepairPrice && damage > 0) repair();
        }
    }
    timer("Timer4").setEnabled(true);
    timer("Timer5").setEnabled(false);
    timer("Timer2").setEnabled(false);
}

// Episode 1 is passed, and episode 2 opens.
void Form1::recordVictory() {
    GameProgress& g = program_.progress();
    g.ep1Passed = 1;
    g.ep2Unlocked = "True";
}

void Form1::Timer4_Timer() {
    if (dravik.Top >= kGround) {
        fuel += 1500;
        onAirport = 0;
        score += 3;
        level += 1;
        bombs += 20;
        edgeRelease = 0;
        landingMode = 0;
        speed = 7;
        fuelBurn = 1;
        // A 16-bit distance: nine legs end at 8500 + 8 * 2000, far inside its range.
        airportDistance = static_cast<std::int16_t>(airportDistance + kLegLength);
        vletisko.Left = airportDistance;
        timer("Timer1").setEnabled(true);
        timer("Timer3").setEnabled(true);
        timer("Timer4").setEnabled(false);
        timer("Timer5").setEnabled(true);
        timer("Timer9").setEnabled(false);
        timer("Timer10").setEnabled(true);
        cue(Cue::TakeOff);
    } else {
        // Not down: come down again (and touch down anew) and try once more 3000 ms later.
        timer("Timer2").setEnabled(true);
    }
}

}  // namespace sky
