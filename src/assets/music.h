// The game's background music: composed in music.cpp as note tables and rendered by a small
// chiptune synthesiser, so the repository holds the score rather than a recording.
#pragma once

#include <cstdint>
#include <vector>

namespace sky::assets {

// Length of the piece. The player closes and restarts Music.wav every 39 750 ms, so the piece
// fills exactly that span (to the last whole sample) and fades to silence at its very end.
inline constexpr double kMusicSeconds = 39.75;

// The whole piece as interleaved 16-bit samples at sampleRate; channels is set to 2 (left,
// right). The result depends on nothing but sampleRate. Throws std::logic_error if the score
// in music.cpp is malformed (a bad note name, or a bar whose notes do not fill it exactly).
std::vector<std::int16_t> renderMusic(int sampleRate, int& channels);

// A complete 16-bit PCM WAV file (RIFF header followed by the data chunk) holding samples.
std::vector<std::uint8_t> wavFile(const std::vector<std::int16_t>& samples, int sampleRate, int channels);

}  // namespace sky::assets
