// Repaints the game's windows when something has run.
#include "qt/repaint.h"

namespace sky::qt {

RepaintThrottle::RepaintThrottle(std::function<std::uint64_t()> runs, std::function<void()> paint)
    : runs_(std::move(runs)), paint_(std::move(paint)) {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(16);
    connect(&timer_, &QTimer::timeout, this, [this] {
        const std::uint64_t runs = runs_();
        if (runs == paintedRuns_ && !changed_) return;
        paintedRuns_ = runs;
        changed_ = false;
        paint_();
    });
}

}  // namespace sky::qt
