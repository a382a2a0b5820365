// The music and the sound effects, rendered in the browser from the same recipes as the desktop's
// Music.wav and sound slots (tools/musicgen.cpp, tools/soundgen.cpp --slots): the page fetches no
// audio at all. Runs in a worker (synth-worker.js); each call returns a whole wave file.
#include <emscripten.h>

#include <cstdint>
#include <vector>

#include "assets/music.h"
#include "assets/sounds.h"

namespace {

constexpr int kRate = 22050;  // the desktop's files' rate
std::vector<std::uint8_t> wav;

}  // namespace

extern "C" {

// The background music as a wave file; its length in sky_wav_size().
EMSCRIPTEN_KEEPALIVE const std::uint8_t* sky_music_wav() {
    int channels = 0;
    wav = sky::assets::wavFile(sky::assets::renderMusic(kRate, channels), kRate, channels);
    return wav.data();
}

// Every sound effect in one mono wave file, cue i at second i.
EMSCRIPTEN_KEEPALIVE const std::uint8_t* sky_sounds_wav() {
    wav = sky::assets::wavFile(sky::assets::renderEffectSlots(kRate), kRate, 1);
    return wav.data();
}

EMSCRIPTEN_KEEPALIVE int sky_wav_size() {
    return static_cast<int>(wav.size());
}
}
