// Writes the game's sound effects, one NAME.wav per cue, into the directory given on the command
// line. The sounds themselves are made in src/assets/sounds.cpp.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "assets/music.h"
#include "assets/sounds.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-DIRECTORY\n", argv[0]);
        return 2;
    }
    constexpr int kRate = 22050;
    std::error_code ec;
    std::filesystem::create_directories(argv[1], ec);
    for (int i = 0; i < sky::kCueCount; ++i) {
        const auto cue = static_cast<sky::Cue>(i);
        const auto wav = sky::assets::wavFile(sky::assets::renderEffect(cue, kRate), kRate, 1);
        const std::string path = std::string(argv[1]) + "/" + std::string(sky::cueName(cue)) + ".wav";
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(wav.data()), static_cast<std::streamsize>(wav.size()));
        out.close();
        if (!out) {
            std::fprintf(stderr, "soundgen: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
