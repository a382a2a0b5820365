// Watching a recording: pause and speed move the clock as the viewer asks, and a jump back lands
// on the very state that playing straight to that instant reaches, and goes on from there alike.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "game/screens.h"
#include "game/watch.h"

namespace sky::replay {
namespace {

std::string stateOf(Program& program) {
    std::ostringstream out;
    printState(program, out);
    return out.str();
}

// Watches in the window's steps of 16 ms of real time until the clock reaches t.
void watchTo(Watch& w, Micros t) {
    while (w.clock() < t && !w.atEnd()) w.step(std::clamp<Micros>((t - w.clock()) * 4 / w.speedQuarters(), 1, 16'000));
}

TEST(Watch, PauseSpeedAndJumpBackLandWhereAStraightPlayLands) {
    std::string error;
    // Two flights with boxes and pauses in them, 85 s long.
    const auto rec = load(std::string(SKY_TESTS_DIR) + "/replays/ep1_birds_box_pauses.replay", error);
    ASSERT_TRUE(rec) << error;
    Watch w(*rec, gameScreens());
    EXPECT_EQ(w.speedQuarters(), 4);

    // Speed: a second of real time at each step from the slowest to the fastest; no step beyond.
    for (int i = 0; i < 3; ++i) w.slower();
    const Micros steps[] = {250'000, 500'000, 1'000'000, 2'000'000, 4'000'000, 8'000'000};
    for (Micros want : steps) {
        const Micros from = w.clock();
        w.step(1'000'000);
        EXPECT_EQ(w.clock() - from, want);
        w.faster();
    }
    EXPECT_EQ(w.speedQuarters(), 32);
    // A quarter speed carries the fractions: four steps of 3 us play 3 us, not none.
    for (int i = 0; i < 6; ++i) w.slower();
    Micros from = w.clock();
    for (int i = 0; i < 4; ++i) w.step(3);
    EXPECT_EQ(w.clock() - from, 3);
    w.faster(), w.faster();

    // Paused, real time plays nothing, and the bar says so.
    w.togglePause();
    from = w.clock();
    w.step(5'000'000);
    EXPECT_EQ(w.clock(), from);
    EXPECT_EQ(w.bar(Language::English).state, "Paused");
    EXPECT_EQ(w.bar(Language::Slovak).state, "Zastavené");
    w.togglePause();

    // Jumping back from 40 s lands where watching straight to 30 s lands, at the same speed.
    watchTo(w, 40'000'000);
    ASSERT_EQ(w.clock(), 40'000'000);
    w.faster();
    w.jumpBack();
    EXPECT_EQ(w.clock(), 30'000'000);
    EXPECT_EQ(w.speedQuarters(), 8);
    Watch straight(*rec, gameScreens());
    watchTo(straight, 30'000'000);
    EXPECT_EQ(stateOf(w.run().program()), stateOf(straight.run().program()));
    // ... and both go on alike, into the second flight.
    straight.faster();
    watchTo(w, 62'000'000);
    watchTo(straight, 62'000'000);
    EXPECT_EQ(stateOf(w.run().program()), stateOf(straight.run().program()));
    // Near the start it goes back to the start.
    Watch early(*rec, gameScreens());
    watchTo(early, 4'000'000);
    early.jumpBack();
    EXPECT_EQ(early.clock(), 0);
    EXPECT_EQ(early.bar(Language::English).clock, "0:00 / 1:25");

    // The end stops the clock there, however far real time goes; the bar says it has ended.
    w.step(3'600'000'000LL);
    EXPECT_EQ(w.clock(), rec->endTime);
    EXPECT_TRUE(w.atEnd());
    EXPECT_EQ(w.bar(Language::English).state, "End of recording");
    EXPECT_EQ(watchClock(3'723'000'000LL), "1:02:03");
    EXPECT_EQ(w.run().player().problemCount(), 0u);
    // A recording that stops while its flight goes on stops the clock at its last line too.
    const auto open = load(std::string(SKY_TESTS_DIR) + "/replays/ep1_bombs_pause_left_open.replay", error);
    ASSERT_TRUE(open) << error;
    Watch o(*open, gameScreens());
    o.step(3'600'000'000LL);
    EXPECT_EQ(o.clock(), open->endTime);
    EXPECT_TRUE(o.atEnd());
}

}  // namespace
}  // namespace sky::replay
