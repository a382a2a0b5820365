// The sound effects: one NAME.wav per cue, decoded into memory when the output opens and mixed into a single
// low-latency audio output, so several play at once (an explosion over a bomb release) and a cue
// sounds the moment it is played. Silent without an audio device, without the files, or off.
#pragma once

#include <QStringList>
#include <memory>

#include "runtime/cues.h"

namespace sky::qt {

class SoundPlayer {
public:
    // Where the sounds are looked for, first match wins: sounds/ in the working directory (the
    // build puts them there), then the installed share/skyrend/sounds beside the program.
    static QStringList defaultDirs();

    explicit SoundPlayer(const QStringList& dirs = defaultDirs());
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    // Off closes the audio output and stops what plays; on opens it again.
    void setEnabled(bool on);
    bool enabled() const;
    // The effects' volume, 0 to 100, heard from the next sample on.
    void setVolume(int percent);
    // Starts the cue's sound over whatever plays already.
    void play(Cue cue);

    int soundsFound() const;  // how many cues have a readable sound
    bool outputOpen() const;  // an audio output is open and playing (silence when idle)

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace sky::qt
