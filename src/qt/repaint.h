// Repaints the game's windows once per display frame at most: every frame while the scene is in
// motion and drawn smoothly, otherwise only when something has run since the last time (a
// timer's handler or an input), so the ticks are drawn as they fall.
#pragma once

#include <QObject>
#include <cstdint>
#include <functional>

#include "qt/framepacer.h"

class QScreen;

namespace sky::qt {

class RepaintThrottle : public QObject {
    Q_OBJECT
public:
    // runs: how many handlers have run so far; paint: repaints the windows; moving: whether the
    // scene is to be repainted every frame now (a game screen runs, smooth motion is on).
    RepaintThrottle(std::function<std::uint64_t()> runs, std::function<void()> paint,
                    std::function<bool()> moving = {});

    void start() { pacer_.start(); }
    void stop() { pacer_.stop(); }
    // Paces the frames to this screen's refresh rate.
    void followScreen(const QScreen* s) { pacer_.followScreen(s); }
    double rate() const { return pacer_.rate(); }
    // An input has run: the next turn repaints.
    void sceneChanged() { changed_ = true; }

private:
    void frame();

    std::function<std::uint64_t()> runs_;
    std::function<void()> paint_;
    std::function<bool()> moving_;
    FramePacer pacer_;
    std::uint64_t paintedRuns_ = 0;  // handler runs when the windows were last repainted
    bool changed_ = true;            // an input has run since
};

}  // namespace sky::qt
