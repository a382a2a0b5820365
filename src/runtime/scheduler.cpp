// The virtual clock and its timers.
#include "runtime/scheduler.h"

#include <algorithm>
#include <utility>

namespace sky {

namespace {
// One PC clock tick: 65536 / 1193182 s.
constexpr std::int64_t kPitDivisor = 65536;
constexpr std::int64_t kPitHz = 1193182;
constexpr Micros kXpTick = 15625;

// The clock's arithmetic is exact over the whole 64-bit range: products and sums go through 128
// bits, and an instant past the end of the clock is kNever, which never comes.
using Wide = __int128;

Micros clamp(Wide v) {
    if (v >= Scheduler::kNever) return Scheduler::kNever;
    if (v <= INT64_MIN) return INT64_MIN;
    return static_cast<Micros>(v);
}

Micros sum(Micros a, Micros b) {
    return clamp(Wide(a) + b);
}

Wide ceilDiv(Wide a, Wide b) {
    return a >= 0 ? (a + b - 1) / b : -((-a) / b);
}

constexpr std::pair<Pace, const char*> kPaceNames[] = {
    {Pace::Classic, "classic"}, {Pace::Xp, "xp"}, {Pace::Nominal, "nominal"}};
}  // namespace

const char* paceName(Pace p) {
    for (const auto& [pace, name] : kPaceNames)
        if (pace == p) return name;
    return "classic";
}

std::optional<Pace> paceFromName(std::string_view name) {
    for (const auto& [pace, n] : kPaceNames)
        if (name == n) return pace;
    return std::nullopt;
}

Timer::Timer(Scheduler& s, std::string name, int intervalMs, bool enabled, int rank, std::function<void()> handler)
    : sched_(s),
      name_(std::move(name)),
      intervalMs_(intervalMs),
      enabled_(false),
      rank_(rank),
      handler_(std::move(handler)) {
    sched_.add(this);
    setEnabled(enabled);
}

Timer::~Timer() {
    sched_.remove(this);
}

void Timer::setDue(Micros due) {
    due_ = due;
    fireAt_ = sched_.quantize(due);
}

void Timer::setEnabled(bool on) {
    if (on && !enabled_) {
        // Switched on while suspended, the fresh interval starts when the timer stood still.
        setDue(sum(suspended_ ? suspendedAt_ : sched_.now(), ms(intervalMs_)));
        ++epoch_;
    }
    enabled_ = on;
}

void Timer::suspend() {
    if (suspended_) return;
    suspended_ = true;
    suspendedAt_ = sched_.now();
}

void Timer::resume() {
    if (!suspended_) return;
    suspended_ = false;
    setDue(sum(due_, sched_.now() - suspendedAt_));
}

void Timer::fire() {
    if (!busy_) sched_.run(this);
}

void Scheduler::setPace(Pace p) {
    pace_ = p;
    for (Timer* t : timers_) t->setDue(t->due_);
}

void Scheduler::add(Timer* t) {
    timers_.push_back(t);
}

void Scheduler::remove(Timer* t) {
    timers_.erase(std::remove(timers_.begin(), timers_.end(), t), timers_.end());
}

Micros Scheduler::quantize(Micros t) const {
    switch (pace_) {
        case Pace::Nominal:
            return t;
        case Pace::Xp:
            return clamp(ceilDiv(t, kXpTick) * kXpTick);
        case Pace::Classic: {
            // System tick k falls at floor(k * 65536e6 / 1193182) microseconds; the first k with
            // k * 65536e6 / 1193182 >= t is ceil(t * 1193182 / 65536e6), and since t is whole its
            // floor is still at or after t.
            const Wide period = Wide(kPitDivisor) * 1000000;
            const Wide k = ceilDiv(Wide(t) * kPitHz, period);
            return clamp(k * period / kPitHz - (k * period % kPitHz < 0 ? 1 : 0));
        }
    }
    return t;
}

Timer* Scheduler::nextDue(Micros limit, Micros& when) const {
    Timer* best = nullptr;
    Micros bestAt = 0;
    for (Timer* t : timers_) {
        if (!t->enabled_ || t->busy_ || t->suspended_ || t->fireAt_ == kNever) continue;
        Micros at = std::max(t->fireAt_, now_);
        if (at > limit) continue;
        if (!best || at < bestAt || (at == bestAt && t->rank_ < best->rank_)) {
            best = t;
            bestAt = at;
        }
    }
    when = bestAt;
    return best;
}

void Scheduler::run(Timer* t) {
    const std::uint64_t epoch = t->epoch_;
    const Micros firedAt = now_;
    lastFired_ = firedAt;
    const Micros step = ms(t->intervalMs_);
    // Re-arm before the handler runs, so a handler that switches its own timer off or on wins.
    t->setDue(sum(firedAt, step));
    t->busy_ = true;
    ++depth_;
    ++runs_;
    // The handler may destroy the timer's screen; the screen defers that until the stack unwinds.
    t->handler_();
    --depth_;
    t->busy_ = false;
    // Ticks missed while the handler waited in a message box are dropped, not queued.
    if (t->epoch_ == epoch && step > 0)
        while (t->fireAt_ <= now_ && now_ > firedAt && t->fireAt_ != kNever) t->setDue(sum(t->due_, step));
}

Micros Scheduler::nextFireAt() const {
    Micros when = kNever;
    for (const Timer* t : timers_)
        if (t->enabled_ && !t->busy_ && !t->suspended_) when = std::min(when, std::max(t->fireAt_, now_));
    return when;
}

void Scheduler::advance(Micros d) {
    advanceTo(sum(now_, d));
}

void Scheduler::advanceTo(Micros target) {
    for (;;) {
        Micros when = 0;
        Timer* t = nextDue(target, when);
        if (!t) break;
        now_ = std::max(now_, when);
        run(t);
    }
    now_ = std::max(now_, target);
}

}  // namespace sky
