// Recorded games: every input of a game with its clock time, written as it happens and played
// back later, in the window or headless, to the same end. A recording holds the pace, the
// progress file the game started from, each seed the game took, the menu's activations and
// clicks, the pilot's keys, the close boxes, the answers of the message boxes and the pauses.
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "game/input.h"
#include "runtime/scheduler.h"
#include "shell/progress.h"

namespace sky {
class Program;
}

namespace sky::replay {

constexpr const char* kMagic = "skyrend-replay";
constexpr int kVersion = 1;

// A recording's lines are the player's inputs (and the seeds and its end) with their clock times.
using Event = InputEvent;

struct Recording {
    Pace pace = Pace::Classic;
    GameProgress start;  // what the progress file held when the game started
    std::vector<std::uint64_t> seeds;
    std::vector<Event> events;  // everything but the seeds, in the order it happened
    Micros endTime() const { return events.empty() ? 0 : events.back().t; }
};

// Reads a recording. On a malformed line, nullopt and error = "FILE:LINE: why".
std::optional<Recording> parse(const std::string& text, const std::string& file, std::string& error);
std::optional<Recording> load(const std::string& path, std::string& error);

// One event as its line in the file (no line end).
std::string formatEvent(const Event& e);

// Writes a recording as the game goes, a line at a time, each flushed at once (a game that
// crashes still leaves its recording up to the crash).
class Recorder : public InputLog {
public:
    Recorder(std::ostream& out, Pace pace, const GameProgress& start);
    void write(const Event& e) override;

private:
    std::ostream& out_;
};

// Plays a recording back into a program: the clock is moved on by the caller (from real time,
// or all at once), and each event is performed when the clock reaches its time, after the timers
// due up to that instant have fired, as when it was recorded.
class Player : public InputSource {
public:
    // Inputs are performed through call (the window's tidying up after a handler).
    using Call = std::function<void(const std::function<void()>&)>;
    Player(Program& program, Recording recording, Call call = {});

    // Moves the clock to t, performing the events due on the way.
    void advanceTo(Micros t) override;
    // A message box has opened: every event recorded while it was open is performed at its time,
    // the clock is moved to when the box closed, and its answer is returned.
    int answerBox(int style) override;
    // The seeds in the order they were taken.
    std::uint64_t nextSeed() override;

    bool finished() const override { return next_ >= rec_.events.size(); }
    Micros endTime() const override { return rec_.endTime(); }
    const Recording& recording() const { return rec_; }
    // Where the game went another way than the recording (a box that was not there, too few
    // seeds, ...): a recording of another version of the game, or an edited file.
    const std::vector<std::string>& problems() const { return problems_; }

private:
    void perform(const Event& e);
    void problem(const Event* at, const std::string& what);

    Program& program_;
    Recording rec_;
    Call call_;
    std::size_t next_ = 0;
    std::size_t nextSeed_ = 0;
    std::vector<std::string> problems_;
};

// The final state as NAME=VALUE lines: screen, clock, the progress fields and, with a game
// screen open, its variables and where dravik stands.
void printState(Program& program, std::ostream& out);

// A progress file holding start, for a replay that must neither read nor overwrite the player's
// own; removed when it goes.
class ScratchProgress {
public:
    explicit ScratchProgress(const GameProgress& start);
    ~ScratchProgress();
    ScratchProgress(const ScratchProgress&) = delete;
    ScratchProgress& operator=(const ScratchProgress&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// Replays a recording with no window and no sound and prints the final state. Returns 0, 1 when
// the game went another way than the recording, 2 when the file cannot be read.
int runReplay(const Recording& recording, std::ostream& out, std::ostream& err);
int runReplayFile(const std::string& path, std::ostream& out, std::ostream& err);

}  // namespace sky::replay
