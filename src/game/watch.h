// Watching a recorded game: the recording plays into a program of its own, and the viewer
// pauses it, plays it slower or faster and jumps back. Every front end (the windows, the page)
// shows the same watch: it draws the bar this says and turns the viewer's clicks and keys into
// these calls.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "game/recording.h"
#include "runtime/text.h"
#include "shell/frontend.h"
#include "shell/program.h"

namespace sky::replay {

// A recording played into a program of its own, its progress in memory: the player's progress
// file is neither read nor written. With no window, the game is answered as a headless replay
// answers it (boxes and seeds from the recording, no menu, no music); once shown, what the game
// asks of the world goes to the front end that shows it.
class Run : private FrontEnd {
public:
    Run(const Recording& recording, ScreenFactory screens);
    ~Run() override;
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

    Program& program() { return program_; }
    Player& player() { return *player_; }
    // The recording has nothing more to play, or the recorded game has ended.
    bool over() const { return !player_->finished() ? program_.ended() : true; }

    // From now on the game shows through fe, each handler run through call (the window's tidying
    // up after it). fe is brought up to what the game shows now: the menu or the open screen,
    // and the music, opened and playing or closed.
    void show(FrontEnd& fe, Player::Call call = {});
    // No front end shows it any more (it is going): the game is answered as with no window.
    void hide();

private:
    int messageBox(const std::string& text, const std::string& title, int style) override;
    void music(const std::string& command) override;
    void cue(Cue c) override;
    void showMenu() override;
    void hideMenu() override;
    void screenOpened(GameScreen& s) override;
    void screenClosed(GameScreen& s) override;
    void showRules() override;
    void showAbout() override;
    void openUrl(const std::string& url) override;
    std::uint64_t clockSeed() override;
    void quit() override {}  // the watch decides what comes after the recorded game's end

    FrontEnd* shown_ = nullptr;
    Player::Call call_;
    bool menuShown_ = false, musicOpen_ = false, musicPlaying_ = false;
    Program program_;
    std::unique_ptr<Player> player_;
};

// The viewer's controls: which key does what is the watch's, so every front end has the same.
enum class WatchAction { None, Pause, Slower, Faster, Back, Leave };
// The action of a key by the game's names of keys (game/keys.h), or None.
WatchAction watchActionOfKey(std::string_view key);

class Watch {
public:
    // Speeds in quarters of real time: 1/4x, 1/2x, 1x, 2x, 4x, 8x.
    static constexpr std::array<int, 6> kSpeeds{1, 2, 4, 8, 16, 32};
    static constexpr std::size_t kNormalSpeed = 2;
    // How far a jump back goes.
    static constexpr Micros kJumpBack = ms(10'000);

    // Starts at the recording's beginning, playing at 1x, with no window yet.
    Watch(Recording recording, ScreenFactory screens);

    Run& run() { return *run_; }
    const Recording& recording() const { return recording_; }

    // Real time has passed: the clock moves on by it at the chosen speed, not while paused and
    // never past the recording's end. Fractions of a microsecond are carried to the next step.
    void step(Micros real);
    // What the viewer asks; returns whether the run was replaced (a jump back: the window then
    // shows the new run with Run::show).
    bool act(WatchAction a);
    void togglePause() { paused_ = !paused_; }
    void slower();
    void faster();
    // A new run, played from the start with no window up to kJumpBack before the clock (the start
    // at the most), at the same speed and pause as before.
    void jumpBack() { jumpBack(clock()); }
    // ... before `from` (where the viewer asked, when the run could not be replaced at once).
    void jumpBack(Micros from);
    // A box the recorded game opened, shown by the window that shows the run (called from its
    // messageBox): the clock runs on at the viewer's speed, not while paused, up to when the box
    // closed in the recording, and the recorded answer is returned. frame() waits for the window's
    // next frame and returns the real time since the last; a negative one plays the rest at once.
    int answerBox(int style, const std::function<Micros()>& frame);

    bool paused() const { return paused_; }
    int speedQuarters() const { return kSpeeds[speed_]; }
    Micros clock() { return run_->program().scheduler().now(); }
    Micros end() const { return recording_.endTime; }
    bool atEnd() const { return run_->over(); }

    // What the bar shows: the state (playing, paused, the end), the speed, the clock against the
    // recording's length and the keys, in the given language.
    struct Bar {
        std::string state, speed, clock, keys;
    };
    Bar bar(Language l);

private:
    // Where real time takes the clock at the chosen speed (the fractions carried), paused or not.
    Micros ahead(Micros real);

    Recording recording_;
    ScreenFactory screens_;
    std::unique_ptr<Run> run_;
    bool paused_ = false;
    std::size_t speed_ = kNormalSpeed;
    Micros carry_ = 0;  // quarters of a microsecond not yet played
};

// "m:ss" (and "h:mm:ss" from an hour on) of a clock time, rounded down to the second.
std::string watchClock(Micros t);

}  // namespace sky::replay
