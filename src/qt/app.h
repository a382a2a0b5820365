// The game with its Qt windows.
#pragma once

namespace sky::qt {

int runApp(int argc, char** argv);

}  // namespace sky::qt
