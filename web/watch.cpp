// A recorded game played in the page, and what the page's watch bar calls.
#include "watch.h"

#include <emscripten.h>

#include <sstream>

#include "game/screens.h"
#include "runtime/text.h"
#include "scenario/sharecode.h"

using namespace sky;
using namespace sky::web;

namespace {

std::string incoming, said, state;
}  // namespace

extern "C" {

// Whether a recording of this many bytes (or its code) can play; when not, sky_watch_said() says why.
EMSCRIPTEN_KEEPALIVE int sky_watch_fits(double size) {
    if (size >= 0 && size <= static_cast<double>(share::kLongestText)) return 1;
    said = text(TextId::ShareUnplayable, "longer than " + std::to_string(share::kLongestText) + " bytes");
    return 0;
}

// Room for a recording's bytes (a file) or its code (the address after #watch=): the page writes
// them here and then calls sky_watch_open. nullptr when it is longer than any the game plays.
EMSCRIPTEN_KEEPALIVE char* sky_watch_buffer(int size) {
    if (!sky_watch_fits(size)) return nullptr;
    incoming.assign(static_cast<std::size_t>(size), '\0');
    return incoming.data();
}

// Plays what the buffer holds, a code (1) or a recording's text (0): 1 when it plays, 0 when it
// cannot (sky_watch_said() says why in the game's language), -1 when the game waits in a box
// (the buffer is kept: ask again later).
EMSCRIPTEN_KEEPALIVE int sky_watch_open(int code) {
    std::string textOf = incoming;
    if (code) {
        share::Fault fault;
        auto decoded = share::decode(share::codeOf(textOf), fault);
        if (!decoded) {
            said = text(fault == share::Fault::Version ? TextId::ShareNewer : TextId::ShareDamaged);
            incoming.clear();
            return 0;
        }
        textOf = std::move(*decoded);
    }
    std::string error;
    auto rec = replay::parse(std::move(textOf), "recording", error);
    if (!rec) {
        said = text(TextId::ShareUnplayable, error);
        incoming.clear();
        return 0;
    }
    if (!startWatching(std::make_unique<replay::Watch>(std::move(*rec), gameScreens()))) return -1;
    incoming.clear();
    said.clear();
    return 1;
}

EMSCRIPTEN_KEEPALIVE const char* sky_watch_said() {
    return said.c_str();
}

// The watch bar as JSON: the clock and the end in ms, paused, finished, at the slowest or the
// fastest speed, and the bar's texts in the game's language (state, speed, clock, keys).
EMSCRIPTEN_KEEPALIVE const char* sky_watch_state() {
    replay::Watch* w = watching();
    if (!w) return "null";
    const replay::Watch::Bar b = w->bar(language());
    const int q = w->speedQuarters();
    auto flag = [](bool on) { return on ? "1" : "0"; };
    state = "{\"at\":" + std::to_string(w->clock() / 1000) + ",\"end\":" + std::to_string(w->end() / 1000) +
            ",\"paused\":" + flag(w->paused()) + ",\"finished\":" + flag(w->atEnd()) +
            ",\"slowest\":" + flag(q == replay::Watch::kSpeeds.front()) +
            ",\"fastest\":" + flag(q == replay::Watch::kSpeeds.back()) + ",\"state\":" + jsonText(b.state) +
            ",\"speed\":" + jsonText(b.speed) + ",\"clock\":" + jsonText(b.clock) + ",\"keys\":" + jsonText(b.keys) +
            "}";
    return state.c_str();
}

// A click on the bar: the action as replay::WatchAction numbers it. 1 when the viewer leaves.
EMSCRIPTEN_KEEPALIVE int sky_watch_act(int action) {
    using A = replay::WatchAction;
    if (action <= static_cast<int>(A::None) || action > static_cast<int>(A::Leave)) return 0;
    return watchAct(static_cast<A>(action)) ? 1 : 0;
}

// The watched game's state as NAME=VALUE lines, as `--replay FILE --scenario-out` prints it (for
// the page's tests).
EMSCRIPTEN_KEEPALIVE const char* sky_watch_final() {
    replay::Watch* w = watching();
    if (!w) return "";
    std::ostringstream out;
    replay::printState(w->run().program(), out);
    state = out.str();
    return state.c_str();
}
}
