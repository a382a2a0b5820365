// The real music player: "Music.wav" in the working directory, through Qt Multimedia.
#pragma once

#include <memory>
#include <string>

namespace sky::qt {

// The piece, from the working directory.
constexpr const char* kMusicFile = "Music.wav";

class MusicPlayer {
public:
    MusicPlayer();
    ~MusicPlayer();
    // "Open", "Play" or "Close"; a command that does not fit the player's state changes nothing.
    // A missing or unplayable file, or no audio device, is silent.
    void command(const std::string& cmd);
    // The music's volume, 0 to 100, heard at once and kept for the pieces opened later.
    void setVolume(int percent);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace sky::qt
