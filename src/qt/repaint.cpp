// Repaints the game's windows once per display frame at most.
#include "qt/repaint.h"

namespace sky::qt {

RepaintThrottle::RepaintThrottle(std::function<std::uint64_t()> runs, std::function<void()> paint,
                                 std::function<bool()> moving)
    : runs_(std::move(runs)), paint_(std::move(paint)), moving_(std::move(moving)), pacer_([this] { frame(); }) {}

void RepaintThrottle::frame() {
    const std::uint64_t runs = runs_();
    if (runs == paintedRuns_ && !changed_ && !(moving_ && moving_())) return;
    paintedRuns_ = runs;
    changed_ = false;
    paint_();
}

}  // namespace sky::qt
