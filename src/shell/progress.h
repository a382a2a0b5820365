// The player's progress: the GameProgress record and the six-line progress file new.dat.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sky {

struct GameProgress {
    std::string ep2Unlocked;  // "True" once episode 1 is won; only its lower case is tested
    std::int16_t ep1Passed = 0;
    std::int16_t ep2Passed = 0;
    std::int16_t ep1BestScore = 0;
    std::int16_t ep2BestScore = 0;
    std::int16_t musicOn = 0;
};

// The fields by the names scenarios and recordings use, in the file's order. Every field but
// the first (ep2Unlocked, text) is a 16-bit number.
struct ProgressField {
    const char* name;
    std::int16_t GameProgress::*number;  // nullptr for ep2Unlocked
};
const std::vector<ProgressField>& progressFields();
const ProgressField* findProgressField(std::string_view name);  // nullptr for no such field
std::string progressValue(const GameProgress& p, const ProgressField& f);

enum class ReadResult {
    Read,     // the file was there and was read (some lines may have been unreadable)
    Missing,  // no such file: the fresh-start defaults were set
    Failed,   // the file exists but could not be opened: nothing was read
};

// Reads the progress file into p. Lines are CR LF (a lone LF or CR ends a line too). Line 1 is
// kept as text; lines 2-6 are 16-bit integers. A line that cannot be read leaves only its own
// field as it was and reading goes on; lines beyond six are not read at all. Only a regular file
// is read, without blocking, and never more than kMaxProgressBytes of it: anything else in its
// place (a directory, a FIFO, a device) is a file that exists but cannot be read.
ReadResult readProgress(const std::string& path, GameProgress& p);

// The same reading, of the file's bytes.
void parseProgress(std::string_view text, GameProgress& p);

// The file's exact bytes for p: six lines, each ended by CR LF.
std::string progressText(const GameProgress& p);

// Replaces the file atomically (a temporary file with a fresh name beside it, on the disk, then a
// rename), so a crash or a full disk never leaves a truncated progress file. A link is saved
// through (the file it names is replaced, in its own folder); the file keeps its permissions, and
// a read-only one is not replaced. Returns false, with a message on stderr, on failure.
bool writeProgress(const std::string& path, const GameProgress& p, std::string* why = nullptr);

// Two copies of the progress meet (two browser tabs, one storage): mine, which started out as
// base, and theirs, stored by the other since. Each field mine changed since base is mine, the
// others are theirs; a count or a best score both changed keeps the larger, the music switch mine.
GameProgress mergeProgress(const GameProgress& theirs, const GameProgress& base, const GameProgress& mine);

// The longest line the reader takes; anything longer is an unreadable line.
constexpr std::size_t kMaxProgressLine = 4096;
// The most of the file that is read: six of the longest lines with their line ends.
constexpr std::size_t kMaxProgressBytes = 6 * (kMaxProgressLine + 2);

// Where the menu keeps the progress between runs: read at its first activation, written when it
// closes.
class ProgressStore {
public:
    virtual ~ProgressStore() = default;
    virtual ReadResult load(GameProgress& p) = 0;
    // False when the progress could not be kept (said on stderr).
    virtual bool save(const GameProgress& p) = 0;
};

// The progress file. The close replaces it only once the start has read it or found none: a file
// that is there but could not be read may hold progress this run never saw, so it is left as it
// is, with a word on stderr; a close before the first reading (the desktop ending the game as it
// starts) has nothing of its own to save.
class ProgressFile final : public ProgressStore {
public:
    explicit ProgressFile(std::string path) : path_(std::move(path)) {}
    ReadResult load(GameProgress& p) override;
    bool save(const GameProgress& p) override;
    // Why the last save failed (strerror's words), or empty.
    const std::string& saveError() const { return error_; }

private:
    std::string path_;
    std::string error_;
    std::optional<ReadResult> found_;
};

// Progress held in memory, starting from what a recorded game started from: a replay neither
// reads nor overwrites the player's own file, and writes no file at all.
class ProgressInMemory final : public ProgressStore {
public:
    explicit ProgressInMemory(const GameProgress& start) : held_(start) {}
    ReadResult load(GameProgress& p) override {
        p = held_;
        return ReadResult::Read;
    }
    bool save(const GameProgress& p) override {
        held_ = p;
        return true;
    }
    const GameProgress& held() const { return held_; }

private:
    GameProgress held_;
};

}  // namespace sky
