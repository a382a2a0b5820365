// Watching a recorded game.
#include "game/watch.h"

#include <algorithm>

#include "playfield/gamescreen.h"

namespace sky::replay {

namespace {

// Headless: a handler runs, and closed screens are freed once no handler is left running.
Player::Call quietCall(Program& program) {
    return [&program](const std::function<void()>& h) {
        h();
        if (program.scheduler().depth() == 0) program.collect();
    };
}

}  // namespace

Run::Run(const Recording& recording, ScreenFactory screens)
    : program_(*this, std::move(screens), std::make_unique<ProgressInMemory>(recording.start)) {
    call_ = quietCall(program_);
    program_.scheduler().setPace(recording.pace);
    player_ = std::make_unique<Player>(program_, recording, [this](const std::function<void()>& h) { call_(h); });
    program_.showMenu();
}

Run::~Run() = default;

void Run::show(FrontEnd& fe, Player::Call call) {
    shown_ = &fe;
    if (call) call_ = std::move(call);
    // A front end that already plays the piece (a jump back) keeps it going; one that plays
    // what the game no longer does stops.
    fe.music(musicOpen_ ? "Open" : "Close");
    if (musicPlaying_) fe.music("Play");
    if (GameScreen* s = program_.screen()) fe.screenOpened(*s);
    if (menuShown_) fe.showMenu();
}

void Run::hide() {
    shown_ = nullptr;
    call_ = quietCall(program_);
}

int Run::messageBox(const std::string& text, const std::string& title, int style) {
    return shown_ ? shown_->messageBox(text, title, style) : player_->answerBox(style);
}

void Run::music(const std::string& command) {
    if (command == "Open") musicOpen_ = true;
    if (command == "Play") musicPlaying_ = musicOpen_;
    if (command == "Close") musicOpen_ = musicPlaying_ = false;
    if (shown_) shown_->music(command);
}

void Run::cue(Cue c) {
    if (shown_) shown_->cue(c);
}

void Run::showMenu() {
    menuShown_ = true;
    if (shown_) shown_->showMenu();
}

void Run::hideMenu() {
    menuShown_ = false;
    if (shown_) shown_->hideMenu();
}

void Run::screenOpened(GameScreen& s) {
    if (shown_) shown_->screenOpened(s);
}

void Run::screenClosed(GameScreen& s) {
    if (shown_) shown_->screenClosed(s);
}

void Run::showRules() {
    if (shown_) shown_->showRules();
}

void Run::showAbout() {
    if (shown_) shown_->showAbout();
}

void Run::openUrl(const std::string& url) {
    if (shown_) shown_->openUrl(url);
}

std::uint64_t Run::clockSeed() {
    return player_->nextSeed();
}

WatchAction watchActionOfKey(std::string_view key) {
    if (key == "Space" || key == "P") return WatchAction::Pause;
    if (key == "Left" || key == "Backspace") return WatchAction::Back;
    if (key == "+" || key == "=" || key == "Up" || key == "Right") return WatchAction::Faster;
    if (key == "-" || key == "Down") return WatchAction::Slower;
    if (key == "Esc") return WatchAction::Leave;
    return WatchAction::None;
}

Watch::Watch(Recording recording, ScreenFactory screens)
    : recording_(std::move(recording)),
      screens_(std::move(screens)),
      run_(std::make_unique<Run>(recording_, screens_)) {}

Micros Watch::ahead(Micros real) {
    if (paused_ || real <= 0) return clock();
    const Micros quarters = real * kSpeeds[speed_] + carry_;
    carry_ = quarters % 4;
    return std::min(clock() + quarters / 4, end());
}

void Watch::step(Micros real) {
    if (!atEnd()) run_->player().advanceTo(ahead(real));
}

int Watch::answerBox(int style, const std::function<Micros()>& frame) {
    Program& program = run_->program();
    return run_->player().answerBox(style, [&](Micros until) {
        while (program.scheduler().now() < until) {
            const Micros real = frame();
            if (real < 0) return;
            program.scheduler().advanceTo(std::min(ahead(real), until));
        }
    });
}

void Watch::slower() {
    if (speed_ > 0) --speed_;
}

void Watch::faster() {
    if (speed_ + 1 < kSpeeds.size()) ++speed_;
}

void Watch::jumpBack(Micros from) {
    const Micros to = std::max<Micros>(0, std::min(from, clock()) - kJumpBack);
    run_->hide();
    run_.reset();  // its windows have gone with the front end that showed it
    run_ = std::make_unique<Run>(recording_, screens_);
    run_->player().advanceTo(to);
    carry_ = 0;
}

bool Watch::act(WatchAction a) {
    switch (a) {
        case WatchAction::Pause:
            togglePause();
            return false;
        case WatchAction::Slower:
            slower();
            return false;
        case WatchAction::Faster:
            faster();
            return false;
        case WatchAction::Back:
            jumpBack();
            return true;
        case WatchAction::None:
        case WatchAction::Leave:
            return false;
    }
    return false;
}

std::string watchClock(Micros t) {
    const Micros s = std::max<Micros>(0, t) / 1'000'000;
    auto two = [](Micros v) { return std::string(v < 10 ? "0" : "") + std::to_string(v); };
    if (s >= 3600) return std::to_string(s / 3600) + ":" + two(s / 60 % 60) + ":" + two(s % 60);
    return std::to_string(s / 60) + ":" + two(s % 60);
}

Watch::Bar Watch::bar(Language l) {
    static constexpr const char* kSpeedNames[] = {"\u00bc\u00d7", "\u00bd\u00d7", "1\u00d7",
                                                  "2\u00d7",      "4\u00d7",      "8\u00d7"};
    Bar b;
    b.state = text(l, atEnd() ? TextId::WatchEnd : paused_ ? TextId::WatchPaused : TextId::WatchPlaying);
    b.speed = text(l, TextId::WatchSpeed, {kSpeedNames[speed_]});
    b.clock = text(l, TextId::WatchClock, {watchClock(clock()), watchClock(end())});
    b.keys = text(l, TextId::WatchKeys);
    return b;
}

}  // namespace sky::replay
