// Watching a recording: pause and speed move the clock as the viewer asks, and a jump back lands
// on the very state that playing straight to that instant reaches, and goes on from there alike.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "game/screens.h"
#include "game/watch.h"
#include "support/testfrontend.h"

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

    // The window that shows a run is told the music as the run has it: the piece that plays on
    // through a jump back is opened again (which leaves it where it is), and one this recording
    // never played is stopped.
    test::TestFrontEnd playing, silent;
    early.run().show(playing);
    o.run().show(silent);
    EXPECT_EQ(playing.musicLog, (std::vector<std::string>{"Open", "Play"}));
    EXPECT_EQ(silent.musicLog, std::vector<std::string>{"Close"});
    early.run().hide(), o.run().hide();
}

// A window that shows the recorded box: it stays up for its recorded time at the viewer's pace,
// paused frames move nothing, and the game goes on as a straight play does. A jump back asked
// in the box lets the rest play at once.
TEST(Watch, AShownBoxStaysUpItsRecordedTimeAtTheViewersPace) {
    std::string error;
    const auto rec = load(std::string(SKY_TESTS_DIR) + "/replays/ep1_birds_box_pauses.replay", error);
    ASSERT_TRUE(rec) << error;
    for (const bool hurry : {false, true}) {
        Watch w(*rec, gameScreens());
        test::TestFrontEnd fe;
        std::vector<Micros> seen;
        fe.onBox = [&](const test::Box& b) {
            return w.answerBox(b.style, [&]() -> Micros {
                seen.push_back(w.clock());
                if (seen.size() == 5 || seen.size() == 8) w.togglePause();
                return hurry && seen.size() == 3 ? -1 : 100'000;
            });
        };
        w.run().show(fe);
        w.faster();  // 2x: a frame of 100 ms plays 200 ms
        watchTo(w, 70'000'000);
        ASSERT_EQ(fe.boxes.size(), 1u);
        ASSERT_FALSE(seen.empty());
        EXPECT_EQ(seen.front(), 54'431'072);  // opened as recorded
        if (hurry) {
            EXPECT_EQ(seen.size(), 3u);
            // Back from where the viewer asked in the box, not from where it closed.
            w.jumpBack(60'000'000);
            EXPECT_EQ(w.clock(), 50'000'000);
        } else {
            // 8.4 s at 2x: 43 frames that move the clock, 3 paused ones between that do not.
            EXPECT_EQ(seen.size(), 46u);
            EXPECT_EQ(seen[4], seen[7]);
            EXPECT_EQ(seen[8] - seen[7], 200'000);
        }
        watchTo(w, 70'000'000);
        Watch straight(*rec, gameScreens());
        watchTo(straight, w.clock());
        EXPECT_EQ(stateOf(w.run().program()), stateOf(straight.run().program()));
        EXPECT_EQ(w.run().player().problemCount(), 0u);
    }
}

}  // namespace
}  // namespace sky::replay
