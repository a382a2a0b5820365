// A recorded game the page plays instead of listening to the player: from a file dropped on the
// page or picked, or from the page's address (#watch=...). The page's own front end shows it
// (the menu, the playfield, the music and the effects) while this drives the clock: paused or at
// 1/4x to 8x, and 10 s back by playing the recording again from its start without showing it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "game/recording.h"
#include "shell/frontend.h"
#include "shell/program.h"

namespace sky::web {

class PageWatch {
public:
    // The recording in text; nullptr and why (in the game's language) when it cannot play.
    static std::unique_ptr<PageWatch> open(std::string text, std::string& why);

    // A program at the recording's start, shown through fe, in slot (what was there goes).
    void start(FrontEnd& fe, std::unique_ptr<Program>& slot);
    // Real time has passed: the recording plays on by it at the chosen speed, unless paused.
    void step(Micros real);
    // 10 s back (from the start again, up to that instant, with no sounds on the way).
    void back(FrontEnd& fe, std::unique_ptr<Program>& slot);

    // For the front end: the recording answers the boxes and gives the seeds.
    int answerBox(int style) { return player_->answerBox(style); }
    std::uint64_t seed() { return player_->nextSeed(); }
    bool catchingUp() const { return catchingUp_; }

    void setPaused(bool p) { paused_ = p; }
    bool paused() const { return paused_; }
    // The speed as a step: 0 is 1/4x, 2 is 1x, 5 is 8x.
    static constexpr int kSpeeds = 6;
    void setSpeed(int step);
    int speed() const { return speed_; }
    Micros now() const;
    Micros end() const { return recording_.endTime; }
    bool finished() const;
    Program* program() const { return program_; }

private:
    explicit PageWatch(replay::Recording r) : recording_(std::move(r)) {}

    replay::Recording recording_;
    Program* program_ = nullptr;
    std::unique_ptr<replay::Player> player_;
    bool paused_ = false, catchingUp_ = false;
    int speed_ = 2;
    Micros carry_ = 0;  // quarters of a microsecond not yet played
};

// The watch the page's front end plays from, or nullptr while the player plays (page.cpp).
PageWatch* watching();
// Plays this recording in the page from its start (page.cpp).
void startWatching(std::unique_ptr<PageWatch> watch);
// 10 s back (page.cpp: the program is made again).
void watchBack();

}  // namespace sky::web
