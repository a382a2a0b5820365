// Which Music.wav files reach the audio library: only headers it decodes safely.
#include "qt/musicplayer.h"
#include "qt/soundplayer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

#include "assets/music.h"
#include "qt/mixer.h"

namespace sky::qt {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

void put(Bytes& f, std::size_t at, std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i) f[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

TEST(MusicFile, OnlyPlainPcmWavesTheLibraryDecodesSafelyArePlayed) {
    const struct Row {
        const char* what;
        std::function<void(Bytes&)> edit;  // on a 16-bit stereo 22 050 Hz file of 1 000 frames
        bool playable;
    } rows[] = {
        {"as written", [](Bytes&) {}, true},
        {"8 bits mono at 8 000 Hz", [](Bytes& f) { put(f, 22, 1, 2), put(f, 24, 8000, 4), put(f, 34, 8, 2); }, true},
        {"192 000 Hz", [](Bytes& f) { put(f, 24, 192000, 4); }, true},
        {"a rate of 1 Hz", [](Bytes& f) { put(f, 24, 1, 4); }, false},
        {"7 999 Hz", [](Bytes& f) { put(f, 24, 7999, 4); }, false},
        {"192 001 Hz", [](Bytes& f) { put(f, 24, 192001, 4); }, false},
        {"24 bits", [](Bytes& f) { put(f, 34, 24, 2); }, false},
        {"three channels", [](Bytes& f) { put(f, 22, 3, 2); }, false},
        {"no channels", [](Bytes& f) { put(f, 22, 0, 2); }, false},
        {"floating point", [](Bytes& f) { put(f, 20, 3, 2); }, false},
        {"an extensible header", [](Bytes& f) { put(f, 20, 0xFFFE, 2); }, false},
        {"a data chunk longer than the file", [](Bytes& f) { put(f, 40, 4001, 4); }, false},
        {"an empty data chunk", [](Bytes& f) { put(f, 40, 0, 4); }, false},
        {"no format chunk", [](Bytes& f) { std::copy_n("junk", 4, f.begin() + 12); }, false},
        {"cut inside the header", [](Bytes& f) { f.resize(30); }, false},
        {"not RIFF", [](Bytes& f) { f[0] = 'X'; }, false},
    };
    const fs::path dir = fs::temp_directory_path() / ("skyrend-wave-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string path = (dir / "Music.wav").string();
    for (const Row& r : rows) {
        Bytes f = assets::wavFile(std::vector<std::int16_t>(2000, 100), 22050, 2);
        r.edit(f);
        std::ofstream(path, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(f.data()), f.size());
        EXPECT_EQ(playableWave(path), r.playable) << r.what;
    }
    // Not a file at all: a directory or a FIFO (which must not hold up the start).
    fs::remove(path);
    EXPECT_FALSE(playableWave(path));
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    EXPECT_FALSE(playableWave(path));
    EXPECT_FALSE(playableWave(dir.string()));
    fs::remove_all(dir);
}

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
