// Decides when the game's windows are repainted.
#include "qt/repaint.h"

namespace sky::qt {

RepaintThrottle::RepaintThrottle(std::function<std::uint64_t()> runs, std::function<void()> paint,
                                 std::function<bool()> moving)
    : runs_(std::move(runs)), paint_(std::move(paint)), moving_(std::move(moving)) {}

bool RepaintThrottle::wanted() const {
    return active_ && (changed_ || runs_() != paintedRuns_ || moving());
}

void RepaintThrottle::frame(std::int64_t nowNs) {
    if (!wanted() || !pacer_.due(nowNs)) return;
    paintedRuns_ = runs_();
    changed_ = false;
    pacer_.drawn(nowNs);
    paint_();
}

std::int64_t RepaintThrottle::nextNs() const {
    return wanted() ? pacer_.nextNs() : kNone;
}

}  // namespace sky::qt
