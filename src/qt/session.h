// The recording or the replay a game in the windows runs with: every input written down as it
// happens, or the inputs, answers and seeds taken from a recording instead of from the player.
#pragma once

#include <cstdint>

#include "game/input.h"

namespace sky::qt {

class Session {
public:
    // Writes every input to this log (set before the game starts).
    void setLog(InputLog* log) { log_ = log; }
    // Plays this recording instead of listening to the player (set before the game starts).
    void setSource(InputSource* source) { source_ = source; }
    InputSource* source() const { return source_; }
    bool replaying() const { return source_ != nullptr; }

    // An input made at clock time now: written to the log when there is one.
    void record(InputEvent e, Micros now);
    // A message box that opened at opened has closed at now with this answer.
    void recordAnswer(int answer, Micros opened, Micros now);
    // A seed for a screen's set-up: the recording's, or the system clock's (written down).
    std::uint64_t seed(Micros now);
    // The recording's last line, once.
    void end(Micros now);

    // Starts stopping the replay (once); false when it is already stopping.
    bool beginStop(const char* why);
    bool stopping() const { return stopping_; }

private:
    InputLog* log_ = nullptr;
    InputSource* source_ = nullptr;
    bool ended_ = false;
    bool stopping_ = false;
};

}  // namespace sky::qt
