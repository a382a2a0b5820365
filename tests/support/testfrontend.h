// The tests' one front end: boxes logged and answered at once (or held open while the clock runs
// on), the music logged, the menu activated as soon as it is shown, clock seeds counted up.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "game/screens.h"
#include "shell/frontend.h"
#include "shell/menu.h"
#include "shell/program.h"

namespace sky::test {

inline constexpr const char* kNowhere = "/nonexistent-skyrend-dir/new.dat";

struct Box {
    std::string text, title;
    int style = 0;
};

class TestFrontEnd : public FrontEnd {
public:
    Program* program = nullptr;
    std::vector<Box> boxes;
    std::vector<std::string> musicLog;
    std::deque<int> answers;               // given in turn; then OK, or No to a question
    Micros hold = 0;                       // clock time each box stays open
    std::function<int(const Box&)> onBox;  // when set: looks at the game and answers instead
    std::function<std::uint64_t()> seeds;  // clock seeds; 1, 2, 3 ... when unset
    bool activateMenu = true;              // showing the menu activates it at once
    bool menuShown = false, quitCalled = false;
    int opened = 0, closed = 0;

    int messageBox(const std::string& text, const std::string& title, int style) override {
        boxes.push_back({text, title, style});
        const Box b = boxes.back();
        if (onBox) return onBox(b);
        if (hold > 0) program->scheduler().advance(hold);
        int a = style == kQuestion ? kNo : kOk;
        if (!answers.empty()) {
            a = answers.front();
            answers.pop_front();
        }
        return a;
    }
    void music(const std::string& c) override { musicLog.push_back(c); }
    void showMenu() override {
        menuShown = true;
        if (activateMenu && program) program->menu().Form_Activate();
    }
    void hideMenu() override { menuShown = false; }
    void screenOpened(GameScreen&) override { ++opened; }
    void screenClosed(GameScreen&) override { ++closed; }
    std::uint64_t clockSeed() override { return seeds ? seeds() : ++clock_; }
    void quit() override { quitCalled = true; }

private:
    std::uint64_t clock_ = 0;
};

// A program on the test front end; its progress file lies nowhere unless a path is given.
struct TestGame {
    TestFrontEnd fe;
    Program program;
    explicit TestGame(const std::string& progressPath = kNowhere) : program(fe, gameScreens(), progressPath) {
        fe.program = &program;
    }
    GameScreen& open(int episode, std::uint64_t seed) {
        program.setNextSeed(seed);
        return episode == 1 ? program.openForm1() : program.openForm2();
    }
};

}  // namespace sky::test
