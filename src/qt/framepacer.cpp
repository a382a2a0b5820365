// One paint per display frame.
#include "qt/framepacer.h"

#include <QScreen>
#include <cmath>

namespace sky::qt {

FramePacer::FramePacer(std::function<void()> frame) : frame_(std::move(frame)) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &FramePacer::tick);
    clock_.start();
}

void FramePacer::followScreen(const QScreen* screen) {
    double hz = screen ? screen->refreshRate() : 0;
    if (!(hz >= 24 && hz <= 360)) hz = kDefaultHz;
    periodNs_ = 1e9 / hz;
}

void FramePacer::start() {
    if (active_) return;
    active_ = true;
    nextNs_ = static_cast<double>(clock_.nsecsElapsed());
    arm();
}

void FramePacer::stop() {
    active_ = false;
    timer_.stop();
}

void FramePacer::tick() {
    if (!active_) return;
    frame_();
    // Frames keep their own grid, so the rate averages out exactly whatever the timer's whole
    // milliseconds; a frame that came late starts the grid anew rather than catching up.
    nextNs_ += periodNs_;
    const auto now = static_cast<double>(clock_.nsecsElapsed());
    if (nextNs_ < now) nextNs_ = now + periodNs_ / 2;
    arm();
}

void FramePacer::arm() {
    if (!active_) return;
    const double waitNs = nextNs_ - static_cast<double>(clock_.nsecsElapsed());
    timer_.start(std::max(0, static_cast<int>(std::lround(waitNs / 1e6))));
}

}  // namespace sky::qt
