// The inputs a player makes, performed on the program.
#include "game/input.h"

#include "playfield/gamescreen.h"
#include "shell/menu.h"
#include "shell/program.h"

namespace sky {

namespace {
constexpr MenuClick kMenuClicks[] = {
    {"Command1", &Menu::Command1_Click}, {"Command2", &Menu::Command2_Click}, {"Command3", &Menu::Command3_Click},
    {"Command4", &Menu::Command4_Click}, {"Command5", &Menu::Command5_Click}, {"Image1", &Menu::Image1_Click},
};
}  // namespace

std::span<const MenuClick> menuClicks() {
    return kMenuClicks;
}

const MenuClick* findMenuClick(std::string_view control) {
    for (const MenuClick& c : kMenuClicks)
        if (control == c.control) return &c;
    return nullptr;
}

void apply(Program& program, const InputEvent& e) {
    Menu& m = program.menu();
    GameScreen* s = program.screen();
    switch (e.kind) {
        case InputEvent::Activate:
            m.Form_Activate();
            break;
        case InputEvent::Click:
            if (const MenuClick* c = findMenuClick(e.control)) (m.*(c->handler))();
            break;
        case InputEvent::Check:
            m.setCheck1(e.value);
            break;
        case InputEvent::MenuClose:
            // Also the desktop's end request, which may come while a run is under way (even from
            // inside its box): the run ends as its own ending would, then the menu saves.
            if (s && !program.ended()) s->endNow();
            m.Form_Unload();
            break;
        case InputEvent::Key:
            if (s) s->Form_KeyDown(e.value);
            break;
        case InputEvent::Close:
            if (s) s->Unload();
            break;
        case InputEvent::Pause:
        case InputEvent::Resume:
            if (s) s->setPaused(e.kind == InputEvent::Pause);
            break;
        case InputEvent::Seed:
        case InputEvent::Answer:
        case InputEvent::End:
            break;
    }
}

}  // namespace sky
