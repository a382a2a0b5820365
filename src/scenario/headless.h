// The command line's headless runs, shared by every build of the game: a scenario, or a
// recorded game replayed without a window.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

namespace sky {

// `--scenario FILE`, or `--replay FILE --scenario-out`: runs it and returns the exit code (2 for
// a missing file name). nullopt when the arguments ask for neither (the game's windows then).
std::optional<int> runHeadless(int argc, char** argv, std::ostream& out, std::ostream& err);

// The same once the options are read: a scenario file, or a recording played without a window.
struct HeadlessRun {
    std::string scenario;
    std::string replay;
    bool scenarioOut = false;
};
std::optional<int> runHeadless(const HeadlessRun& run, std::ostream& out, std::ostream& err);

}  // namespace sky
