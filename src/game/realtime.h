// The program's clock following real time: each step adds the real time since the one before,
// but after a stall (a window dragged, a hidden tab, a suspended process) the world catches up
// only so much and does not race through what the player missed.
#pragma once

#include <cstdint>

#include "runtime/scheduler.h"

namespace sky {

// The pace a player's game runs at: the system tick the game's speeds were tuned on.
inline constexpr Pace kPlayersPace = Pace::Classic;

class RealTimeStep {
public:
    // The most one step adds.
    static constexpr Micros kMaxStep = ms(100);

    // Counts from this real time (nanoseconds on any steady clock); what went before is forgotten.
    void restart(std::int64_t ns) {
        lastNs_ = ns;
        carryNs_ = 0;
    }
    // The clock time to add for the real time up to ns; remainders below a microsecond carry over.
    Micros step(std::int64_t ns) {
        std::int64_t d = ns - lastNs_ + carryNs_;
        lastNs_ = ns;
        if (d < 0) d = 0;
        carryNs_ = d % 1000;
        if (d / 1000 > kMaxStep) {
            carryNs_ = 0;
            return kMaxStep;
        }
        return d / 1000;
    }
    // The clock time to add after the front end slept on purpose, nothing being due: the whole
    // time slept counts, however long (the cap is for stalls, and a chosen sleep is none).
    Micros stepAfterSleep(std::int64_t ns) {
        std::int64_t d = ns - lastNs_ + carryNs_;
        lastNs_ = ns;
        if (d < 0) d = 0;
        carryNs_ = d % 1000;
        return d / 1000;
    }
    // What a step now would add, without taking it.
    Micros pending(std::int64_t ns) const {
        const std::int64_t d = (ns - lastNs_ + carryNs_) / 1000;
        return d < 0 ? 0 : d > kMaxStep ? kMaxStep : d;
    }

private:
    std::int64_t lastNs_ = 0;
    std::int64_t carryNs_ = 0;
};

}  // namespace sky
