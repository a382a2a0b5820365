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
        {"Label1", TextId::Episode1, 120, 60, 1575, 375, kHeadingFont, kBlack},
        {"Label2", TextId::RulesEp1Goal, 120, 480, 6375, 855, kTextFont, kDarkRed},
        {"Label3", TextId::RulesHouse, 120, 1440, 2295, 495, kTextFont, kDarkRed},
        {"Label4", TextId::RulesStar, 2640, 1440, 1575, 495, kTextFont, kDarkRed},
        {"Label5", TextId::RulesBird, 4560, 1440, 1935, 495, kTextFont, kDarkRed},
        {"Label6", TextId::RulesAirport, 120, 2040, 6495, 495, kTextFont, kDarkRed},
        {"Label7", TextId::Episode2, 120, 2580, 1575, 375, kHeadingFont, kBlack},
        {"Label8", TextId::RulesEp2Goal, 120, 3000, 6375, 855, kTextFont, kDarkRed},
        {"Label9", TextId::RulesF16, 120, 3960, 3375, 255, kTextFont, kDarkRed},
        {"Label10", TextId::RulesStar, 3720, 3960, 2775, 255, kTextFont, kDarkRed},
        {"Label11", TextId::RulesLighthouse, 120, 4320, 6375, 495, kTextFont, kDarkRed},
        {"Label14", TextId::RulesBeware, 120, 4800, 6135, 495, kTextFont, kDarkRed},
        {"Label12", TextId::Controls, 120, 5400, 855, 255, kBoldFont, kBlack},
        {"Label13", TextId::RulesKeys, 120, 5640, 5535, 255, kTextFont, kDarkRed},
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
