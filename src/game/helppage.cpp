// The help page's contents.
#include "game/helppage.h"

#include "runtime/text.h"

namespace sky {

namespace {

using T = TextId;

HelpPage::Section keys(int episode) {
    return {text(T::Controls),
            {{text(T::KeyUpDown), text(T::HelpNose)},
             {text(T::KeyRightLeft), episode == 1 ? text(T::HelpSpeed1, 700) : text(T::HelpSpeed2)},
             {text(T::KeySpace), text(episode == 1 ? T::HelpBomb : T::HelpMissile)},
             {text(T::KeyP), text(T::HelpPause)},
             {text(T::KeyF11), text(T::HelpFullScreen)},
             {text(T::KeyF1), text(T::HelpThis)},
             {text(T::KeyEsc), text(T::HelpEsc)}},
            0};
}

HelpPage::Section dashboard(int episode) {
    const bool e1 = episode == 1;
    return {text(T::HelpDashboard),
            {{text(T::DashSpeed), text(T::HelpDashSpeed, 1400)},
             {text(T::DashTilt), text(T::HelpDashTilt, 4)},
             {text(T::DashFuel), text(e1 ? T::HelpDashFuel1 : T::HelpDashFuel2)},
             {text(T::DashDistance), e1 ? text(T::HelpDashDistance1) : text(T::HelpDashDistance2, 600)},
             {text(e1 ? T::DashLevel : T::DashRescues), e1 ? text(T::HelpDashLevel, 9) : text(T::HelpDashRescues, 10)},
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

HelpPage helpPage(int episode) {
    HelpPage page;
    page.closeHint = text(T::HelpClose);
    if (episode == 1) {
        page.title = text(T::HelpTitle1);
        page.sections = {
            keys(1),
            {text(T::HelpGoal), {{"", text(T::HelpGoal1, 1, 20, 2, 1, 300, 200)}}, 0},
            {text(T::HelpBombs), {{"", text(T::HelpBombs1, 13, 180)}}, 0},
            {text(T::HelpLanding),
             {step(1, text(T::HelpLanding1, 1447, 1000, 347, 500)), step(2, text(T::HelpLanding2)),
              step(3, text(T::HelpLanding3)), step(4, text(T::HelpLanding4, 40, 5, 200)),
              step(5, text(T::HelpLanding5, 3, 1500, 20, 3))},
             1},
            dashboard(1),
        };
    } else {
        page.title = text(T::HelpTitle2);
        page.sections = {
            keys(2),
            {text(T::HelpGoal), {{"", text(T::HelpGoal2, 2, 6, 3, 450, 300, 200, 1)}}, 0},
            {text(T::HelpRescue),
             {step(1, text(T::HelpRescue1, 600)), step(2, text(T::HelpRescue2, 9, 84)),
              step(3, text(T::HelpRescue3, 11)), step(4, text(T::HelpRescue4, 2, 6, 500, 20, 40)),
              step(5, text(T::HelpRescue5))},
             1},
            dashboard(2),
        };
    }
    return page;
}

}  // namespace sky
