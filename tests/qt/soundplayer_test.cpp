// The sound effects: their volume, and what an effect may cost.
#include "qt/soundplayer.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include "assets/music.h"
#include "qt/mixer.h"

namespace sky::qt {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

TEST(Mixer, TheEffectsVolumeScalesWhatIsHeardAndLoudVoicesClip) {
    const std::vector<std::int16_t> loud(4, 20000), quiet(4, 1000);
    const struct Row {
        int volume;
        std::vector<const std::vector<std::int16_t>*> voices;
        std::int16_t heard;
    } rows[] = {
        {100, {&quiet}, 1000},         // as recorded
        {100, {&loud, &loud}, 32767},  // two together clip
        {0, {&loud}, 0},               // silent
        {50, {&quiet}, 151},           // half way on the ear's scale: -16 dB
        {50, {&loud, &loud}, 6021},    // the sum scaled, not clipped first
        {-5, {&quiet}, 0},             // out of range: the nearest end
        {250, {&quiet}, 1000},
    };
    for (const Row& r : rows) {
        Mixer m;
        m.setVolume(r.volume);
        for (auto* v : r.voices) m.start(v);
        std::int16_t out[4];
        m.mix(out, 4);
        EXPECT_NEAR(out[0], r.heard, r.heard / 50 + 1) << r.volume;
    }
}

// A sound effect is short: what one may cost is bounded by how long it plays, whatever its rate.
TEST(SoundFiles, EffectsLongerThanTwoSecondsAreLeftSilent) {
    const fs::path dir = fs::temp_directory_path() / ("skyrend-effects-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const struct {
        const char* cue;
        int rate;
        double seconds;
    } files[] = {{"bomb", 8000, 0.5}, {"star", 192000, 0.2}, {"hit", 8000, 3}, {"lost", 22050, 2.5}};
    for (const auto& f : files) {
        const Bytes b = assets::wavFile(std::vector<std::int16_t>(std::size_t(f.rate * f.seconds), 100), f.rate, 1);
        std::ofstream((dir / (std::string(f.cue) + ".wav")).string(), std::ios::binary)
            .write(reinterpret_cast<const char*>(b.data()), b.size());
    }
    EXPECT_EQ(SoundPlayer({QString::fromStdString(dir.string())}).soundsFound(), 2);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace sky::qt
