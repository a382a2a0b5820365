// The running program: screens opening and closing, seeds, the end.
#include "shell/program.h"

#include "episode1/form1.h"
#include "episode2/form2.h"
#include "shell/menu.h"

namespace sky {

Program::Program(FrontEnd& fe, std::string progressPath)
    : fe_(fe), progressPath_(std::move(progressPath)), menu_(std::make_unique<Menu>(*this)) {}

Program::~Program() {
    // Screens own timers registered with the scheduler: free them before it goes.
    screens_.clear();
    menu_.reset();
}

std::uint64_t Program::seedForSetup() {
    std::uint64_t s = nextSeed_ ? *nextSeed_ : fe_.clockSeed();
    nextSeed_.reset();
    rng_.seed(s);
    lastSeed_ = s;
    return s;
}

GameScreen& Program::openForm1() {
    screens_.push_back(std::make_unique<Form1>(*this));
    screen_ = screens_.back().get();
    fe_.screenOpened(*screen_);
    return *screen_;
}

GameScreen& Program::openForm2() {
    screens_.push_back(std::make_unique<Form2>(*this));
    screen_ = screens_.back().get();
    fe_.screenOpened(*screen_);
    return *screen_;
}

void Program::screenUnloaded(GameScreen& s) {
    if (screen_ == &s) screen_ = nullptr;
    fe_.screenClosed(s);
}

void Program::collect() {
    if (sched_.depth() != 0) return;
    std::erase_if(screens_, [](const std::unique_ptr<GameScreen>& s) { return s->closed(); });
}

void Program::showMenu() {
    menu_->visible = true;
    fe_.showMenu();
}

void Program::end() {
    ended_ = true;
    fe_.quit();
}

}  // namespace sky
