// Decides when the game's windows are repainted, at most once per display frame: every frame
// while the scene is in motion and drawn smoothly, otherwise only when something has run since
// the last time (a timer's handler or an input), so the ticks are drawn as they fall. It owns no
// timer: the driver asks it after each step and wakes for the next frame it wants.
#pragma once

#include <cstdint>
#include <functional>
#include <limits>

#include "qt/framepacer.h"

class QScreen;

namespace sky::qt {

class RepaintThrottle {
public:
    static constexpr std::int64_t kNone = std::numeric_limits<std::int64_t>::max();

    // runs: how many handlers have run so far; paint: repaints the windows; moving: whether the
    // scene is to be repainted every frame now (a game screen runs, smooth motion is on).
    RepaintThrottle(std::function<std::uint64_t()> runs, std::function<void()> paint,
                    std::function<bool()> moving = {});

    void start() { active_ = true; }
    void stop() { active_ = false; }
    // Paces the frames to this screen's refresh rate.
    void followScreen(const QScreen* s) { pacer_.followScreen(s); }
    double rate() const { return pacer_.rate(); }
    // An input has run: the next frame repaints.
    void sceneChanged() { changed_ = true; }

    // Every frame is drawn now, whether or not a handler ran: the frame steps the clock.
    bool moving() const { return active_ && moving_ && moving_(); }
    // After a step of the clock, at this instant: repaints if there is something to show and a
    // frame is due.
    void frame(std::int64_t nowNs);
    // When a repaint is next wanted (kNone: not until something runs).
    std::int64_t nextNs() const;

private:
    bool wanted() const;

    std::function<std::uint64_t()> runs_;
    std::function<void()> paint_;
    std::function<bool()> moving_;
    FramePacer pacer_;
    std::uint64_t paintedRuns_ = 0;  // handler runs when the windows were last repainted
    bool changed_ = true;            // an input has run since
    bool active_ = false;
};

}  // namespace sky::qt
