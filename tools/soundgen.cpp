// Writes the game's sound effects, one NAME.wav per cue, into the directory given on the command
// line; or, with --slots, all of them in one wave file, cue after cue in the game's order, each at
// the start of its own second (the web page plays cue i from second i). The sounds themselves
// are made in src/assets/sounds.cpp.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "assets/music.h"
#include "assets/sounds.h"

namespace {

constexpr int kRate = 22050;

bool write(const std::string& path, const std::vector<std::int16_t>& samples) {
    const auto wav = sky::assets::wavFile(samples, kRate, 1);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(wav.data()), static_cast<std::streamsize>(wav.size()));
    out.close();
    if (!out) std::fprintf(stderr, "soundgen: cannot write %s\n", path.c_str());
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    const bool slots = argc == 3 && std::string_view(argv[1]) == "--slots";
    if (argc != 2 && !slots) {
        std::fprintf(stderr, "usage: %s OUTPUT-DIRECTORY | --slots FILE.wav\n", argv[0]);
        return 2;
    }
    if (slots) {
        try {
            return write(argv[2], sky::assets::renderEffectSlots(kRate)) ? 0 : 1;
        } catch (const std::length_error& e) {
            std::fprintf(stderr, "soundgen: %s\n", e.what());
            return 1;
        }
    }
    std::error_code ec;
    std::filesystem::create_directories(argv[1], ec);
    for (int i = 0; i < sky::kCueCount; ++i) {
        const auto cue = static_cast<sky::Cue>(i);
        const std::string path = std::string(argv[1]) + "/" + std::string(sky::cueName(cue)) + ".wav";
        if (!write(path, sky::assets::renderEffect(cue, kRate))) return 1;
    }
    return 0;
}
