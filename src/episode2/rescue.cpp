// Lighthouse rescues and the repair offer that comes with them.
#include <string>

#include "episode2/form2.h"
#include "playfield/contact.h"
#include "runtime/numtext.h"
#include "shell/frontend.h"
#include "shell/program.h"

namespace sky {

namespace {
constexpr int kLighthouseSpacing = 500;  // each lighthouse stands this much further than the last
}  // namespace

bool Form2::rescueStep() {
    // Hovering, low enough, with the lighthouse under the aircraft.
    bool over = majak.Left + kLighthouseW >= dravik.Left && dravik.Left + kAircraftW >= majak.Left;
    if (!(over && dravik.Top + kAircraftH >= majak.Top && speed == 0) || runLost()) return true;

    // The next one waits further ahead; moving it on also keeps this rescue from counting twice.
    lighthouseDistance = static_cast<std::int16_t>(lighthouseDistance + kLighthouseSpacing);
    majak.Left = lighthouseDistance;
    bombs += 6;
    score += 2;
    Label6.Caption = numText(score);
    level += 1;
    cue(Cue::Rescue);
    showRescues();

    if (level == kRescuesToWin) {
        endRun(Ending::Won, Freeze::Yes,
               "Zachránil si všetkých ľudí a teda vyhral si, gratulujem prešiel si aj druhú epizódu hry, to znamená, "
               "že si prešiel kompletne celú hru!",
               "Výhra");
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
    if (!(score >= 20 && damage > 0)) return;
    const bool both = score >= 40 && damage == 2;
    const int price = both ? 40 : 20, repaired = both ? 2 : 1, bonus = both ? 9 : 6;
    const std::string text = "Za skóre, ktoré si nahral si môžeš opraviť poškodenie Draviku, ale za opravu stratíš " +
                             std::to_string(price) + " bodov zo svojho skóre a dostaneš navyše " +
                             std::to_string(bonus) + " rakiet. Chceš opraviť Dravik?";
    if (MsgBox(text, "Oprava", kQuestion) != kYes || closed()) return;
    damage -= repaired;
    score -= price;
    maxSpeed += 2 * repaired;
    bombs += bonus;
}

}  // namespace sky
