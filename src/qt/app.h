// The game with its Qt windows.
#pragma once

namespace sky::qt {

struct CommandLine;

// The game in its windows, as the command line asks (already checked by parseCommandLine).
int runApp(int argc, char** argv, const CommandLine& options);

}  // namespace sky::qt
