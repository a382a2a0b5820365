// The help page's contents.
#include "game/helppage.h"

#include "episode1/form1.h"
#include "episode2/form2.h"
#include "playfield/contact.h"
#include "runtime/text.h"

namespace sky {

namespace {

using T = TextId;
using E1 = Form1;
using E2 = Form2;

// A speed as the dashboard shows it.
std::string speed(double v) {
    return speedText(v);
}

// A key as the page names it: the arrows drawn, the space bar in words, any other by its name.
std::string keyLabel(const std::string& key) {
    if (key == "Up") return "↑";
    if (key == "Down") return "↓";
    if (key == "Right") return "→";
    if (key == "Left") return "←";
    if (key == "Space") return text(T::KeySpace);
    return key;
}

// The keys the player has for an action, as the page names them ("–" for none).
std::string keysOf(const KeyMap& map, GameKey action) {
    std::string out;
    for (const std::string& k : map.binding(action).keys)
        if (!k.empty()) out += (out.empty() ? "" : "/") + keyLabel(k);
    return out.empty() ? "–" : out;
}

// A pair of opposite actions on one row: "↑  ↓".
std::string pairOf(const KeyMap& map, GameKey one, GameKey other) {
    return keysOf(map, one) + "  " + keysOf(map, other);
}

HelpPage::Section keys(int episode, const KeyMap& map, int blackBoxMinutes) {
    HelpPage::Section s{text(T::Controls),
                        {{pairOf(map, GameKey::NoseUp, GameKey::NoseDown), text(T::HelpNose)},
                         {pairOf(map, GameKey::Faster, GameKey::Slower),
                          episode == 1 ? text(T::HelpSpeed1, speed(E1::kSpeedFloor)) : text(T::HelpSpeed2)},
                         {keysOf(map, GameKey::Fire), text(episode == 1 ? T::HelpBomb : T::HelpMissile)},
                         {keysOf(map, GameKey::Pause), text(T::HelpPause)},
                         {keysOf(map, GameKey::FullScreen), text(T::HelpFullScreen)},
                         {keysOf(map, GameKey::Help), text(T::HelpThis)},
                         {keysOf(map, GameKey::Leave), text(T::HelpEsc)}},
                        0};
    if (blackBoxMinutes > 0) s.rows.push_back({keysOf(map, GameKey::BlackBox), text(T::HelpBlackBox, blackBoxMinutes)});
    return s;
}

HelpPage::Section dashboardSection(int episode) {
    const bool e1 = episode == 1;
    return {text(T::HelpDashboard),
            {{text(T::DashSpeed), text(T::HelpDashSpeed, speed(GameScreen::kTopSpeed))},
             {text(T::DashTilt), text(T::HelpDashTilt, GameScreen::kMaxTilt)},
             {text(T::DashFuel), text(e1 ? T::HelpDashFuel1 : T::HelpDashFuel2)},
             {text(T::DashDistance), e1 ? text(T::HelpDashDistance1) : text(T::HelpDashDistance2, E2::kNearLighthouse)},
             {text(e1 ? T::DashLevel : T::DashRescues),
              e1 ? text(T::HelpDashLevel, E1::kLastLevel) : text(T::HelpDashRescues, E2::kRescuesToWin)},
             {text(T::DashScore), text(T::HelpDashScore)},
             {text(T::DashDamage), text(e1 ? T::HelpDashDamage1 : T::HelpDashDamage2)},
             {text(e1 ? T::DashBombs : T::DashMissiles), text(e1 ? T::HelpDashBombs : T::HelpDashMissiles)},
             {text(T::HelpIndicator), text(e1 ? T::HelpIndicator1 : T::HelpIndicator2)}},
            1};
}

HelpPage::Row step(int n, std::string text) {
    return {std::to_string(n), std::move(text), true};
}

}  // namespace

HelpPage helpPage(int episode, const KeyMap& keyMap, int blackBoxMinutes) {
    HelpPage page;
    page.closeHint = text(T::HelpClose, keysOf(keyMap, GameKey::Help), keysOf(keyMap, GameKey::Leave));
    if (episode == 1) {
        page.title = text(T::HelpTitle1);
        page.sections = {
            keys(1, keyMap, blackBoxMinutes),
            {text(T::HelpGoal),
             {{"", text(T::HelpGoal1, E1::kHouseScore, E1::kHouseFuel, E1::kBirdScore, E1::kStarScore, E1::kBirdFuel,
                        speed(E1::kBirdTopSpeed))}},
             0},
            {text(T::HelpBombs), {{"", text(T::HelpBombs1, E1::kFuseTicks, (E1::kFuseTicks - 1) * E1::kFallStep)}}, 0},
            {text(T::HelpLanding),
             {step(1, text(T::HelpLanding1, E1::kApproachFar - E1::kDistanceFrom, speed(E1::kFastApproach),
                           E1::kApproachNear - E1::kDistanceFrom, speed(E1::kApproachSpeed))),
              step(2, text(T::HelpLanding2)), step(3, text(T::HelpLanding3)),
              step(4, text(T::HelpLanding4, E1::kRepairPrice, E1::kRepairBombs, speed(E1::kRepairTopSpeed))),
              step(5, text(T::HelpLanding5, E1::kTakeOffMs / 1000, E1::kLandingFuel, E1::kLandingBombs,
                           E1::kLandingScore))},
             1},
            dashboardSection(1),
        };
    } else {
        page.title = text(T::HelpTitle2);
        page.sections = {
            keys(2, keyMap, blackBoxMinutes),
            {text(T::HelpGoal),
             {{"", text(T::HelpGoal2, E2::kRescueScore, E2::kRescueMissiles, E2::kF16Score, E2::kF16Fuel, E2::kHitFuel,
                        speed(E2::kHitTopSpeed), E2::kStarScore)}},
             0},
            {text(T::HelpRescue),
             {step(1, text(T::HelpRescue1, E2::kNearLighthouse)),  // The aircraft hangs over the lighthouse when the
                                                                   // read-out (counted from its Left) is from
              // minus the lighthouse's width to its own width.
              step(2, text(T::HelpRescue2, E2::kLighthouseW, kAircraftW)),
              step(3, text(T::HelpRescue3, GameScreen::kGround + kAircraftH - E2::kLighthouseTop)),
              step(4, text(T::HelpRescue4, E2::kRescueScore, E2::kRescueMissiles, E2::kLighthouseSpacing,
                           E2::kRepairPrice, 2 * E2::kRepairPrice)),
              step(5, text(T::HelpRescue5))},
             1},
            dashboardSection(2),
        };
    }
    return page;
}

}  // namespace sky
