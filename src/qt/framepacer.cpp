// The display's frames as a grid in time.
#include "qt/framepacer.h"

#include <QScreen>
#include <cmath>

namespace sky::qt {

void FramePacer::followScreen(const QScreen* screen) {
    setRate(screen ? screen->refreshRate() : 0);
}

void FramePacer::setRate(double hz) {
    if (!(hz >= 24 && hz <= 360)) hz = kDefaultHz;
    periodNs_ = std::llround(1e9 / hz);
}

void FramePacer::drawn(std::int64_t nowNs) {
    nextNs_ += periodNs_;
    if (nextNs_ <= nowNs) nextNs_ = nowNs + periodNs_;
}

}  // namespace sky::qt
