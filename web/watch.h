// A recorded game the page plays instead of listening to the player: from a file dropped on the
// page or picked, or from the page's address (#watch=...). The core's watch (game/watch.h) plays
// it and says what the bar shows; the page's own front end shows its run (the menu, the
// playfield, the boxes, the music and the effects).
#pragma once

#include <memory>
#include <string>

#include "game/watch.h"

namespace sky::web {

// The watch the page plays, or nullptr while the player plays (page.cpp).
replay::Watch* watching();
// Plays this recording in the page from its start, in place of the player's game (page.cpp);
// false while the game waits in a box or a handler (try again later).
bool startWatching(std::unique_ptr<replay::Watch> watch);
// What the viewer asked with the bar or a key (page.cpp); true when they leave the watch.
bool watchAct(replay::WatchAction a);

// A text as a JSON string (page.cpp).
std::string jsonText(const std::string& s);

}  // namespace sky::web
