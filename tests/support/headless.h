// A front end for tests: boxes answered at once (OK, or No to a question), nothing shown.
#pragma once

#include <string>
#include <vector>

#include "game/screens.h"
#include "shell/frontend.h"
#include "shell/menu.h"
#include "shell/program.h"

namespace sky::test {

class HeadlessFrontEnd : public FrontEnd {
public:
    Program* program = nullptr;
    std::vector<std::string> messages, musicLog;
    int answerQuestions = kNo;
    int messageBox(const std::string& text, const std::string&, int style) override {
        messages.push_back(text);
        return style == kQuestion ? answerQuestions : kOk;
    }
    void music(const std::string& c) override { musicLog.push_back(c); }
    void showMenu() override {
        if (program) program->menu().Form_Activate();
    }
    void hideMenu() override {}
    std::uint64_t clockSeed() override { return ++clock; }
    void quit() override {}
    std::uint64_t clock = 0;
};

// Nothing but the core: no windows, boxes answered at once, every set-up seeded with 1.
class QuietFrontEnd : public FrontEnd {
public:
    int messageBox(const std::string&, const std::string&, int style) override {
        return style == kQuestion ? kNo : kOk;
    }
    void music(const std::string&) override {}
    void showMenu() override {}
    void hideMenu() override {}
    std::uint64_t clockSeed() override { return 1; }
    void quit() override {}
};

// A program whose progress file lies nowhere (reading finds nothing, writing is not asked for).
struct Headless {
    HeadlessFrontEnd fe;
    Program program{fe, gameScreens(), "/nonexistent-skyrend-dir/new.dat"};
    Headless() { fe.program = &program; }
};

}  // namespace sky::test
