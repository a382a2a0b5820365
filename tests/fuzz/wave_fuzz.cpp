// Fuzzing wave files: whatever bytes Music.wav or an effect holds, the header is taken or refused
// without a crash, and a piece that is taken plays out to its last frame in any output format,
// never more.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "assets/wavestream.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    if (size < 2) return 0;
    // The first two bytes pick the output: a rate from 8 000 to 186 500 Hz, one or two channels.
    const int rate = 8000 + data[0] * 700, channels = 1 + data[1] % 2;
    auto piece = sky::assets::WaveStream::open(std::vector<std::uint8_t>(data + 2, data + size));
    if (!piece) return 0;
    piece->setOutput(rate, channels);
    std::vector<std::int16_t> block(2 * 333);
    std::uint64_t played = 0;
    while (const std::size_t n = piece->read(block.data(), 333)) {
        played += n;
        if (played > piece->outputFrames()) std::abort();
    }
    if (played != piece->outputFrames() || !piece->atEnd()) std::abort();
    return 0;
}
