// The game's sound effects: each one a short recipe of swept tones and filtered noise, rendered
// at build time like the music, so the repository holds the recipes rather than recordings.
#pragma once

#include <cstdint>
#include <vector>

#include "runtime/cues.h"

namespace sky::assets {

// The loudest a sound effect peaks at (-9 dBFS): they sit under the music, which peaks at -3 dBFS.
inline constexpr double kEffectPeak = 0.355;

// The cue's sound as mono 16-bit samples at sampleRate: shorter than a second, starting and
// ending at silence. Depends on nothing but the cue and sampleRate.
std::vector<std::int16_t> renderEffect(Cue cue, int sampleRate);

// Every cue in one mono track, cue i at the start of second i (the web page plays cue i from
// second i). Throws std::length_error if a cue outlasts its second.
std::vector<std::int16_t> renderEffectSlots(int sampleRate);

}  // namespace sky::assets
