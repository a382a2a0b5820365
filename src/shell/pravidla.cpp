// The rules screen's texts, fonts and separator lines.
#include "shell/pravidla.h"

namespace sky {

namespace {
constexpr Rgb kDarkRed = 0xC00000;  // the body text
constexpr Rgb kBlack = 0x000000;    // headings
}  // namespace

const std::vector<InfoLabel>& Pravidla::labels() {
    static const std::vector<InfoLabel> labels = {
        // name, text, left, top, width, height, font, colour
        {"Label1", "Epizóda 1", 120, 60, 1575, 375, kHeadingFont, kBlack},
        {"Label2",
         "V prvej epizóde je tvojim cieľom bombardovať domy svojimi bombami, zbierať hviezdy za ktoré dostávaš "
         "body a vyhýbať sa vtákom, lebo keď sa ti traja dostanú do turbíny, tak sa Dravik zrúti na zem. Táto "
         "epizóda má 10 levelov nový level sa spustí vždy po pristátí a odštartovaní z letiska.",
         120, 480, 6375, 855, kTextFont, kDarkRed},
        {"Label3", "Za trafenie domu bombou dostaneš 1 bod a 20 paliva.", 120, 1440, 2295, 495, kTextFont, kDarkRed},
        {"Label4", "Za zobratie hviezdy dostaneš 1 bod.", 2640, 1440, 1575, 495, kTextFont, kDarkRed},
        {"Label5", "Za trafenie vtáka bombou dostaneš 2 body.", 4560, 1440, 1935, 495, kTextFont, kDarkRed},
        {"Label6",
         "Za každých 40 bodov si na letisku opravíš 1 poškodenie a dostaneš aj nejaké rakety naviac. Po odlete "
         "z letiska dostaneš 20 bômb, 3 body do skóre a palivo sa ti doplní o 1500.",
         120, 2040, 6495, 495, kTextFont, kDarkRed},
        {"Label7", "Epizóda 2", 120, 2580, 1575, 375, kHeadingFont, kBlack},
        {"Label8",
         "V druhej epizóde je tvojou úlohou zachraňovať ľudí, ktorý sú pri majáku, takýchto záchran je 10 a "
         "každá predstavuje vlastne jeden level. Potom máš ešte zostreľovať nepriateľské stíhačky F16, ale pozor "
         "tieto stíhačky po tebe strieľajú a po troch strelách ťa zničia. Ďalej môžeš zbierať aj hviezdy, aby si "
         "mal viac bodov v skóre.",
         120, 3000, 6375, 855, kTextFont, kDarkRed},
        {"Label9", "Za zničenie F16 dostaneš 3 body a 450 paliva.", 120, 3960, 3375, 255, kTextFont, kDarkRed},
        {"Label10", "Za zobratie hviezdy dostaneš 1 bod.", 3720, 3960, 2775, 255, kTextFont, kDarkRed},
        {"Label11",
         "Na majáku si za každých 20 bodov opravíš 1 poškodenie a dostaneš aj nejaké rakety naviac. Potom "
         "dostaneš ešte aj 2 body do skóre a 5 rakiet.",
         120, 4320, 6375, 495, kTextFont, kDarkRed},
        {"Label14",
         "Pozor! Keď ti do turbíny vletí vták alebo dostaneš ranu od F16, tak stratíš 300 paliva a zníži sa ti "
         "aj maximálna rýchlosť.",
         120, 4800, 6135, 495, kTextFont, kDarkRed},
        {"Label12", "Ovládanie", 120, 5400, 855, 255, kBoldFont, kBlack},
        {"Label13", "Strieľaš medzerníkom, šípkami sa hýbeš a esc zrušíš hru. A to je všetko :).", 120, 5640, 5535, 255,
         kTextFont, kDarkRed},
    };
    return labels;
}

const std::vector<InfoLine>& Pravidla::lines() {
    // The separators between the episodes, above the warning and above the controls.
    static const std::vector<InfoLine> lines = {
        {"Line1", 120, 2520, 6480, 2520, kBlack, 2},
        {"Line2", 120, 4800, 6480, 4800, kBlack, 2},
        {"Line3", 120, 5280, 6480, 5280, kBlack, 2},
    };
    return lines;
}

}  // namespace sky
