// A game played as the window plays it, every input written down first: inputs are written with
// the clock time and then performed, the menu is activated a moment after it is shown (as the
// window system reports it), a message box stays open for boxHold of clock while the other timers
// fire, and the boxes' answers and the clock's seeds are written too. Where they are written is
// the test's: a recorder, the black box.
#pragma once

#include <algorithm>
#include <functional>
#include <sstream>

#include "game/input.h"
#include "game/recording.h"
#include "game/screens.h"
#include "support/testfrontend.h"

namespace sky::test {

struct RecordedGame {
    TestFrontEnd fe;
    Program program;
    std::function<void(const replay::Event&)> write;
    Micros boxHold = 0, firstBoxOpened = -1, firstBoxClosed = -1;
    std::uint64_t nextSeed;
    Micros step;  // the window's steps of the clock

    RecordedGame(const GameProgress& start, Pace pace, std::uint64_t firstSeed, Micros step)
        : program(fe, gameScreens(), std::make_unique<ProgressInMemory>(start)), nextSeed(firstSeed), step(step) {
        program.scheduler().setPace(pace);
        fe.program = &program;
        fe.activateMenu = false;
        fe.onBox = [this](const Box& b) {
            replay::Event e;
            e.kind = replay::Event::Answer;
            e.opened = now();
            program.scheduler().advance(boxHold);
            e.t = now();
            e.value = b.style == kQuestion ? kYes : kOk;
            write(e);
            if (firstBoxOpened < 0) firstBoxOpened = e.opened, firstBoxClosed = e.t;
            return e.value;
        };
        fe.seeds = [this] {
            replay::Event e;
            e.kind = replay::Event::Seed;
            e.t = now();
            e.seed = nextSeed;
            write(e);
            return nextSeed++;
        };
    }
    // Once write goes somewhere: the menu shows.
    void begin(std::function<void(const replay::Event&)> to) {
        write = std::move(to);
        program.showMenu();
        settle();
    }
    Micros now() { return program.scheduler().now(); }
    void settle() {
        if (!fe.menuShown) return;
        fe.menuShown = false;  // shown: now the window system reports it active
        input(replay::Event::Activate);
    }
    void run(Micros d) {
        for (const Micros until = now() + d; now() < until;) {
            program.scheduler().advanceTo(std::min(until, now() + step));
            program.collect();
            settle();
        }
    }
    void input(replay::Event::Kind k, int value = 0, const char* control = "") {
        replay::Event e;
        e.t = now();
        e.kind = k;
        e.value = value;
        e.control = control;
        write(e);
        apply(program, e);
        if (program.scheduler().depth() == 0) program.collect();
        settle();
    }
    std::string state() {
        std::ostringstream s;
        replay::printState(program, s);
        return s.str();
    }
};

}  // namespace sky::test
