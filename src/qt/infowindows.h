// The rules and about windows, ordinary windows beside the menu.
#pragma once

namespace sky {
class Program;
}

namespace sky::qt {

// Shows the window, or brings it to the front when it is already open.
void showRules(Program& program);
void showAbout(Program& program);
// Closes both (the menu is ending the program).
void closeInfoWindows();

}  // namespace sky::qt
