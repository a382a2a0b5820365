// The virtual clock: pace, same-instant order, fresh intervals, busy handlers.
#include "runtime/scheduler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sky {
namespace {

TEST(Scheduler, TimersDueTogetherFireInTableOrderWhateverTheirCreationOrder) {
    Scheduler s;
    std::string log;
    Timer menu(s, "menu.Timer1", 100, true, 100, [&] { log += "M"; });
    Timer t5(s, "Timer5", 100, true, 4, [&] { log += "5"; });
    Timer pohyb(s, "pohyb", 10, true, 0, [&] { log += "p"; });
    Timer kol(s, "kolizie", 100, true, 1, [&] { log += "k"; });
    s.advance(ms(100));
    // Nine lone scroll ticks, then at 100 ms the scroll, collisions, dashboard and the menu.
    EXPECT_EQ(log, "ppppppppppk5M");
}

TEST(Scheduler, SwitchingOnStartsAFreshIntervalAndOnAgainChangesNothing) {
    Scheduler s;
    std::vector<Micros> fired;
    Timer t(s, "Timer4", 3000, false, 9, [&] { fired.push_back(s.now()); });
    s.advance(ms(1000));
    t.setEnabled(true);
    s.advance(ms(2000));
    t.setEnabled(true);  // already on: the interval runs on
    s.advance(ms(1500));
    t.setEnabled(false);
    s.advance(ms(500));
    t.setEnabled(true);
    s.advance(ms(3000));
    EXPECT_EQ(fired, (std::vector<Micros>{ms(4000), ms(8000)}));
}

TEST(Scheduler, AHandlerWaitingInABoxIsNotRunAgainAndItsMissedTicksAreDropped) {
    Scheduler s;
    int slow = 0, fast = 0;
    Timer box(s, "kolizie", 100, true, 1, [&] {
        ++slow;
        if (slow == 1) s.advance(ms(1000));  // the box stays open a second; the clock runs on
    });
    Timer tick(s, "pohyb", 10, true, 0, [&] { ++fast; });
    s.advance(ms(100));
    // While the box was open the scroll ticked on (10 before, 100 during), the box's own timer did not.
    EXPECT_EQ(slow, 1);
    EXPECT_EQ(fast, 110);
    EXPECT_EQ(s.now(), ms(1100));
    s.advance(ms(100));
    EXPECT_EQ(slow, 2);  // one tick after the box, not ten queued ones
    EXPECT_EQ(fast, 120);

    // Nor when the handler restarted its own interval before its box opened.
    Scheduler s2;
    int runs = 0;
    Timer* self = nullptr;
    Timer restart(s2, "kolizie", 100, true, 1, [&] {
        if (++runs > 1) return;
        self->setEnabled(false);
        self->setEnabled(true);
        s2.advance(ms(1000));
    });
    self = &restart;
    s2.advance(ms(100));
    EXPECT_EQ(runs, 1);
}

TEST(Scheduler, AHandlerMaySwitchItsOwnTimerOffOrReArmIt) {
    Scheduler s;
    int brakes = 0;
    Timer* self = nullptr;
    Timer brake(s, "Timer9", 1000, true, 11, [&] {
        if (++brakes == 3) self->setEnabled(false);
    });
    self = &brake;
    s.advance(ms(10000));
    EXPECT_EQ(brakes, 3);
    EXPECT_FALSE(brake.enabled());

    int retries = 0;
    Timer retry(s, "Timer2", 10, true, 10, [&] { ++retries; });
    retry.fire();  // as if it fired: counts, and does not disturb the schedule
    s.advance(ms(10));
    EXPECT_EQ(retries, 2);
}

struct PaceRow {
    Pace pace;
    int intervalMs;
    std::vector<Micros> firstFires;
};

TEST(Scheduler, APaceQuantumMakesTimersFireOnTheSystemTick) {
    const PaceRow rows[] = {
        // The PC clock: 54 925 us a tick. 10 ms fires every tick, 100 ms every second tick, 700 ms every 13th.
        {Pace::Classic, 10, {54925, 109850, 164776}},
        {Pace::Classic, 100, {109850, 219701, 329552}},
        {Pace::Classic, 700, {714030, 1428060}},
        {Pace::Xp, 10, {15625, 31250, 46875}},
        {Pace::Xp, 100, {109375, 218750}},
        {Pace::Nominal, 10, {10000, 20000, 30000}},
    };
    for (const PaceRow& r : rows) {
        Scheduler s;
        s.setPace(r.pace);
        std::vector<Micros> fired;
        Timer t(s, "Timer3", r.intervalMs, true, 3, [&] { fired.push_back(s.now()); });
        s.advanceTo(r.firstFires.back());
        EXPECT_EQ(fired, r.firstFires) << "interval " << r.intervalMs;
    }
}

TEST(Scheduler, TheSystemTickIsExactOverTheWholeClockAndPastItsEndIsNever) {
    const Micros end = Scheduler::kNever;
    const struct {
        Pace pace;
        Micros t, tick;
    } rows[] = {
        {Pace::Classic, 8'640'000'000'000, 8'640'000'023'171},  // a game left running for 100 days
        {Pace::Classic, end - 1'000'000, 9'223'372'036'853'788'595},
        {Pace::Classic, end, end},
        {Pace::Xp, end - 31'250, 9'223'372'036'854'750'000},
        {Pace::Xp, end - 10, end},
        {Pace::Nominal, end, end},
    };
    for (const auto& r : rows) {
        Scheduler s;
        s.setPace(r.pace);
        EXPECT_EQ(s.quantize(r.t), r.tick) << r.t;
    }
    // A timer switched on at 100 days fires on the right tick; one due past the clock's end never
    // fires, and the clock still reaches its end.
    Scheduler s;
    s.setPace(Pace::Classic);
    std::vector<Micros> fired;
    Timer t(s, "Timer5", 100, false, 4, [&] { fired.push_back(s.now()); });
    s.advanceTo(8'640'000'000'000 - 100'000);
    t.setEnabled(true);
    s.advance(ms(300));
    EXPECT_EQ(fired, (std::vector<Micros>{8'640'000'023'171, 8'640'000'133'022}));
    t.setEnabled(false);
    s.advanceTo(end - 1000);
    fired.clear();
    t.setEnabled(true);
    s.advance(ms(1000));
    EXPECT_EQ(s.now(), end);
    EXPECT_TRUE(fired.empty());
    EXPECT_EQ(s.nextFireAt(), Scheduler::kNever);
}

TEST(Scheduler, ASuspendedTimerResumesWhereItStood) {
    Scheduler s;
    std::vector<Micros> fired;
    Timer t(s, "Timer4", 3000, true, 9, [&] { fired.push_back(s.now()); });
    Timer other(s, "menu.Timer1", 1000, true, 100, [] {});
    s.advance(ms(1000));
    t.suspend();
    s.advance(ms(5000));  // the pause: no time for the suspended timer
    EXPECT_TRUE(fired.empty());
    t.resume();
    s.advance(ms(2000));
    EXPECT_EQ(fired, (std::vector<Micros>{ms(8000)}));
    // Switched off and on again during a pause, it starts its fresh interval at the pause.
    t.suspend();
    t.setEnabled(false);
    t.setEnabled(true);
    s.advance(ms(4000));
    t.resume();
    s.advance(ms(3000));
    EXPECT_EQ(fired, (std::vector<Micros>{ms(8000), ms(15000)}));
}

TEST(Scheduler, TellsWhenTheNextTimerFiresSoADriverCanSleepTillThen) {
    Scheduler s;
    s.setPace(Pace::Classic);
    EXPECT_EQ(s.nextFireAt(), Scheduler::kNever);
    Timer slow(s, "Timer5", 100, true, 4, [] {});
    Timer off(s, "Timer2", 10, false, 10, [] {});
    EXPECT_EQ(s.nextFireAt(), 109850);  // the second PC clock tick after 100 ms is due
    slow.suspend();
    EXPECT_EQ(s.nextFireAt(), Scheduler::kNever);
    slow.resume();
    s.advance(ms(110));
    EXPECT_EQ(s.handlerRuns(), 1u);
    EXPECT_EQ(s.nextFireAt(), 219701);
}

}  // namespace
}  // namespace sky
