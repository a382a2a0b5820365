// The rules and about windows, ordinary windows beside the menu.
#pragma once

#include <QSize>
#include <functional>

namespace sky {
class Program;
}

namespace sky::qt {

// Shows the window, or brings it to the front when it is already open; scaleFor gives the scale
// for a window of that many pixels at scale 1.
using ScaleFor = std::function<int(QSize)>;
void showRules(Program& program, const ScaleFor& scaleFor = {});
void showAbout(Program& program, const ScaleFor& scaleFor = {});
// Closes both (the menu is ending the program).
void closeInfoWindows();

}  // namespace sky::qt
