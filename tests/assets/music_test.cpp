// The game's own music: a well-formed WAV file, a piece that fits its loop and is cleanly mastered.
#include "assets/music.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace sky::assets {
namespace {

std::uint32_t le32(const std::vector<std::uint8_t>& f, std::size_t at) {
    return f[at] | f[at + 1] << 8 | f[at + 2] << 16 | static_cast<std::uint32_t>(f[at + 3]) << 24;
}
std::uint32_t le16(const std::vector<std::uint8_t>& f, std::size_t at) {
    return f[at] | f[at + 1] << 8;
}
std::string tag(const std::vector<std::uint8_t>& f, std::size_t at) {
    return std::string(f.begin() + at, f.begin() + at + 4);
}

TEST(Music, WavFileHeaderAndLittleEndianData) {
    const auto f = wavFile({1, -2, 32767, -32768}, 22050, 2);
    ASSERT_EQ(f.size(), 44u + 8u);
    EXPECT_EQ(tag(f, 0) + tag(f, 8) + tag(f, 12) + tag(f, 36), "RIFFWAVEfmt data");
    const std::pair<std::size_t, std::uint32_t> fields32[] = {{4, 44}, {16, 16}, {24, 22050}, {28, 88200}, {40, 8}};
    for (auto [at, v] : fields32) EXPECT_EQ(le32(f, at), v) << at;
    const std::pair<std::size_t, std::uint32_t> fields16[] = {{20, 1},      {22, 2},      {32, 4},      {34, 16},
                                                              {44, 0x0001}, {46, 0xFFFE}, {48, 0x7FFF}, {50, 0x8000}};
    for (auto [at, v] : fields16) EXPECT_EQ(le16(f, at), v) << at;
}

// Peak and RMS (as fractions of full scale) of frames [from, to) over both channels.
struct Level {
    double peak = 0, rms = 0;
};
Level level(const std::vector<std::int16_t>& s, std::size_t from, std::size_t to) {
    Level l;
    double sum = 0;
    for (std::size_t i = 2 * from; i < 2 * to; ++i) {
        double v = s[i] / 32768.0;
        l.peak = std::max(l.peak, std::abs(v));
        sum += v * v;
    }
    l.rms = std::sqrt(sum / static_cast<double>(2 * (to - from)));
    return l;
}

TEST(Music, PieceFitsTheLoopAndIsCleanlyMastered) {
    constexpr int kRate = 22050;
    int channels = 0;
    const auto s = renderMusic(kRate, channels);
    EXPECT_EQ(s, renderMusic(kRate, channels)) << "the same piece every time";
    ASSERT_EQ(channels, 2);
    ASSERT_EQ(s.size() % 2, 0u);
    const std::size_t frames = s.size() / 2;
    EXPECT_EQ(frames, static_cast<std::size_t>(39.75 * kRate));  // the menu restarts it every 39 750 ms

    // Peak near -3 dBFS and no sample pinned at full scale.
    const Level all = level(s, 0, frames);
    EXPECT_GT(all.peak, std::pow(10.0, -4.0 / 20));
    EXPECT_LT(all.peak, std::pow(10.0, -2.5 / 20));
    EXPECT_GT(all.rms, 0.08);

    // The loop point: both ends of the file are near silence, the very last sample is zero.
    const std::size_t ms10 = kRate / 100;
    EXPECT_LT(level(s, 0, ms10).peak, 0.01);
    EXPECT_LT(level(s, frames - ms10, frames).peak, 0.002);
    EXPECT_EQ(s[0], 0);
    EXPECT_EQ(s[s.size() - 1], 0);

    // No dropouts: after the intro's first bar every half second is clearly audible.
    for (std::size_t at = 2 * kRate; at + kRate / 2 < frames - kRate / 2; at += kRate / 2)
        EXPECT_GT(level(s, at, at + kRate / 2).rms, 0.05) << "at " << at / double(kRate) << " s";
}

}  // namespace
}  // namespace sky::assets
