// The command line's headless runs, shared by every build of the game: a scenario, or a
// recorded game replayed without a window.
#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

#include "runtime/text.h"

namespace sky {

class Program;

// `--scenario FILE`, or `--replay FILE --scenario-out`: runs it and returns the exit code (2 for
// a missing file name). nullopt when the arguments ask for neither (the game's windows then).
std::optional<int> runHeadless(int argc, char** argv, std::ostream& out, std::ostream& err);

// The same once the options are read: a scenario file, or a recording played without a window.
struct HeadlessRun {
    std::string scenario;
    std::string replay;
    bool scenarioOut = false;
    std::string share;                     // --share FILE: the address of the page playing it, printed
    std::string page;                      // the page's address for --share
    Language language = Language::Slovak;  // what --share's messages speak
};
std::optional<int> runHeadless(const HeadlessRun& run, std::ostream& out, std::ostream& err);

// `--share FILE`: prints the page's address with the recording in it. 2 when the file is not a
// recording the game plays or is too long for an address.
int runShare(const HeadlessRun& run, std::ostream& out, std::ostream& err);

namespace replay {

struct Recording;
class Player;

// Replays a recording with no window and no sound, its progress in memory, and prints the final
// state. Returns 0, 1 when the game went another way than the recording, 2 when the file cannot
// be read or is refused.
int runReplay(const Recording& recording, std::ostream& out, std::ostream& err);
// The same play to the end, handing the program and the player to atEnd before they go.
void playHeadless(const Recording& recording, const std::function<void(Program&, const Player&)>& atEnd);
int runReplayFile(const std::string& path, std::ostream& out, std::ostream& err);

}  // namespace replay

}  // namespace sky
