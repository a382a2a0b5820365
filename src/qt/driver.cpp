// Moves the program's clock with real time.
#include "qt/driver.h"

#include <algorithm>

#include "qt/repaint.h"
#include "shell/program.h"

namespace sky::qt {

Driver::Driver(Program& program, Clock clock) : program_(program), clock_(std::move(clock)) {
    if (!clock_) {
        elapsed_.start();
        clock_ = [this] { return elapsed_.nsecsElapsed(); };
    }
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &Driver::step);
}

Driver::~Driver() = default;

void Driver::start() {
    startNs_ = clock_();
    realTime_.restart(startNs_);
    running_ = true;
    timer_.start(kPeriodMs);
}

void Driver::stop() {
    running_ = false;
    timer_.stop();
}

void Driver::step() {
    if (!running_ || program_.ended()) return;
    // Take the time first: a message box opened by a handler below runs steps of its own, and
    // each of them must count only the time since the step before it.
    const std::int64_t now = clock_();
    const Micros d = realTime_.step(now);
    ++steps_;
    if (d > 0) {
        advanced_ += d;
        if (advance_)
            advance_(program_.scheduler().now() + d);
        else
            program_.scheduler().advance(d);
    }
    if (program_.scheduler().depth() == 0 && boxes_ == 0) program_.collect();
    if (afterStep_) afterStep_();
    if (frames_) frames_->frame(now);
    timer_.stop();  // the sleep it woke from is over
    sleepUntilNextTimer();
}

void Driver::sleepUntilNextTimer() {
    // Waking every few milliseconds costs as much as painting the game; nothing happens between
    // two timers, so the driver sleeps until the next one is due (a key meanwhile acts at the
    // clock's time of the last step, which no timer has passed since). The wait counts from the
    // real time now, and an input only ever brings the wake-up forward: keys coming faster than
    // the sleep never hold the clock back.
    if (!running_) return;
    const std::int64_t nowNs = clock_();
    std::int64_t wake = 0;
    if (frames_ && frames_->moving()) {
        // Every display frame is drawn: it steps the clock first, running in order the timers
        // due since the last frame, so there is no other wake-up in between.
        wake = frames_->nextNs();
    } else {
        const Micros next = program_.scheduler().nextFireAt();
        const Micros due = next == Scheduler::kNever ? program_.scheduler().now() + ms(kMaxSleepMs) : next;
        const Micros wait = due - clockNow();
        const auto waitMs = std::clamp<Micros>((wait + 999) / 1000, kPeriodMs, kMaxSleepMs);
        wake = nowNs + waitMs * 1'000'000;
        if (frames_) wake = std::min(wake, frames_->nextNs());
    }
    // A frame is drawn up to a millisecond early, so its wake-up rounds to the nearest.
    const auto waitMs =
        static_cast<int>(std::clamp<std::int64_t>((wake - nowNs + 500'000) / 1'000'000, 0, kMaxSleepMs));
    wake = nowNs + std::int64_t{waitMs} * 1'000'000;
    if (timer_.isActive() && wakeNs_ <= wake) return;
    wakeNs_ = wake;
    timer_.start(waitMs);
}

Micros Driver::clockNow() const {
    const Micros since = running_ ? realTime_.pending(clock_()) : 0;
    return program_.scheduler().now() + since;
}

void Driver::resync() {
    realTime_.restart(clock_());
    timer_.stop();
    sleepUntilNextTimer();
}

Driver::NestedLoop::NestedLoop(Driver& d) : d_(d) {
    ++d_.boxes_;
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(kPeriodMs);
    QObject::connect(&timer_, &QTimer::timeout, &d_, &Driver::step);
    timer_.start();
}

Driver::NestedLoop::~NestedLoop() {
    timer_.stop();
    --d_.boxes_;
}

}  // namespace sky::qt
