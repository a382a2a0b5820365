// The black box: the player's last minutes of inputs, always kept in memory and ready to be
// written out as a recording that plays (F12, a crash); and the runs that set a new best score,
// kept once a headless replay of them has come to the same score.
//
// A recording can only start where the whole game's state can be had again from the progress
// alone: the menu, with no run under way (its activation, or the game's start). The box keeps
// such starting points with the progress each started from, and the inputs since the latest one
// that lies at least ten minutes back (or the game's start): everything a recording needs to
// play the last ten minutes, the run under way included from its first input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "game/input.h"
#include "shell/progress.h"

namespace sky {
class Program;
}

namespace sky::replay {

class BlackBox final : public InputLog {
public:
    static constexpr Micros kKept = ms(10 * 60 * 1000);
    // The bytes of inputs held at most. A recording line is some twenty bytes, and a player makes
    // at most a few dozen inputs a second, so a run of hours fits; a longer one loses its start.
    static constexpr std::size_t kCapacity = std::size_t{4} << 20;
    // The most starting points kept (a run each): a thousand runs in ten minutes is more than
    // anyone plays, and the oldest go first.
    static constexpr std::size_t kMostPoints = 1000;

    // program is only read, at each starting point; start: what the progress file held as the
    // game started.
    BlackBox(Program& program, Pace pace, const GameProgress& start, Micros kept = kKept,
             std::size_t capacity = kCapacity);
    ~BlackBox() override;

    void write(const InputEvent& e) override;

    // The recording as its file holds it, ended at now.
    std::string recording(Micros now) const;
    // The same poured out in pieces, without allocating anything: for a handler that may only write(2).
    using Put = void (*)(void* context, const char* bytes, std::size_t n);
    void pour(Micros now, Put put, void* context) const noexcept;

    Micros from() const { return points_.front().t; }  // the clock time the recording starts at
    std::size_t bytes() const { return static_cast<std::size_t>(tail_ - head_); }
    // False once a single run outgrew the capacity: its start is lost and it no longer plays.
    bool playable() const { return points_.front().offset >= head_; }

    // A run has ended (the menu is back, or the game ends): the progress it started from and its
    // own recording, from the menu it started at to now.
    struct Run {
        GameProgress before;
        std::string recording;
    };
    void onRunEnded(std::function<void(const Run&)> f) { runEnded_ = std::move(f); }

private:
    struct Point {
        Micros t;
        std::uint64_t offset;  // where its inputs begin in the stream of bytes
        GameProgress progress;
        std::string header;
    };
    void append(const std::string& line);
    void endRun(Micros now);

    Program& program_;
    Pace pace_;
    GameProgress start_;
    Micros kept_;
    std::size_t capacity_;
    std::unique_ptr<char[]> ring_;  // the bytes [head_, tail_) of the stream, at offset % capacity_
    std::uint64_t head_ = 0, tail_ = 0;
    std::deque<Point> points_;  // oldest first; never empty
    Micros last_ = 0;           // the last input's time
    bool runOpen_ = false;      // a screen was set up since the latest point
    std::function<void(const Run&)> runEnded_;
};

// A finished run that set a new best score for its episode, and whether it is kept.
struct BestRun {
    int episode = 0;        // 0: the run set no new best
    std::string file;       // best-episodeN.replay
    std::string recording;  // the text to keep
    std::string refused;    // why it is not kept (one line for stderr); empty when it is
};
// after: the progress as the run left it. The run's recording is replayed headless, and kept only
// when it comes to the same best score without a problem.
BestRun judgeRun(const BlackBox::Run& run, const GameProgress& after);

// The name of a black box's file for the local time given in seconds since 1970:
// "YYYY-MM-DD_HH-MM-SS.replay". Writes 26 bytes and a NUL; allocates nothing, for a crash handler.
constexpr std::size_t kRecordingNameSize = 27;
void recordingName(std::int64_t localSeconds, char (&out)[kRecordingNameSize]) noexcept;

}  // namespace sky::replay
