// Writes the game's background music, Music.wav, to the path given on the command line.
// The piece itself is composed and rendered in src/assets/music.cpp.
#include <cstdio>
#include <fstream>

#include "assets/music.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.wav\n", argv[0]);
        return 2;
    }
    constexpr int kRate = 22050;
    int channels = 0;
    const auto samples = sky::assets::renderMusic(kRate, channels);
    const auto wav = sky::assets::wavFile(samples, kRate, channels);
    std::ofstream out(argv[1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(wav.data()), static_cast<std::streamsize>(wav.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "musicgen: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
