// Repaints the game's windows at most at the display's rate, and only when something has run
// since the last time: a timer's handler or an input.
#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>

namespace sky::qt {

class RepaintThrottle : public QObject {
    Q_OBJECT
public:
    // runs: how many handlers have run so far; paint: repaints the windows.
    RepaintThrottle(std::function<std::uint64_t()> runs, std::function<void()> paint);

    void start() { timer_.start(); }
    void stop() { timer_.stop(); }
    // An input has run: the next turn repaints.
    void sceneChanged() { changed_ = true; }

private:
    std::function<std::uint64_t()> runs_;
    std::function<void()> paint_;
    QTimer timer_;
    std::uint64_t paintedRuns_ = 0;  // handler runs when the windows were last repainted
    bool changed_ = true;            // an input has run since
};

}  // namespace sky::qt
