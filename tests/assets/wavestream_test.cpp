// Wave files read a block at a time: which headers are taken, and what comes out in the output's format.
#include "assets/wavestream.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "assets/music.h"

namespace sky::assets {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using Samples = std::vector<std::int16_t>;

void put(Bytes& f, std::size_t at, std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i) f[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

TEST(WaveStream, OnlyPlainPcmWavesThatFitTheirFileAreTaken) {
    const struct Row {
        const char* what;
        std::function<void(Bytes&)> edit;  // on a 16-bit stereo 22 050 Hz file of 1 000 frames
        bool taken;
    } rows[] = {
        {"as written", [](Bytes&) {}, true},
        {"8 bits mono at 8 000 Hz", [](Bytes& f) { put(f, 22, 1, 2), put(f, 24, 8000, 4), put(f, 34, 8, 2); }, true},
        {"192 000 Hz", [](Bytes& f) { put(f, 24, 192000, 4); }, true},
        {"a RIFF size that is wrong", [](Bytes& f) { put(f, 4, 0xFFFFFFFF, 4); }, true},
        {"an odd chunk before the format",
         [](Bytes& f) {
             const Bytes list{'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
             f.insert(f.begin() + 12, list.begin(), list.end());
         },
         true},
        {"a rate of 1 Hz", [](Bytes& f) { put(f, 24, 1, 4); }, false},
        {"7 999 Hz", [](Bytes& f) { put(f, 24, 7999, 4); }, false},
        {"192 001 Hz", [](Bytes& f) { put(f, 24, 192001, 4); }, false},
        {"4 294 967 295 Hz", [](Bytes& f) { put(f, 24, 0xFFFFFFFF, 4); }, false},
        {"24 bits", [](Bytes& f) { put(f, 34, 24, 2); }, false},
        {"three channels", [](Bytes& f) { put(f, 22, 3, 2); }, false},
        {"no channels", [](Bytes& f) { put(f, 22, 0, 2); }, false},
        {"floating point", [](Bytes& f) { put(f, 20, 3, 2); }, false},
        {"an extensible header", [](Bytes& f) { put(f, 20, 0xFFFE, 2); }, false},
        {"a data chunk longer than the file", [](Bytes& f) { put(f, 40, 4001, 4); }, false},
        {"a data chunk of 4 GB", [](Bytes& f) { put(f, 40, 0xFFFFFFFF, 4); }, false},
        {"an empty data chunk", [](Bytes& f) { put(f, 40, 0, 4); }, false},
        {"less than a frame of data", [](Bytes& f) { put(f, 40, 3, 4); }, false},
        {"no format chunk", [](Bytes& f) { std::copy_n("junk", 4, f.begin() + 12); }, false},
        {"a format chunk of 4 GB", [](Bytes& f) { put(f, 16, 0xFFFFFFFF, 4); }, false},
        {"cut inside the header", [](Bytes& f) { f.resize(30); }, false},
        {"not RIFF", [](Bytes& f) { f[0] = 'X'; }, false},
    };
    const fs::path dir = fs::temp_directory_path() / ("skyrend-wave-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string path = (dir / "Music.wav").string();
    for (const Row& r : rows) {
        Bytes f = wavFile(Samples(2000, 100), 22050, 2);
        r.edit(f);
        std::ofstream(path, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(f.data()), static_cast<std::streamsize>(f.size()));
        EXPECT_EQ(WaveStream::open(path) != nullptr, r.taken) << r.what;
    }
    // Not a file at all: missing, a directory or a FIFO (which must not hold up the start).
    fs::remove(path);
    EXPECT_FALSE(WaveStream::open(path));
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    EXPECT_FALSE(WaveStream::open(path));
    EXPECT_FALSE(WaveStream::open(dir.string()));
    fs::remove_all(dir);

    // A piece of 4 GB is read a block at a time, never whole.
    std::uint64_t furthest = 0;
    Bytes head = wavFile({}, 48000, 2);
    put(head, 40, 0xFFFFFFF0, 4);
    auto huge = WaveStream::open(
        [&](std::uint64_t at, unsigned char* into, std::size_t n) {
            for (std::size_t i = 0; i < n; ++i) into[i] = at + i < head.size() ? head[at + i] : 0;
            furthest = std::max(furthest, at + n);
            return n;
        },
        44 + 0xFFFFFFF0ull);
    ASSERT_TRUE(huge);
    EXPECT_EQ(huge->frames(), 0xFFFFFFF0ull / 4);
    huge->setOutput(44100, 2);
    Samples block(2 * 1000);
    EXPECT_EQ(huge->read(block.data(), 1000), 1000u);
    EXPECT_LT(furthest, 100'000u);
}

// The same piece read in blocks of every size, in the output's rate and channels.
TEST(WaveStream, HandsOutThePieceInTheOutputsFormatBlockByBlock) {
    const struct Row {
        const char* what;
        Samples in;
        int rate, channels, bits;
        int outRate, outChannels;
        Samples out;  // its first samples
        std::uint64_t outFrames;
    } rows[] = {
        {"as recorded", {1, -2, 32767, -32768}, 22050, 2, 16, 22050, 2, {1, -2, 32767, -32768}, 2},
        {"mono to both sides", {100, -300}, 8000, 1, 16, 8000, 2, {100, 100, -300, -300}, 2},
        {"both sides to one", {100, 300, -5, -6}, 8000, 2, 16, 8000, 1, {200, -5}, 2},
        {"twice the rate: half way between",
         {0, 1000, 3000},
         8000,
         1,
         16,
         16000,
         1,
         {0, 500, 1000, 2000, 3000, 3000},
         6},
        {"half the rate: every other", {0, 1000, 2000, 3000, 4000}, 16000, 1, 16, 8000, 1, {0, 2000}, 2},
        {"8 bits: unsigned, a byte a sample", {0x00FF, 0x0080}, 8000, 1, 8, 8000, 1, {32512, -32768, 0, -32768}, 4},
    };
    for (const Row& r : rows) {
        Bytes f = wavFile(r.in, r.rate, r.channels);
        put(f, 34, static_cast<std::uint32_t>(r.bits), 2);
        auto s = WaveStream::open(f);
        ASSERT_TRUE(s) << r.what;
        s->setOutput(r.outRate, r.outChannels);
        EXPECT_EQ(s->outputFrames(), r.outFrames) << r.what;
        Samples got(r.outFrames * r.outChannels + 8);
        EXPECT_EQ(s->read(got.data(), r.outFrames + 4), r.outFrames) << r.what;
        EXPECT_TRUE(s->atEnd()) << r.what;
        got.resize(r.out.size());
        EXPECT_EQ(got, r.out) << r.what;
    }

    // A ramp longer than the reader's block, in blocks of odd sizes and again after a rewind,
    // gives what one read of it gives, and that is the ramp resampled.
    Samples ramp(30000);
    for (std::size_t i = 0; i < ramp.size(); ++i) ramp[i] = static_cast<std::int16_t>(i % 20000);
    auto s = WaveStream::open(wavFile(ramp, 22050, 1));
    s->setOutput(48000, 2);
    Samples whole(s->outputFrames() * 2);
    ASSERT_EQ(s->read(whole.data(), s->outputFrames()), s->outputFrames());
    EXPECT_EQ(s->outputFrames(), 30000ull * 48000 / 22050);
    for (std::size_t n : {std::size_t{1000}, std::size_t{20000}, std::size_t{40000}})
        EXPECT_NEAR(whole[2 * n], static_cast<double>(n) * 22050 / 48000, 1.0) << n;
    for (std::size_t block : {1, 7, 4095, 5000}) {
        s->rewind();
        Samples pieces;
        Samples buf(block * 2);
        while (std::size_t k = s->read(buf.data(), block))
            pieces.insert(pieces.end(), buf.begin(), buf.begin() + 2 * k);
        EXPECT_EQ(pieces, whole) << block;
    }

    // A file cut short while it plays ends the piece where the file ends.
    const Bytes bytes = wavFile(ramp, 22050, 1);
    std::size_t cut = bytes.size();
    auto shrinking = WaveStream::open(
        [&](std::uint64_t at, unsigned char* into, std::size_t n) {
            n = at >= cut ? 0 : std::min<std::size_t>(n, cut - at);
            std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(at), n, into);
            return n;
        },
        bytes.size());
    cut = 44 + 2 * 10000;
    Samples buf(30000);
    EXPECT_EQ(shrinking->read(buf.data(), 30000), 9999u);
    EXPECT_TRUE(shrinking->atEnd());
}

}  // namespace
}  // namespace sky::assets
