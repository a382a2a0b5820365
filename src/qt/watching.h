// Watching a recording in the game's windows: the recorded game plays in a program of its own
// (its progress in memory, nothing written) with its pictures, music and sounds, and the watch bar
// under its window. The viewer pauses, changes the speed and jumps back with the bar or the keys;
// Esc or a window's close box leaves.
#pragma once

#include <functional>

#include "game/recording.h"
#include "qt/qtfrontend.h"

namespace sky::qt {

// Runs the application's event loop until the viewer leaves or QApplication::quit() (an end
// request of the desktop). The options are the windows' (scale, volumes, keys); the menu's
// settings button and watching from the menu are left out.
void watchRecording(const replay::Recording& recording, Options options);

}  // namespace sky::qt
