// Moves the program's clock with real time, so the game's timers fire as a player expects.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <vector>

#include "game/realtime.h"
#include "runtime/scheduler.h"

namespace sky {
class Program;
}

namespace sky::qt {

class RepaintThrottle;

class Driver : public QObject {
    Q_OBJECT
public:
    // Nanoseconds of real time from any fixed start; the real clock unless a test gives its own.
    using Clock = std::function<std::int64_t()>;
    static constexpr int kPeriodMs = 2;  // the shortest sleep, and the pace inside message boxes
    // The longest sleep: a timer switched on other than by a handler or an input is seen this soon;
    // over a tick of the classic pace (54.9 ms), so that pace wakes once a tick, not twice.
    static constexpr int kMaxSleepMs = 60;

    explicit Driver(Program& program, Clock clock = {});
    ~Driver() override;

    void start();
    void stop();

    // What a step does with the time it has measured: by default the clock is advanced to the
    // target; a replay performs its recorded events on the way instead.
    using Advance = std::function<void(Micros target)>;
    void setAdvance(Advance a) { advance_ = std::move(a); }
    // Called after every step (the automatic pause looks whether its time has come).
    void setAfterStep(std::function<void()> f) { afterStep_ = std::move(f); }
    // The windows' repaints: asked after every step, and woken for. While the scene is in motion
    // the display's frames alone step the clock, one wake-up a frame.
    void setFrames(RepaintThrottle* frames) { frames_ = frames; }

    // One step: the clock advances by the real time since the last step (RealTimeStep caps it).
    // Freeing closed screens waits until no handler runs and no message box is open.
    void step();
    // Forgets the real time since the last step (a screen's set-up has just taken it), so the new
    // screen's timers start counting when its window appears.
    void resync();

    // While a message box is open inside a timer's handler, the driver's own timer is still on
    // the stack and Qt does not fire it again; a scope like this keeps the clock moving with a
    // timer of its own until the box returns.
    class NestedLoop {
    public:
        explicit NestedLoop(Driver& d);
        ~NestedLoop();
        NestedLoop(const NestedLoop&) = delete;
        NestedLoop& operator=(const NestedLoop&) = delete;

    private:
        Driver& d_;
        QTimer timer_;
    };

    int openBoxes() const { return boxes_; }
    Micros advanced() const { return advanced_; }  // clock time this driver has added
    std::int64_t steps() const { return steps_; }
    std::int64_t realElapsedNs() const { return running_ ? clock_() - startNs_ : 0; }
    std::int64_t nowNs() const { return clock_(); }  // on the driver's real clock
    // The program's clock as of this instant: where the last step left it, plus the real time
    // since (at most one step's worth). A window draws the motion between ticks from it.
    Micros clockNow() const;

    // Sleeps until the scheduler's next timer is due or the next frame is to be drawn (also after
    // an input has switched timers or changed the scene).
    void sleepUntilNextTimer();
    // When, on the driver's clock, it means to step next.
    std::int64_t wakeAtNs() const { return wakeNs_; }

private:
    Program& program_;
    Clock clock_;
    Advance advance_;
    std::function<void()> afterStep_;
    RepaintThrottle* frames_ = nullptr;
    QElapsedTimer elapsed_;
    QTimer timer_;
    bool running_ = false;
    std::int64_t startNs_ = 0;
    RealTimeStep realTime_;
    std::int64_t wakeNs_ = 0;
    int boxes_ = 0;
    Micros advanced_ = 0;
    std::int64_t steps_ = 0;
};

}  // namespace sky::qt
