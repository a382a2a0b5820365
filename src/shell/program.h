// The running program: the clock, the shared values, the menu and whichever screens are open.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "runtime/random.h"
#include "runtime/scheduler.h"
#include "shell/frontend.h"
#include "shell/modul1.h"

namespace sky {

class Menu;
class GameScreen;
class Program;

// Builds the game screen of an episode (1 or 2) for a program. The screens sit above the
// program, so it learns them from whoever builds it: the entry point, the runner, the tests.
// Shared ownership only so that the screen's own destructor comes with it from above.
using ScreenFactory = std::function<std::shared_ptr<GameScreen>(Program&, int episode)>;

class Program {
public:
    Program(FrontEnd& fe, ScreenFactory screens, std::string progressPath = "new.dat");
    Program(FrontEnd& fe, ScreenFactory screens, std::unique_ptr<ProgressStore> progress);
    ~Program();

    FrontEnd& frontEnd() { return fe_; }
    Scheduler& scheduler() { return sched_; }
    Random& random() { return rng_; }
    Modul1& modul1() { return modul1_; }
    GameProgress& progress() { return modul1_.progress; }
    ProgressStore& progressStore() { return *store_; }
    Menu& menu() { return *menu_; }

    // The open game screen, or nullptr.
    GameScreen* screen() const { return screen_; }

    // Loads an episode's screen (its set-up runs) and shows it; the caller hides the menu if it
    // was shown.
    GameScreen& openScreen(int episode);
    GameScreen& openForm1() { return openScreen(1); }
    GameScreen& openForm2() { return openScreen(2); }

    // The next screen set-up seeds the generator with this instead of the clock.
    void setNextSeed(std::uint64_t s) { nextSeed_ = s; }
    // Seeds the generator for a screen set-up; returns the seed used (for replays).
    std::uint64_t seedForSetup();
    std::uint64_t lastSeed() const { return lastSeed_; }

    // Called by a game screen's unload: it is no longer the open screen. The object lives on
    // until collect(), so a handler still waiting in a message box may return into it safely.
    void screenUnloaded(GameScreen& s);
    // Frees closed screens. Call only when no handler is running (scheduler depth 0).
    void collect();

    // Shows the menu again (an episode has ended); its activation refreshes the labels.
    void showMenu();

    // The menu has closed: the program ends. saved: whether the progress was kept.
    bool ended() const { return ended_; }
    void end(bool saved = true);
    bool saveFailed() const { return saveFailed_; }

private:
    struct Held {
        std::shared_ptr<GameScreen> screen;
        bool closed = false;
    };

    FrontEnd& fe_;
    ScreenFactory screens_;
    std::unique_ptr<ProgressStore> store_;
    Scheduler sched_;
    Random rng_;
    Modul1 modul1_;
    std::unique_ptr<Menu> menu_;
    GameScreen* screen_ = nullptr;
    std::vector<Held> held_;  // open and closed, until collected
    std::optional<std::uint64_t> nextSeed_;
    std::uint64_t lastSeed_ = 0;
    bool ended_ = false;
    bool saveFailed_ = false;
};

}  // namespace sky
