// What the player's keys, the focus and the message boxes do.
#include "game/controls.h"

#include <algorithm>

#include "playfield/gamescreen.h"
#include "shell/program.h"

namespace sky {

namespace {

// The buttons' words, in one place.
constexpr BoxButton kOkButtons[] = {{kOk, TextId::BoxOk}};
constexpr BoxButton kQuestionButtons[] = {{kYes, TextId::BoxYes}, {kNo, TextId::BoxNo}};

InputEvent inputOf(InputEvent::Kind kind, int value = 0, bool automatic = false) {
    InputEvent e;
    e.kind = kind;
    e.value = value;
    e.automatic = automatic;
    return e;
}

// Keys that act on every key-down, the keyboard's repeats included.
bool flies(GameKey k) {
    switch (k) {
        case GameKey::None:
        case GameKey::NoseUp:
        case GameKey::NoseDown:
        case GameKey::Faster:
        case GameKey::Slower:
        case GameKey::Fire:
            return true;
        default:
            return false;
    }
}

}  // namespace

BoxLayout boxLayout(int style) {
    // A question is answered No by Esc: only a deliberate Yes spends anything.
    if (style == kQuestion) return {kQuestionButtons, kYes, kNo};
    return {kOkButtons, kOk, kOk};
}

Controls::Controls(Program& program, Options options) : program_(program), options_(options) {}

GameScreen* Controls::screen() const {
    GameScreen* s = program_.screen();
    return s && !s->closed() ? s : nullptr;
}

Controls::Down* Controls::find(std::string_view key) {
    for (Down& d : down_)
        if (d.key == key) return &d;
    return nullptr;
}

bool Controls::isDown(std::string_view key) const {
    return std::any_of(down_.begin(), down_.end(), [&](const Down& d) { return d.key == key; });
}

Controls::Outcome Controls::press(std::string_view key, bool repeat, std::int64_t ms) {
    Outcome o;
    Down* d = find(key);
    bool again = repeat || d;
    for (const Released& r : released_) again |= r.key == key && ms >= r.ms && ms - r.ms <= kRepeatGapMs;
    if (!d) {
        if (down_.size() >= 32) down_.erase(down_.begin());  // releases lost somewhere: keep it small
        d = &down_.emplace_back(Down{std::string(key), false});
    }
    if (!boxes_.empty()) {
        if (d->stale) {
            o.box = Outcome::Ignore;
        } else if (key == "Esc") {
            o.box = Outcome::Answer;
            o.answer = boxLayout(boxes_.back()).escapeAnswer;
        } else {
            o.box = Outcome::Pass;
        }
        return o;
    }
    GameScreen* s = screen();
    if (!s) return o;
    o.game = true;
    const GameKey k = map_.lookup(key);
    if (again && !flies(k)) return o;
    if (k == GameKey::FullScreen) {
        o.fullScreen = true;
    } else if (k == GameKey::BlackBox) {
        o.blackBox = true;
    } else if (helpShown()) {
        // The game waits under its help page; its own key or leave takes the page away.
        if (k == GameKey::Help || k == GameKey::Leave) showHelp(false, o);
    } else if (k == GameKey::Help) {
        showHelp(true, o);
    } else if (k == GameKey::Pause) {
        o.input = pauseKey();
    } else if (!s->paused() || k == GameKey::Leave) {
        // A paused game takes no key but leave.
        o.input = inputOf(InputEvent::Key, screenKeyCode(k));
    }
    return o;
}

Controls::Outcome Controls::release(std::string_view key, bool repeat, std::int64_t ms) {
    Outcome o;
    Down* d = find(key);
    if (!boxes_.empty()) o.box = d && d->stale ? Outcome::Ignore : Outcome::Pass;
    if (repeat || !d) return o;
    std::erase_if(released_, [&](const Released& r) { return r.key == key || ms - r.ms > kRepeatGapMs; });
    released_.push_back({d->key, ms});
    down_.erase(down_.begin() + (d - down_.data()));
    return o;
}

void Controls::releaseAll() {
    down_.clear();
    released_.clear();
}

void Controls::boxOpened(int style) {
    if (boxes_.empty())
        for (Down& d : down_) d.stale = true;
    boxes_.push_back(style);
}

void Controls::boxClosed() {
    if (boxes_.empty()) return;
    boxes_.pop_back();
    if (boxes_.empty())
        for (Down& d : down_) d.stale = false;
}

void Controls::screenChanged() {
    help_ = nullptr;
    helpPaused_ = false;
    autoPaused_ = nullptr;
}

bool Controls::helpShown() const {
    return help_ && help_ == screen();
}

void Controls::showHelp(bool on, Outcome& o) {
    GameScreen* s = screen();
    o.help = true;
    if (on) {
        help_ = s;
        helpPaused_ = !s->paused();
        if (helpPaused_) o.input = inputOf(InputEvent::Pause);
        autoPaused_ = nullptr;
        return;
    }
    // A game paused with P before the help page stays paused.
    if (helpPaused_ && s->paused()) o.input = inputOf(InputEvent::Resume);
    help_ = nullptr;
    helpPaused_ = false;
}

std::optional<InputEvent> Controls::pauseKey() {
    GameScreen* s = screen();
    if (!s) return std::nullopt;
    autoPaused_ = nullptr;  // a pause of the player's own stays until they end it
    return inputOf(s->paused() ? InputEvent::Resume : InputEvent::Pause);
}

std::optional<InputEvent> Controls::focus(bool active, std::int64_t ms) {
    if (!active) {
        // The releases of keys let go meanwhile go elsewhere.
        releaseAll();
        if (!away_) awaySince_ = ms;
        away_ = true;
        return poll(ms);
    }
    away_ = false;
    GameScreen* s = screen();
    const bool resume = options_.autopause && autoPaused_ && autoPaused_ == s && s->paused();
    autoPaused_ = nullptr;
    if (resume) return inputOf(InputEvent::Resume, 0, true);
    return std::nullopt;
}

std::optional<InputEvent> Controls::poll(std::int64_t ms) {
    GameScreen* s = screen();
    if (!options_.autopause || !away_ || !s || s->paused() || ms - awaySince_ < options_.autopauseDelayMs)
        return std::nullopt;
    autoPaused_ = s;
    return inputOf(InputEvent::Pause, 0, true);
}

bool Controls::autoPaused() const {
    return autoPaused_ && autoPaused_ == screen();
}

}  // namespace sky
