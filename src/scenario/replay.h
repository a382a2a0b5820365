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

#include "runtime/scheduler.h"
#include "shell/progress.h"

namespace sky {
class Program;
}

namespace sky::replay {

constexpr const char* kMagic = "skyrend-replay";
constexpr int kVersion = 1;

struct Event {
    enum Kind {
        Seed,       // the game took a seed for a screen's set-up
        Activate,   // the menu became the active window
        Click,      // a menu button or the web picture: control
        Check,      // the music switch, its new value in value
        MenuClose,  // the menu's close box (or Ukončiť)
        Key,        // a key-down on the game screen: its code in value
        Close,      // the game window's close box
        Answer,     // a message box closed at t with the answer in value; it opened at opened
        Pause,      // the screen stands still; automatic when the player left the game
        Resume,
        End,  // the recording stops here
    };
    Micros t = 0;
    Kind kind = Activate;
    int value = 0;
    std::string control;     // Click: Command1..Command5 or Image1
    std::uint64_t seed = 0;  // Seed
    Micros opened = 0;       // Answer
    bool automatic = false;  // Pause, Resume
    int line = 0;            // where it stood in the file (0 when not read from one)
};

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

// Does what the window does for an input: the menu's handlers, the screen's key handler, its
// close box, its pause. Seeds, answers and the end are not inputs and do nothing here.
void apply(Program& program, const Event& e);

// Writes a recording as the game goes, a line at a time, each flushed at once (a game that
// crashes still leaves its recording up to the crash).
class Recorder {
public:
    Recorder(std::ostream& out, Pace pace, const GameProgress& start);
    void write(const Event& e);

private:
    std::ostream& out_;
};

// Plays a recording back into a program: the clock is moved on by the caller (from real time,
// or all at once), and each event is performed when the clock reaches its time, after the timers
// due up to that instant have fired, as when it was recorded.
class Player {
public:
    // Inputs are performed through call (the window's tidying up after a handler).
    using Call = std::function<void(const std::function<void()>&)>;
    Player(Program& program, Recording recording, Call call = {});

    // Moves the clock to t, performing the events due on the way.
    void advanceTo(Micros t);
    // A message box has opened: every event recorded while it was open is performed at its time,
    // the clock is moved to when the box closed, and its answer is returned.
    int answerBox(int style);
    // The seeds in the order they were taken.
    std::uint64_t nextSeed();

    bool finished() const { return next_ >= rec_.events.size(); }
    Micros endTime() const { return rec_.endTime(); }
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
