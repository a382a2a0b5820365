// The recording or the replay a game in the windows runs with.
#include "qt/session.h"

#include <chrono>
#include <cstdio>

namespace sky::qt {

void Session::record(InputEvent e, Micros now) {
    if (!log_ || ended_) return;  // a box the end closed answers after the last line: not written
    e.t = now;
    log_->write(e);
}

void Session::recordAnswer(int answer, Micros opened, Micros now) {
    InputEvent e;
    e.kind = InputEvent::Answer;
    e.value = answer;
    e.opened = opened;
    record(e, now);
}

std::uint64_t Session::seed(Micros now) {
    if (source_) return source_->nextSeed();
    const auto s = static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
            .count());
    InputEvent e;
    e.kind = InputEvent::Seed;
    e.seed = s;
    record(e, now);
    return s;
}

void Session::end(Micros now) {
    if (!log_ || ended_) return;
    InputEvent e;
    e.kind = InputEvent::End;
    record(e, now);
    ended_ = true;
}

bool Session::beginStop(const char* why) {
    if (stopping_) return false;
    stopping_ = true;
    if (why) std::fprintf(stderr, "skyrend: replay stopped before its end: %s\n", why);
    return true;
}

}  // namespace sky::qt
