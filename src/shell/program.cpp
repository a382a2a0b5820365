// The running program: screens opening and closing, seeds, the end.
#include "shell/program.h"

#include "shell/menu.h"

namespace sky {

Program::Program(FrontEnd& fe, ScreenFactory screens, std::string progressPath)
    : Program(fe, std::move(screens), std::make_unique<ProgressFile>(std::move(progressPath))) {}

Program::Program(FrontEnd& fe, ScreenFactory screens, std::unique_ptr<ProgressStore> progress)
    : fe_(fe), screens_(std::move(screens)), store_(std::move(progress)), menu_(std::make_unique<Menu>(*this)) {}

Program::~Program() {
    // Screens own timers registered with the scheduler: free them before it goes.
    held_.clear();
    menu_.reset();
}

std::uint64_t Program::seedForSetup() {
    std::uint64_t s = nextSeed_ ? *nextSeed_ : fe_.clockSeed();
    nextSeed_.reset();
    rng_.seed(s);
    lastSeed_ = s;
    return s;
}

GameScreen& Program::openScreen(int episode) {
    held_.push_back({screens_(*this, episode)});
    screen_ = held_.back().screen.get();
    fe_.screenOpened(*screen_);
    return *screen_;
}

void Program::screenUnloaded(GameScreen& s) {
    if (screen_ == &s) screen_ = nullptr;
    for (Held& h : held_)
        if (h.screen.get() == &s) h.closed = true;
    fe_.screenClosed(s);
}

void Program::collect() {
    if (sched_.depth() != 0) return;
    std::erase_if(held_, [](const Held& h) { return h.closed; });
}

void Program::showMenu() {
    menu_->visible = true;
    fe_.showMenu();
}

void Program::end(bool saved) {
    ended_ = true;
    saveFailed_ = !saved;
    fe_.quit();
}

}  // namespace sky
