// The real music player: "Music.wav" in the working directory, through Qt Multimedia.
#pragma once

#include <memory>
#include <string>

namespace sky::qt {

// The piece, from the working directory.
constexpr const char* kMusicFile = "Music.wav";

// Whether the file is a wave file the player decodes safely: RIFF/WAVE with a PCM format chunk
// (8 or 16 bits, 1 or 2 channels, 8 000 to 192 000 Hz) before a data chunk that fits in the file.
// Anything else, or anything but a regular file, is silent, as a missing file is: the audio
// library crashes on some such headers and complains about others.
bool playableWave(const std::string& path);

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
