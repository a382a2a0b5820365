// The display's frames as a grid in time: one every refresh of the screen, or about 60 a second
// on a display that does not tell its rate. Times are the driver's nanoseconds.
#pragma once

#include <cstdint>

class QScreen;

namespace sky::qt {

class FramePacer {
public:
    static constexpr double kDefaultHz = 60;
    // Timers wake in whole milliseconds: a wake-up this much before the frame still draws it.
    static constexpr std::int64_t kEarlyNs = 1'000'000;

    // The rate of this screen (nullptr, or a screen without a sensible rate: the default).
    void followScreen(const QScreen* screen);
    void setRate(double hz);
    double rate() const { return 1e9 / static_cast<double>(periodNs_); }
    std::int64_t periodNs() const { return periodNs_; }

    // When the next frame falls.
    std::int64_t nextNs() const { return nextNs_; }
    bool due(std::int64_t nowNs) const { return nowNs >= nextNs_ - kEarlyNs; }
    // A frame was drawn now: the next is one period on in the grid, so the rate averages out
    // exactly whatever the timer's whole milliseconds; a frame that came late, or after a rest,
    // starts the grid anew rather than catching up.
    void drawn(std::int64_t nowNs);

private:
    std::int64_t periodNs_ = static_cast<std::int64_t>(1e9 / kDefaultHz);
    std::int64_t nextNs_ = 0;
};

}  // namespace sky::qt
