// The player's progress: the GameProgress record and the six-line progress file new.dat.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
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
// field as it was and reading goes on; lines beyond six are not read at all. Bounded in time
// and memory whatever the file holds.
ReadResult readProgress(const std::string& path, GameProgress& p);

// The file's exact bytes for p: six lines, each ended by CR LF.
std::string progressText(const GameProgress& p);

// Replaces the file atomically (a temporary file beside it, then a rename), so a crash or a full
// disk never leaves a truncated progress file. Returns false, with a message on stderr, on failure.
bool writeProgress(const std::string& path, const GameProgress& p);

// The longest line the reader takes; anything longer is an unreadable line.
constexpr std::size_t kMaxProgressLine = 4096;

}  // namespace sky
