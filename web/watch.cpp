// A recorded game played in the page, and what the page's watch bar calls.
#include "watch.h"

#include <emscripten.h>

#include <algorithm>
#include <sstream>

#include "game/screens.h"
#include "runtime/text.h"
#include "scenario/sharecode.h"
#include "shell/progress.h"

namespace sky::web {

std::unique_ptr<PageWatch> PageWatch::open(std::string text, std::string& why) {
    if (text.size() > share::kLongestText) {
        why = sky::text(TextId::ShareUnplayable, "longer than " + std::to_string(share::kLongestText) + " bytes");
        return nullptr;
    }
    std::string error;
    auto rec = replay::parse(std::move(text), "recording", error);
    if (!rec) {
        why = sky::text(TextId::ShareUnplayable, error);
        return nullptr;
    }
    return std::unique_ptr<PageWatch>(new PageWatch(std::move(*rec)));
}

void PageWatch::start(FrontEnd& fe, std::unique_ptr<Program>& slot) {
    player_.reset();
    program_ = nullptr;
    slot.reset();
    // From the progress the recorded game started from, kept in memory: watching stores nothing.
    slot = std::make_unique<Program>(fe, gameScreens(), std::make_unique<ProgressInMemory>(recording_.start));
    Program& p = *slot;
    program_ = &p;
    p.scheduler().setPace(recording_.pace);
    player_ = std::make_unique<replay::Player>(p, recording_, [&p](const std::function<void()>& h) {
        h();
        if (p.scheduler().depth() == 0) p.collect();
    });
    carry_ = 0;
    p.showMenu();
}

void PageWatch::step(Micros real) {
    static constexpr Micros kQuarters[kSpeeds] = {1, 2, 4, 8, 16, 32};
    if (paused_ || finished() || real <= 0) return;
    const Micros q = real * kQuarters[speed_] + carry_;
    carry_ = q % 4;
    player_->advanceTo(std::min(now() + q / 4, end()));
}

void PageWatch::back(FrontEnd& fe, std::unique_ptr<Program>& slot) {
    const Micros to = std::max<Micros>(0, now() - ms(10'000));
    start(fe, slot);
    catchingUp_ = true;
    player_->advanceTo(to);
    catchingUp_ = false;
}

void PageWatch::setSpeed(int step) {
    speed_ = std::clamp(step, 0, kSpeeds - 1);
    carry_ = 0;
}

Micros PageWatch::now() const {
    return program_ ? program_->scheduler().now() : 0;
}

bool PageWatch::finished() const {
    return !player_ || player_->finished() || program_->ended() || now() >= end();
}

}  // namespace sky::web

using namespace sky;
using namespace sky::web;

namespace {
std::string incoming, said, state;
}  // namespace

extern "C" {

// Room for a recording's bytes (a file) or its code (the address after #watch=): the page writes
// them here and then calls sky_watch_open. nullptr when it is longer than any the game plays.
EMSCRIPTEN_KEEPALIVE char* sky_watch_buffer(int size) {
    if (size < 0 || static_cast<std::size_t>(size) > share::kLongestText) return nullptr;
    incoming.assign(static_cast<std::size_t>(size), '\0');
    return incoming.data();
}

// Plays what the buffer holds, a code (1) or a recording's text (0): 1 when it plays, else 0 and
// sky_watch_said() says why in the game's language.
EMSCRIPTEN_KEEPALIVE int sky_watch_open(int code) {
    std::string text = std::move(incoming);
    incoming.clear();
    if (code) {
        share::Fault fault;
        auto decoded = share::decode(share::codeOf(text), fault);
        if (!decoded) {
            said = sky::text(fault == share::Fault::Version ? TextId::ShareNewer : TextId::ShareDamaged);
            return 0;
        }
        text = std::move(*decoded);
    }
    auto watch = PageWatch::open(std::move(text), said);
    if (!watch) return 0;
    said.clear();
    startWatching(std::move(watch));
    return 1;
}

EMSCRIPTEN_KEEPALIVE const char* sky_watch_said() {
    return said.c_str();
}

// The watch bar's state as JSON: the clock and the end in ms, the speed step, paused, finished.
EMSCRIPTEN_KEEPALIVE const char* sky_watch_state() {
    const PageWatch* w = watching();
    if (!w) return "null";
    state = "{\"clock\":" + std::to_string(w->now() / 1000) + ",\"end\":" + std::to_string(w->end() / 1000) +
            ",\"speed\":" + std::to_string(w->speed()) + ",\"paused\":" + (w->paused() ? "1" : "0") +
            ",\"finished\":" + (w->finished() ? "1" : "0") + "}";
    return state.c_str();
}

EMSCRIPTEN_KEEPALIVE void sky_watch_pause(int on) {
    if (PageWatch* w = watching()) w->setPaused(on != 0);
}

EMSCRIPTEN_KEEPALIVE void sky_watch_speed(int step) {
    if (PageWatch* w = watching()) w->setSpeed(step);
}

EMSCRIPTEN_KEEPALIVE void sky_watch_back() {
    if (watching()) watchBack();
}

// The watched game's state as NAME=VALUE lines, as `--replay FILE --scenario-out` prints it (for
// the page's tests).
EMSCRIPTEN_KEEPALIVE const char* sky_watch_final() {
    const PageWatch* w = watching();
    if (!w || !w->program()) return "";
    std::ostringstream out;
    replay::printState(*w->program(), out);
    state = out.str();
    return state.c_str();
}
}
