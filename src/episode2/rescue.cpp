// The dashboard tick, lighthouse rescues and the repair offer that comes with them.
#include <string>

#include "episode2/form2.h"
#include "playfield/contact.h"
#include "runtime/numtext.h"
#include "shell/frontend.h"
#include "shell/program.h"

namespace sky {

namespace {
constexpr Rgb kRed = 0xFF0000, kGreen = 0x00FF00;
}  // namespace

bool Form2::rescueStep() {
    // Hovering, low enough, with the lighthouse under the aircraft.
    bool over = majak.Left + kLighthouseW >= dravik.Left && dravik.Left + kAircraftW >= majak.Left;
    if (!(over && dravik.Top + kAircraftH >= majak.Top && speed == 0) || runLost()) return true;

    // The next one waits further ahead; moving it on also keeps this rescue from counting twice.
    lighthouseDistance = static_cast<std::int16_t>(lighthouseDistance + kLighthouseSpacing);
    majak.Left = lighthouseDistance;
    bombs += kRescueMissiles;
    score += kRescueScore;
    Label6.Caption = numText(score);
    level += 1;
    cue(Cue::Rescue);
    showRescues();

    if (level == kRescuesToWin) {
        endRun(Ending::Won, Freeze::Yes, text(TextId::Ep2Won), text(TextId::WinTitle));
        return false;
    }
    repairOffer();
    return !closed();
}

// Episode 2 is passed: the whole game is.
void Form2::recordVictory() {
    program_.progress().ep2Passed = 1;
}

void Form2::repairOffer() {
    if (!(score >= kRepairPrice && damage > 0)) return;
    const bool both = score >= 2 * kRepairPrice && damage == 2;
    const int repaired = both ? 2 : 1;
    const double price = repaired * kRepairPrice, bonus = both ? kRepairBothMissiles : kRepairMissiles;
    if (MsgBox(text(TextId::Ep2RepairAsk, price, bonus), text(TextId::RepairTitle), kQuestion) != kYes || closed())
        return;
    damage -= repaired;
    score -= price;
    maxSpeed += kHitTopSpeed * repaired;
    bombs += bonus;
}

void Form2::Timer5_Timer() {
    // 1. Fuel burns only while the aircraft moves: hovering at a lighthouse costs nothing.
    if (speed > 0) fuel = fuel - fuelBurn;
    // 2-4. Read-outs; the distance is to the lighthouse.
    Label3.showNumber(speed, speedText);
    Label4.showNumber(tilt, numText);
    Label1.showNumber(fuel, numText);
    const double distance = majak.Left - kDistanceFrom;
    Label2.showNumber(distance, numText);
    showRescues();
    Label6.showNumber(score, numText);
    Label8.showNumber(damage, numText);
    Label16.showNumber(bombs, numText);
    // 5. The distance turns red when the lighthouse is close.
    Label2.ForeColor = distance < kNearLighthouse ? kRed : kGreen;
    // 6. Out of fuel: the run ends; on the ground the picture stays.
    if (fuel <= 0) fuelOut(false);
}

void Form2::showRescues() {
    Label5.showNumber(level, [](double n) { return numText(n) + "/" + numText(kRescuesToWin); });
}

}  // namespace sky
