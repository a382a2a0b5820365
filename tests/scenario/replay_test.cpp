// Recorded games: a session recorded through the recorder replays to the same end, malformed
// files are refused with the line at fault, and the stored recordings still end as they did.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <future>
#include <sstream>

#include "game/recording.h"
#include "game/screens.h"
#include "playfield/gamescreen.h"
#include "scenario/headless.h"
#include "support/recordedgame.h"
#include "support/shown.h"

namespace sky::replay {
namespace {

namespace fs = std::filesystem;

// Plays the part of the window, recording as it goes; the window steps the clock by 3 ms.
struct Session : test::RecordedGame {
    std::ostringstream file;
    Recorder recorder;

    explicit Session(Pace pace) : RecordedGame(kStart, pace, 4242, 3'000), recorder(file, pace, kStart) {
        begin([this](const Event& e) { recorder.write(e); });
    }
    inline static const GameProgress kStart{"False", 0, 0, 0, 0, 1};
};

std::string replayed(const std::string& text, std::string* problems = nullptr) {
    std::string error;
    auto rec = parse(text, "session", error);
    EXPECT_TRUE(rec) << error;
    if (!rec) return "";
    std::ostringstream out, err;
    runReplay(*rec, out, err);
    if (problems) *problems = err.str();
    return out.str();
}

TEST(Replay, ARecordedSessionWithABoxHeldTwoSecondsAndAPauseReplaysToTheSameState) {
    Session s(Pace::Classic);
    s.boxHold = 2'000'000;
    s.run(400'000);
    s.input(Event::Check, 0);  // music off and on again: the menu's own timer goes with it
    s.input(Event::Check, 1);
    s.input(Event::Click, 0, "Command1");
    ASSERT_NE(s.program.screen(), nullptr);
    for (int i = 0; i < 3; ++i) s.input(Event::Key, kKeyUp);
    s.run(1'500'000);
    s.input(Event::Pause);
    const double top = s.program.screen()->dravik.Top;
    s.input(Event::Key, kKeyDown);  // what the window lets through: it still reaches the screen
    s.run(900'000);
    EXPECT_EQ(s.program.screen()->dravik.Top, top) << "a paused screen stands still";
    s.input(Event::Resume);
    // Fly on, nose up and down, until something ends the flight with a box.
    for (int i = 0; i < 400 && s.fe.boxes.empty(); ++i) {
        s.input(Event::Key, i % 8 < 4 ? kKeyUp : kKeyDown);
        s.run(250'000);
    }
    ASSERT_FALSE(s.fe.boxes.empty()) << "no box in 100 s of flying";
    EXPECT_EQ(s.firstBoxClosed - s.firstBoxOpened, 2'000'000);
    s.run(500'000);
    if (s.program.screen()) s.input(Event::Key, kKeyEsc);
    s.run(300'000);
    // A second flight left open at the end, so the state holds a screen's variables.
    s.input(Event::Click, 0, "Command1");
    s.input(Event::Key, kKeyUp);
    s.input(Event::Key, kKeyRight);
    s.run(2'000'000);
    Event end;
    end.kind = Event::End;
    end.t = s.program.scheduler().now();
    s.recorder.write(end);
    const std::string want = s.state();
    ASSERT_NE(want.find("screen=Form1"), std::string::npos) << want;

    std::string problems;
    EXPECT_EQ(replayed(s.file.str(), &problems), want);
    EXPECT_EQ(problems, "");

    // Without its pause the same inputs give another game: the pause is part of the recording.
    std::string noPause;
    std::istringstream in(s.file.str());
    for (std::string line; std::getline(in, line);)
        if (line.find(" pause ") == std::string::npos && line.find(" resume ") == std::string::npos)
            noPause += line + "\n";
    EXPECT_NE(replayed(noPause), want);
}

TEST(Replay, WhereTheGameWentAnotherWayIsReportedNotGuessed) {
    const std::string h = "skyrend-replay 1\npace nominal\n0 activate\n";
    const struct {
        std::string text, problem;
    } rows[] = {
        // Episode 1 opened and left at once: an answer in the file finds no box to close.
        {h + "10 click Command1\n10 seed 7\n500 answer ok 400\n600 key 27\n",
         "line 6: a message-box answer with no box open"},
        {h + "10 click Command1\n", "more seeds than were recorded"},
        {h + "10 seed 7\n20 click Command1\n", "line 4: a seed the game did not ask for"},
        {h + "10 end\n11 key 38\n", "line 5: the recording goes on after its end"},
        {h + "10 click Command5\n20 activate\n30 end\n", "line 5: the game had ended (its menu closed)"},
    };
    for (const auto& r : rows) {
        std::string error;
        auto rec = parse(r.text, "f", error);
        ASSERT_TRUE(rec) << error;
        std::ostringstream out, err;
        EXPECT_EQ(runReplay(*rec, out, err), 1) << r.text;
        EXPECT_NE(err.str().find(r.problem), std::string::npos) << err.str();
    }
}

// A replay keeps the progress in memory: it needs no scratch file, not even a temporary folder.
TEST(Replay, WritesNoFile) {
    const char* tmp = std::getenv("TMPDIR");
    const std::string was = tmp ? tmp : "";
    ::setenv("TMPDIR", "/nonexistent-skyrend-tmp", 1);
    std::string error;
    auto rec = parse("skyrend-replay 1\n0 activate\n10 check 0\n20 click Command5\n20 end\n", "f", error);
    ASSERT_TRUE(rec) << error;
    std::ostringstream out, err;
    int rc = -1;
    try {
        rc = runReplay(*rec, out, err);
    } catch (const std::exception& e) {
        ADD_FAILURE() << e.what();
    }
    tmp ? ::setenv("TMPDIR", was.c_str(), 1) : ::unsetenv("TMPDIR");
    EXPECT_EQ(rc, 0) << err.str();
    EXPECT_NE(out.str().find("musicOn=0\n"), std::string::npos) << out.str();
}

TEST(ReplayFile, MalformedLinesAreRefusedWithTheirLineNumber) {
    const std::string h = "skyrend-replay 1\n";
    struct Row {
        std::string text, error;
    } rows[] = {
        {"", "f:0: empty: not a recorded game"},
        {"# only a comment\nreplay 1\n", "f:2: not a recorded game"},
        // A newer format names both versions; a format-1 file has no game line.
        {"skyrend-replay 3\n", "f:1: the recording is format 3, newer than this game (skyrend " + gameVersion() +
                                   ") reads, format 2: play it with a newer skyrend"},
        {"skyrend-replay 0\n", "f:1: recording version 0; this game reads formats 1 to 2"},
        {h + "game 1.0.3\n", "f:2: expected a clock time in microseconds, found 'game'"},
        {"skyrend-replay 2\ngame 1.0.3\ngame 1.0.3\n", "f:3: the game's version belongs once"},
        {"skyrend-replay 1 extra\n", "f:1: the first line is 'skyrend-replay 1' alone, not 'skyrend-replay 1 extra'"},
        {h + "pace fast\n", "f:2: unknown pace 'fast'"},
        {h + "0 activate\npace xp\n", "f:3: the pace belongs before the first event"},
        {h + "progress musicOn 70000\n", "f:2: progress musicOn takes one 16-bit whole number"},
        {h + "progress lives 3\n", "f:2: unknown progress field 'lives'"},
        {h + "1.5 key 38\n", "f:2: expected a clock time in microseconds, found '1.5'"},
        {h + "-4 key 38\n", "f:2: expected a clock time"},
        {h + "10 key 38\n\n5 key 38\n", "f:4: time 5 is before the line above (10)"},
        {h + "10\n", "f:2: an event needs a kind after its time"},
        {h + "10 key\n", "f:2: cannot understand 'key' with 0 argument(s)"},
        {h + "10 key 300\n", "f:2: key takes a key code 0..255"},
        {h + "10 click Command6\n", "f:2: click takes Command1..Command5 or Image1, not 'Command6'"},
        {h + "10 check 2\n", "f:2: check takes 0 or 1"},
        {h + "10 answer maybe 3\n", "f:2: answer takes ok, yes or no"},
        {h + "10 answer ok 20\n", "f:2: answer needs the time its box opened, not after it closed"},
        {h + "10 pause now\n", "f:2: pause takes key or auto"},
        {h + "10 seed 0x10\n", "f:2: seed takes a whole number"},
        {"skyrend-replay 1\rpace xp\r", "f:1: a CR that ends no line"},
        {std::string("skyrend-replay 1\0\n", 18), "f:1: a NUL byte"},
        {h + std::string(9000, '\x1b') + "\n", "f:2: a line longer than 8256 bytes"},
        {h + "86400000001 key 38\n", "f:2: time 86400000001 is beyond 24 hours"},
        {h + "\x1b[2J" + std::string(200, 'x') + " key\n",
         "f:2: expected a clock time in microseconds, found '\\x1b[2Jxxx"},
        {h + "10 fly\n", "f:2: cannot understand 'fly' with 0 argument(s)"},
        {h + "10 fl\xc2\x9b"
             "2J\xff\n",
         "f:2: cannot understand 'fl\\u009b2J\\xff' with 0 argument(s)"},
        {h + "\xe2\x80\xae\xc3\xa1" + std::string(100, 'x') + " key\n",
         "f:2: expected a clock time in microseconds, found '\\u202e\xc3\xa1xxx"},
    };
    for (const Row& r : rows) {
        std::string error;
        EXPECT_FALSE(parse(r.text, "f", error)) << r.text;
        EXPECT_EQ(error.substr(0, r.error.size()), r.error) << r.text;
        // A bad line is quoted in part, never raw: no terminal escapes reach the console.
        EXPECT_LT(error.size(), 200u);
        EXPECT_TRUE(test::safeToShow(error)) << error;
    }
}

// A recording is read through the descriptor it was checked on: a FIFO renamed over its name is
// never opened, and a file cut short while it plays is reported, not taken for the game's end.
TEST(ReplayFile, PlaysTheFileItCheckedAndReportsOneCutShort) {
    const fs::path dir = fs::temp_directory_path() / ("skyrend-replay-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string path = (dir / "r.replay").string(), fifo = (dir / "fifo").string();
    std::string game = "skyrend-replay 1\npace nominal\n0 activate\n";
    for (int i = 1; i <= 200; ++i) game += std::to_string(i * 10'000) + " check " + std::to_string(i % 2) + "\n";
    std::ofstream(path, std::ios::binary) << game;
    std::string error;
    auto rec = load(path, error);
    ASSERT_TRUE(rec) << error;

    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int writer = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);  // a reader of the FIFO would wait
    fs::rename(fifo, path);
    std::ostringstream out, err;
    auto played = std::async(std::launch::async, [&] { return runReplay(*rec, out, err); });
    const bool ended = played.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    ::close(writer);
    EXPECT_TRUE(ended) << "the replay waits on the FIFO renamed over its file";
    EXPECT_EQ(played.get(), 0) << err.str();

    fs::remove(path);
    std::ofstream(path, std::ios::binary) << game;
    rec = load(path, error);
    ASSERT_TRUE(rec) << error;
    fs::resize_file(path, game.rfind('\n', game.size() / 2) + 1);
    std::ostringstream out2, err2;
    EXPECT_EQ(runReplay(*rec, out2, err2), 1);
    EXPECT_NE(err2.str().find("cut short"), std::string::npos) << err2.str();
    fs::remove_all(dir);
}

// The recordings in tests/replays were played by hand in the window; each must still end in
// the state stored beside it (SKY_UPDATE_REPLAYS=1 stores the state a change has made).
TEST(StoredReplays, EachRecordedGameEndsAsItDidWhenItWasPlayed) {
    const fs::path dir = fs::path(SKY_TESTS_DIR) / "replays";
    const char* u = std::getenv("SKY_UPDATE_REPLAYS");
    const bool update = u && std::string(u) == "1";
    int seen = 0;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (entry.path().extension() != ".replay") continue;
        ++seen;
        SCOPED_TRACE(entry.path().filename().string());
        std::ostringstream out, err;
        EXPECT_EQ(runReplayFile(entry.path().string(), out, err), 0) << err.str();
        fs::path expected = entry.path();
        expected.replace_extension(".expected");
        if (update) {
            std::ofstream(expected, std::ios::binary) << out.str();
            continue;
        }
        std::ifstream f(expected, std::ios::binary);
        ASSERT_TRUE(f) << "no " << expected;
        std::stringstream want;
        want << f.rdbuf();
        EXPECT_EQ(out.str(), want.str());
    }
    EXPECT_GE(seen, 3);
}

}  // namespace
}  // namespace sky::replay
