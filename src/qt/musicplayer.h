// The real music player: "Music.wav" in the working directory, through Qt Multimedia.
#pragma once

#include <memory>
#include <string>

namespace sky::qt {

class MusicPlayer {
public:
    MusicPlayer();
    ~MusicPlayer();
    // "Open", "Play" or "Close"; a command that does not fit the player's state changes nothing.
    // A missing or unplayable file, or no audio device, is silent.
    void command(const std::string& cmd);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace sky::qt
