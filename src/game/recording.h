// Recorded games: every input of a game with its clock time, written as it happens and played
// back later, in the window or headless, to the same end. A recording holds the pace, the
// progress file the game started from, each seed the game took, the menu's activations and
// clicks, the pilot's keys, the close boxes, the answers of the message boxes and the pauses.
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/input.h"
#include "runtime/scheduler.h"
#include "shell/progress.h"

namespace sky {
class InputFile;
class Program;
}  // namespace sky

namespace sky::replay {

constexpr const char* kMagic = "skyrend-replay";
// The format this game writes. Format 2 adds the line naming the game that made the recording
// ("game 1.0.3"); format 1 has none and plays as it always did. A newer format is refused.
constexpr int kVersion = 2;
constexpr int kOldestVersion = 1;
// This game as a recording names it.
std::string gameVersion();

// A recording's lines are the player's inputs (and the seeds and its end) with their clock times.
using Event = InputEvent;

// The longest recording the game plays, in clock time, and the longest line it reads: anything
// beyond is refused before the game starts.
constexpr Micros kLongestRecording = ms(24LL * 3600 * 1000);
// Room for the progress file's longest first line, written out in hexadecimal.
constexpr std::size_t kLongestLine = 2 * kMaxProgressLine + 64;

// Reads a recording a line at a time: memory stays a small multiple of one line, whatever the
// file's length.
class Reader {
public:
    Reader(std::unique_ptr<std::istream> in, std::string file);
    ~Reader();
    // The next event, seeds included, past the lines before it (the header, comments); nullopt
    // at the end of the file or at a line that cannot be read, and then error() says why.
    std::optional<Event> next();
    const std::string& error() const { return error_; }  // "FILE:LINE: why", or empty
    Pace pace() const { return pace_; }
    const GameProgress& start() const { return start_; }
    const std::string& game() const { return game_; }  // the game that made it; empty for format 1

private:
    std::optional<Event> bad(const std::string& why);
    std::unique_ptr<std::istream> in_;
    std::string file_, line_, error_;
    int lineNo_ = 0;
    bool header_ = false, events_ = false;
    Micros last_ = 0;
    Pace pace_ = Pace::Classic;
    GameProgress start_;
    int version_ = 0;
    std::string game_;
};

// A recording checked from its first line to its last (every line readable, none too long, the
// clock within the limit), ready to be read again as it plays.
struct Recording {
    Pace pace = Pace::Classic;
    std::string game;                         // the game that made it ("1.0.3"); empty: unknown
    GameProgress start;                       // what the progress file held when the game started
    Micros endTime = 0;                       // the clock time of its last event
    std::uint64_t eventCount = 0;             // how many events it holds, seeds included
    std::string file;                         // its name, quoted for messages
    std::shared_ptr<const InputFile> input;   // read from this file,
    std::shared_ptr<const std::string> text;  // or from this text
    // Its events from the first, as the player reads them.
    std::unique_ptr<Reader> events() const;
};

// Reads a recording. On a line the game cannot play, nullopt and error = "FILE:LINE: why".
std::optional<Recording> parse(std::string text, const std::string& file, std::string& error);
std::optional<Recording> load(const std::string& path, std::string& error);

// The longest a file's name is shown in a message.
constexpr std::size_t kQuotedName = 160;

// One event as its line in the file (no line end).
std::string formatEvent(const Event& e);

// A recording's lines before its first event: what it is, the pace and the progress it starts from.
std::string recordingHeader(Pace pace, const GameProgress& start);

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
    Player(Program& program, const Recording& recording, Call call = {});

    // Moves the clock to t, performing the events due on the way.
    void advanceTo(Micros t) override;
    // A message box has opened: every event recorded while it was open is performed at its time,
    // the clock is moved to when the box closed, and its answer is returned.
    int answerBox(int style) override { return answerBox(style, {}); }
    // ... and a window that shows the box lets time pass towards each of those instants at its own
    // pace: pace(t) moves the clock on, never past t; whatever it leaves is played at once.
    int answerBox(int style, const std::function<void(Micros)>& pace);
    // The seeds in the order they were taken.
    std::uint64_t nextSeed() override;

    bool finished() const override { return !next_; }
    Micros endTime() const override { return endTime_; }
    // Where the game went another way than the recording (a box that was not there, a seed it
    // did not ask for, events after the game ended, ...): a recording of another version of the
    // game, or an edited file. The first few are kept, and how many there were in all.
    const std::vector<std::string>& problems() const { return problems_; }
    std::size_t problemCount() const { return problemCount_; }

private:
    void take();
    void perform(const Event& e);
    void problem(const Event* at, const std::string& what);

    Program& program_;
    std::unique_ptr<Reader> reader_;
    Micros endTime_;
    std::uint64_t events_, read_ = 0;  // events the file held when it was checked, and read since
    Call call_;
    std::optional<Event> next_;  // the next line not yet played
    std::uint64_t taken_ = 0;    // lines taken so far
    std::vector<std::string> problems_;
    std::size_t problemCount_ = 0;
};

// The problems as lines for stderr ("skyrend: replay: ..."), with a count of those left out and,
// when another version of the game made the recording, which.
void printProblems(const Player& player, std::ostream& err, const std::string& recordedBy = {});

// The final state as NAME=VALUE lines: screen, clock, the progress fields and, with a game
// screen open, its variables and where dravik stands.
void printState(Program& program, std::ostream& out);

}  // namespace sky::replay
