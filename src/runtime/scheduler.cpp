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
    Micros r;
    if (__builtin_add_overflow(a, b, &r)) return b > 0 ? Scheduler::kNever : INT64_MIN;
    return r;
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

Timer::Timer(Scheduler& s, std::string name, int intervalMs, bool enabled, int rank, Handler handler, void* context,
             const void* data)
    : sched_(s),
      name_(std::move(name)),
      intervalMs_(intervalMs),
      enabled_(false),
      rank_(rank),
      handler_(handler),
      context_(context),
      data_(data) {
    init(enabled);
}

Timer::Timer(Scheduler& s, std::string name, int intervalMs, bool enabled, int rank, std::function<void()> handler)
    : sched_(s),
      name_(std::move(name)),
      intervalMs_(intervalMs),
      enabled_(false),
      rank_(rank),
      handler_([](void* f, const void*) { (*static_cast<std::function<void()>*>(f))(); }),
      context_(&function_),
      data_(nullptr),
      function_(std::move(handler)) {
    init(enabled);
}

void Timer::init(bool enabled) {
    sched_.add(this);
    setEnabled(enabled);
}

Timer::~Timer() {
    sched_.remove(this);
}

void Timer::setDue(Micros due) {
    due_ = due;
    fireAt_ = sched_.quantize(due);
    sched_.requeue(this);
}

void Timer::setEnabled(bool on) {
    if (on && !enabled_) {
        enabled_ = true;
        // Switched on while suspended, the fresh interval starts when the timer stood still.
        setDue(sum(suspended_ ? suspendedAt_ : sched_.now(), ms(intervalMs_)));
        ++epoch_;
    } else if (!on && enabled_) {
        enabled_ = false;
        sched_.requeue(this);
    }
}

void Timer::suspend() {
    if (suspended_) return;
    suspended_ = true;
    suspendedAt_ = sched_.now();
    sched_.requeue(this);
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
    // Ranks ordered as signed numbers, then the making order (which wraps only after 2^32 timers).
    t->order_ = (std::uint64_t(std::uint32_t(t->rank_) ^ 0x80000000u) << 32) | made_++;
    timers_.push_back(t);
}

void Scheduler::remove(Timer* t) {
    dequeue(t);
    if (finger_ == t) finger_ = nullptr;
    timers_.erase(std::remove(timers_.begin(), timers_.end(), t), timers_.end());
}

void Scheduler::dequeue(Timer* t) {
    if (!t->queued_) return;
    t->queued_ = false;
    Timer** p = &queue_;
    while (*p != t) p = &(*p)->next_;
    *p = t->next_;
}

void Scheduler::requeue(Timer* t) {
    dequeue(t);
    if (!t->enabled_ || t->busy_ || t->suspended_ || t->fireAt_ == kNever) return;
    // The walk starts after the timer put back last when that one goes first: timers due at the
    // same tick are put back one after the other, each right behind the one before.
    Timer** p = finger_ && finger_->queued_ && finger_->before(*t) ? &finger_->next_ : &queue_;
    while (*p && !t->before(**p)) p = &(*p)->next_;
    t->next_ = *p;
    *p = t;
    t->queued_ = true;
    finger_ = t;
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
    Timer* best = queue_;
    if (!best) return nullptr;
    if (best->fireAt_ >= now_) {
        if (best->fireAt_ > limit) return nullptr;
        when = best->fireAt_;
        return best;
    }
    // Timers overdue (their tick passed while the clock was moved on inside a message box) all
    // fall now, in their rank order.
    if (now_ > limit) return nullptr;
    for (Timer* t = queue_; t && t->fireAt_ <= now_; t = t->next_)
        if (t->order_ < best->order_) best = t;
    when = now_;
    return best;
}

void Scheduler::run(Timer* t) {
    const std::uint64_t epoch = t->epoch_;
    const Micros firedAt = now_;
    lastFired_ = firedAt;
    const Micros step = ms(t->intervalMs_);
    if (queue_ == t) {
        queue_ = t->next_;  // the usual case: the one due first
        t->queued_ = false;
    } else {
        dequeue(t);
    }
    t->busy_ = true;
    // Re-arm before the handler runs, so a handler that switches its own timer off or on wins.
    t->due_ = sum(firedAt, step);
    t->fireAt_ = pace_ == Pace::Nominal ? t->due_ : quantize(t->due_);
    ++depth_;
    ++runs_;
    // The handler may destroy the timer's screen; the screen defers that until the stack unwinds.
    t->handler_(t->context_, t->data_);
    --depth_;
    t->busy_ = false;
    // Ticks missed while the handler waited in a message box are dropped, not queued.
    if (t->epoch_ == epoch && step > 0)
        while (t->fireAt_ <= now_ && now_ > firedAt && t->fireAt_ != kNever) {
            t->due_ = sum(t->due_, step);
            t->fireAt_ = quantize(t->due_);
        }
    requeue(t);
}

Micros Scheduler::nextFireAt() const {
    return queue_ ? std::max(queue_->fireAt_, now_) : kNever;
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
