// The black box and the best runs: what the box keeps stays bounded over a long game and still
// plays from its first line to the state the game is in; F12 asks for it; a run that set a new
// best is kept only when its recording replays to that score.
#include <gtest/gtest.h>

#include <optional>
#include <sstream>

#include "game/controls.h"
#include "game/recording.h"
#include "game/screens.h"
#include "playfield/gamescreen.h"
#include "scenario/blackbox.h"
#include "scenario/headless.h"
#include "support/recordedgame.h"

namespace sky::replay {
namespace {

// The window's part, every input, seed and box answer going to the box; a box stays open 0.7 s.
struct Game : test::RecordedGame {
    BlackBox box;
    std::vector<BlackBox::Run> runs;

    explicit Game(Micros kept = BlackBox::kKept, std::size_t capacity = BlackBox::kCapacity)
        : RecordedGame(kStart, Pace::Classic, 99, 5'000), box(program, Pace::Classic, kStart, kept, capacity) {
        boxHold = 700'000;
        box.onRunEnded([this](const BlackBox::Run& r) { runs.push_back(r); });
        begin([this](const Event& e) { box.write(e); });
    }
    inline static const GameProgress kStart{"True", 0, 0, 3, 0, 1};
    // One flight of episode 1, nose up and down, until it ends and the menu is back.
    void fly(int keysEach = 4) {
        input(Event::Click, 0, "Command1");
        for (int i = 0; program.screen() && i < 2000; ++i) {
            input(Event::Key, i % (2 * keysEach) < keysEach ? kKeyUp : kKeyDown);
            run(200'000);
        }
        run(300'000);
    }
};

std::string replayed(const std::string& text, std::string& problems) {
    std::string error;
    auto rec = parse(text, "box", error);
    if (!rec) return "unreadable: " + error;
    std::ostringstream out, err;
    runReplay(*rec, out, err);
    problems = err.str();
    return out.str();
}

TEST(BlackBox, StaysBoundedOverALongGameAndWhatItKeepsPlaysToTheGameItSaw) {
    // Kept for 60 s here, so a few flights outlast it.
    Game g(ms(60'000));
    std::size_t most = 0;
    for (int flight = 0; flight < 10; ++flight) {
        g.fly(3 + flight % 3);
        most = std::max(most, g.box.bytes());
        g.run(5'000'000);  // at the menu a while
    }
    const Micros end = g.now();
    ASSERT_GT(end, ms(300'000)) << "the flights were too short to outlast the span kept";
    // The oldest inputs went; what is left starts at a menu at most one flight before the span.
    EXPECT_GT(g.box.from(), 0);
    EXPECT_LE(g.box.from(), end - ms(60'000));
    EXPECT_LT(most, 40'000u);

    // F12 in flight: the game's key, and its recording plays to where the game stands.
    g.input(Event::Click, 0, "Command1");
    for (int i = 0; i < 20; ++i) g.input(Event::Key, i % 6 < 3 ? kKeyUp : kKeyRight), g.run(150'000);
    Controls controls(g.program);
    EXPECT_TRUE(controls.press("F12", false, 0).blackBox);
    const std::string text = g.box.recording(g.now());
    std::string problems;
    EXPECT_EQ(replayed(text, problems), g.state());
    EXPECT_EQ(problems, "");
    EXPECT_NE(g.state().find("screen=Form1"), std::string::npos);
    EXPECT_TRUE(g.box.playable());

    // One flight larger than the box: bounded still, the oldest lines gone, and it says it no
    // longer plays rather than writing a recording that goes another way; back at the menu, a
    // recording can start again.
    Game small(BlackBox::kKept, 2'000);
    small.input(Event::Click, 0, "Command1");
    for (int i = 0; i < 200; ++i) small.input(Event::Key, kKeyRight), small.run(50'000);
    ASSERT_NE(small.program.screen(), nullptr);
    EXPECT_LE(small.box.bytes(), 2'000u);
    EXPECT_FALSE(small.box.playable());
    small.input(Event::Key, kKeyEsc);
    small.run(2'000'000);
    ASSERT_EQ(small.program.screen(), nullptr);
    EXPECT_TRUE(small.box.playable());
}

TEST(BestRuns, ANewBestIsKeptOnlyWhenItsRecordingReplaysToIt) {
    Game g;
    g.run(2'000'000);
    g.input(Event::Check, 0);  // at the menu before the flight: part of the run's recording
    g.fly();
    ASSERT_EQ(g.runs.size(), 1u);
    const GameProgress after = g.program.progress();
    ASSERT_GT(after.ep1BestScore, 3) << "the flight set no new best";
    const BlackBox::Run& run = g.runs[0];
    EXPECT_EQ(run.before.ep1BestScore, 3);

    const BestRun kept = judgeRun(run, after);
    EXPECT_EQ(kept.episode, 1);
    EXPECT_EQ(kept.file, "best-episode1.replay");
    EXPECT_EQ(kept.refused, "");
    EXPECT_EQ(kept.recording, run.recording);

    // A run whose recording comes to another score, or goes another way, is refused with why;
    // one that set no new best is not judged at all.
    GameProgress higher = after;
    ++higher.ep1BestScore;
    // The same run with its keys left out: the flight goes another way.
    BlackBox::Run cut = run;
    const std::string& t = run.recording;
    const std::size_t keys = t.rfind('\n', t.find(" key ")) + 1, last = t.rfind('\n', t.size() - 2) + 1;
    cut.recording = t.substr(0, keys) + t.substr(last);
    const struct {
        BlackBox::Run run;
        GameProgress after;
        int episode;
        const char* refused;
    } rows[] = {
        {run, higher, 1, "its recording replays to a best score of"},
        {cut, after, 1, "its recording replays to a best score of"},
        {run, run.before, 0, ""},
    };
    for (const auto& r : rows) {
        const BestRun b = judgeRun(r.run, r.after);
        EXPECT_EQ(b.episode, r.episode);
        EXPECT_NE(b.refused.find(r.refused), std::string::npos) << b.refused;
        EXPECT_EQ(b.recording.empty(), *r.refused != 0 || r.episode == 0);
    }
}

TEST(BlackBox, FilesAreNamedByTheLocalDateAndTime) {
    const struct {
        std::int64_t seconds;
        const char* name;
    } rows[] = {
        {0, "1970-01-01_00-00-00.replay"},
        {951782400 + 86399, "2000-02-29_23-59-59.replay"},
        {1796633103, "2026-12-07_08-45-03.replay"},
        {-1, "1969-12-31_23-59-59.replay"},
    };
    for (const auto& r : rows) {
        char n[kRecordingNameSize];
        recordingName(r.seconds, n);
        EXPECT_STREQ(n, r.name);
    }
}

}  // namespace
}  // namespace sky::replay
