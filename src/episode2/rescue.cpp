// Lighthouse rescues and the repair offer that comes with them.
#include <string>

#include "episode2/form2.h"
#include "runtime/numtext.h"
#include "shell/frontend.h"
#include "shell/program.h"

namespace sky {

bool Form2::rescueStep() {
    // Hovering, low enough, with the lighthouse under the aircraft.
    bool over = majak.Left + 9 >= dravik.Left && dravik.Left + 84 >= majak.Left;
    if (!(over && dravik.Top + 33 >= majak.Top && speed == 0)) return true;

    // The next one waits further ahead; moving it on also keeps this rescue from counting twice.
    lighthouseDistance = static_cast<std::int16_t>(lighthouseDistance + 500);
    majak.Left = lighthouseDistance;
    bombs += 6;
    score += 2;
    Label6.Caption = numText(score);
    level += 1;
    Label5.Caption = numText(level) + "/10";

    if (level == 10) {
        speed = 0;
        landingMode = 1;
        fuelBurn = 0;
        MsgBox(
            "Zachránil si všetkých ľudí a teda vyhral si, gratulujem prešiel si aj druhú epizódu hry, to znamená, že "
            "si "
            "prešiel kompletne celú hru!",
            "Výhra", kInformation);
        program_.progress().ep2Passed = 1;
        Unload();
        return false;
    }
    repairOffer();
    return !closed();
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
