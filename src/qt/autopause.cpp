// The game pauses itself while the player is away.
#include "qt/autopause.h"

#include "game/input.h"
#include "playfield/gamescreen.h"

namespace sky::qt {

AutoPause::AutoPause(bool enabled, int delayMs, Screen screen, Input input)
    : enabled_(enabled), screen_(std::move(screen)), input_(std::move(input)) {
    timer_.setSingleShot(true);
    timer_.setInterval(delayMs);
    connect(&timer_, &QTimer::timeout, this, &AutoPause::check);
}

void AutoPause::applicationStateChanged(Qt::ApplicationState state, bool replaying) {
    appActive_ = state == Qt::ApplicationActive;
    if (!enabled_ || replaying) return;
    if (!appActive_) {
        timer_.start();
        return;
    }
    timer_.stop();
    GameScreen* s = screen_();
    if (autoPaused_ && s && s->paused()) {
        InputEvent e;
        e.kind = InputEvent::Resume;
        e.automatic = true;
        input_(e);
    }
    autoPaused_ = false;
}

void AutoPause::check() {
    GameScreen* s = screen_();
    if (appActive_ || !s || s->closed() || s->paused()) return;
    InputEvent e;
    e.kind = InputEvent::Pause;
    e.automatic = true;
    input_(e);
    autoPaused_ = s->paused();
}

}  // namespace sky::qt
