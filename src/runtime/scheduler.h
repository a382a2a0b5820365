// The program-wide virtual clock and the timers it fires: intervals, pace quantum, same-instant
// order and the busy rule for handlers that wait in a message box.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sky {

using Micros = std::int64_t;

constexpr Micros ms(std::int64_t n) {
    return n * 1000;
}

// How often the system services timers: a timer fires on the first system tick at or after it
// falls due. The game was tuned on the PC clock's 18.2 Hz tick; without it the world crosses
// the screen in under a second.
enum class Pace { Classic, Xp, Nominal };

// The paces by the names the command line, scenarios and recordings use: classic, xp, nominal.
const char* paceName(Pace p);
std::optional<Pace> paceFromName(std::string_view name);

class Scheduler;

// A periodic timer. Handlers run one at a time; a handler that is still running (it opened a
// message box) is not run again until it returns, and the ticks it misses are dropped.
class Timer {
public:
    // What a timer runs: a plain function with the owner's context and data (a screen's timers
    // call its member handlers through one of these, without an allocation or a type-erased call).
    using Handler = void (*)(void* context, const void* data);
    Timer(Scheduler& s, std::string name, int intervalMs, bool enabled, int rank, Handler handler, void* context,
          const void* data = nullptr);
    Timer(Scheduler& s, std::string name, int intervalMs, bool enabled, int rank, std::function<void()> handler);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    const std::string& name() const { return name_; }
    int interval() const { return intervalMs_; }
    bool enabled() const { return enabled_; }
    bool busy() const { return busy_; }
    int rank() const { return rank_; }
    // Switching on a timer that is off starts a fresh interval; switching on one that is on
    // changes nothing.
    void setEnabled(bool on);
    // Runs the handler now, as if the timer fired (also when it is off), unless it is busy.
    void fire();
    // A suspended timer stands still: it does not fire, and on resuming its interval runs on
    // from where it stood (a paused game). Its on/off state is kept and may still be switched.
    void suspend();
    void resume();
    bool suspended() const { return suspended_; }

private:
    friend class Scheduler;
    Scheduler& sched_;
    std::string name_;
    int intervalMs_;
    bool enabled_;
    int rank_;
    Handler handler_;
    void* context_;
    const void* data_;
    std::function<void()> function_;  // the handler when given as a function
    bool busy_ = false;
    bool suspended_ = false;
    bool queued_ = false;    // in the scheduler's queue: on, not busy, not suspended, due some time
    Timer* next_ = nullptr;  // the one after it in the queue
    Micros suspendedAt_ = 0;
    Micros due_ = 0;     // when the interval runs out
    Micros fireAt_ = 0;  // the system tick at or after due_
    // Among timers due at the same tick: the rank, then the order the timers were made in, as one
    // number (the rank in the high half).
    std::uint64_t order_ = 0;
    std::uint64_t epoch_ = 0;  // bumped by every switch-on, so a running handler knows it was re-armed
    void setDue(Micros due);
    void init(bool enabled);
    // Whether this one fires before `o`.
    bool before(const Timer& o) const { return fireAt_ < o.fireAt_ || (fireAt_ == o.fireAt_ && order_ < o.order_); }
};

class Scheduler {
public:
    Micros now() const { return now_; }
    Pace pace() const { return pace_; }
    void setPace(Pace p);

    // Advances the clock to now + d, firing every timer that falls due on the way, those due at
    // the final instant included. May be entered again from inside a handler (a message box
    // keeps the clock running): the inner call moves the clock on and the outer one resumes there.
    void advance(Micros d);
    void advanceTo(Micros t);

    // The first system tick at or after t for the current pace.
    Micros quantize(Micros t) const;

    // Handler nesting depth (0 when no handler runs).
    int depth() const { return depth_; }

    // When the next timer will fire, or kNever when none is on; a driver sleeps until then.
    static constexpr Micros kNever = INT64_MAX;
    Micros nextFireAt() const;
    // How many handlers have run so far: nothing on the screen changes while this stands still,
    // except through input.
    std::uint64_t handlerRuns() const { return runs_; }
    // The clock time at which the last handler was fired (a window draws the motion from it).
    Micros lastFiredAt() const { return lastFired_; }

private:
    friend class Timer;
    void add(Timer* t);
    void remove(Timer* t);
    void run(Timer* t);
    Timer* nextDue(Micros limit, Micros& when) const;
    // Puts the timer in its place in the queue, or takes it out when it cannot fire.
    void requeue(Timer* t);
    void dequeue(Timer* t);

    Micros now_ = 0;
    Pace pace_ = Pace::Nominal;
    int depth_ = 0;
    std::uint64_t runs_ = 0;
    std::uint32_t made_ = 0;
    Micros lastFired_ = 0;
    std::vector<Timer*> timers_;
    // The timers that can fire, soonest first (by fire time, then rank, then the order they were
    // made in), linked through Timer::next_. A timer that has just fired goes back in behind the
    // few due before its next tick, so the list is walked only that far.
    Timer* queue_ = nullptr;
    Timer* finger_ = nullptr;  // the timer put back in the queue last
};

}  // namespace sky
