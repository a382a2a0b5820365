// The command line's headless runs, shared by every build of the game: a scenario, or a
// recorded game replayed without a window.
#pragma once

#include <iosfwd>
#include <optional>

namespace sky {

// `--scenario FILE`, or `--replay FILE --scenario-out`: runs it and returns the exit code (2 for
// a missing file name). nullopt when the arguments ask for neither (the game's windows then).
std::optional<int> runHeadless(int argc, char** argv, std::ostream& out, std::ostream& err);

}  // namespace sky
