// Wave files read a block at a time.
#include "assets/wavestream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

namespace sky::assets {

namespace {

constexpr std::size_t kBlockFrames = 4096;  // what one read of the file brings in
constexpr int kMostChunks = 64;             // looked through for the data chunk, no more

unsigned u16(const unsigned char* p) {
    return unsigned(p[0]) | unsigned(p[1]) << 8;
}
std::uint32_t u32(const unsigned char* p) {
    return u16(p) | std::uint32_t(u16(p + 2)) << 16;
}

// The file, closed when the last stream reading it is gone.
struct Descriptor {
    explicit Descriptor(int f) : fd(f) {}
    ~Descriptor() { ::close(fd); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    const int fd;
};

}  // namespace

std::unique_ptr<WaveStream> WaveStream::open(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    const auto file = std::make_shared<Descriptor>(fd);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return nullptr;
    auto read = [file](std::uint64_t at, unsigned char* into, std::size_t n) {
        std::size_t got = 0;
        while (got < n) {
            const ssize_t k = ::pread(file->fd, into + got, n - got, static_cast<off_t>(at + got));
            if (k < 0 && errno == EINTR) continue;
            if (k <= 0) break;
            got += static_cast<std::size_t>(k);
        }
        return got;
    };
    return open(read, static_cast<std::uint64_t>(st.st_size));
}

std::unique_ptr<WaveStream> WaveStream::open(std::vector<std::uint8_t> bytes) {
    const auto size = bytes.size();
    auto held = std::make_shared<std::vector<std::uint8_t>>(std::move(bytes));
    return open(
        [held](std::uint64_t at, unsigned char* into, std::size_t n) -> std::size_t {
            if (at >= held->size()) return 0;
            n = std::min<std::uint64_t>(n, held->size() - at);
            std::memcpy(into, held->data() + at, n);
            return n;
        },
        size);
}

std::unique_ptr<WaveStream> WaveStream::open(ReadAt read, std::uint64_t size) {
    auto readAll = [&](std::uint64_t at, unsigned char* into, std::size_t n) {
        return at <= size && n <= size - at && read(at, into, n) == n;
    };
    unsigned char riff[12];
    if (!readAll(0, riff, 12) || std::memcmp(riff, "RIFF", 4) != 0 || std::memcmp(riff + 8, "WAVE", 4) != 0)
        return nullptr;
    // The RIFF size is not looked at: a long piece's is often wrong. Each chunk's must fit.
    bool pcm = false;
    int rate = 0, channels = 0, bits = 0;
    std::uint64_t at = 12;
    for (int chunk = 0; chunk < kMostChunks; ++chunk) {
        unsigned char head[8];
        if (!readAll(at, head, 8)) return nullptr;
        const std::uint64_t length = u32(head + 4);
        at += 8;
        if (std::memcmp(head, "data", 4) == 0) {
            if (!pcm || length > size - at) return nullptr;
            const std::uint64_t frames = length / static_cast<std::uint64_t>(channels * bits / 8);
            if (frames == 0) return nullptr;
            return std::unique_ptr<WaveStream>(new WaveStream(std::move(read), at, rate, channels, bits, frames));
        }
        if (std::memcmp(head, "fmt ", 4) == 0) {
            unsigned char fmt[16];
            if (length < 16 || !readAll(at, fmt, 16)) return nullptr;
            // Plain PCM only: no "extensible" header, no floating point, no compression.
            const std::uint32_t hz = u32(fmt + 4);
            channels = static_cast<int>(u16(fmt + 2));
            bits = static_cast<int>(u16(fmt + 14));
            rate = static_cast<int>(std::min<std::uint32_t>(hz, 1'000'000));
            pcm = u16(fmt) == 1 && (channels == 1 || channels == 2) && (bits == 8 || bits == 16) && hz >= 8000 &&
                  hz <= 192000;
        }
        at += length + (length & 1);  // chunks are padded to an even length
    }
    return nullptr;
}

WaveStream::WaveStream(ReadAt read, std::uint64_t data, int rate, int channels, int bits, std::uint64_t frames)
    : readAt_(std::move(read)),
      data_(data),
      rate_(rate),
      channels_(channels),
      bytes_(bits / 8),
      frames_(frames),
      outRate_(rate),
      outChannels_(channels),
      outFrames_(frames),
      raw_(kBlockFrames * static_cast<std::size_t>(channels * bits / 8)),
      block_(kBlockFrames * static_cast<std::size_t>(channels)) {}

void WaveStream::setOutput(int rate, int channels) {
    outRate_ = std::max(rate, 1);
    outChannels_ = std::clamp(channels, 1, 2);
    outFrames_ = frames_ * static_cast<std::uint64_t>(outRate_) / static_cast<std::uint64_t>(rate_);
    rewind();
}

void WaveStream::rewind() {
    next_ = 0;
    done_ = outFrames_ == 0;
    blockFrames_ = 0;
}

bool WaveStream::load(std::uint64_t first) {
    const std::uint64_t second = std::min(first + 1, frames_ - 1);
    if (first >= blockStart_ && second < blockStart_ + blockFrames_) return true;
    const auto frameBytes = static_cast<std::size_t>(channels_ * bytes_);
    const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(kBlockFrames, frames_ - first));
    const std::size_t got = readAt_(data_ + first * frameBytes, raw_.data(), count * frameBytes);
    blockStart_ = first;
    blockFrames_ = got / frameBytes;
    const std::size_t samples = blockFrames_ * static_cast<std::size_t>(channels_);
    for (std::size_t i = 0; i < samples; ++i)
        block_[i] = bytes_ == 1 ? static_cast<std::int16_t>((raw_[i] - 128) * 256)
                                : static_cast<std::int16_t>(u16(&raw_[2 * i]));
    return second < blockStart_ + blockFrames_;
}

int WaveStream::sample(std::uint64_t frame, int channel) const {
    const std::int16_t* s = &block_[static_cast<std::size_t>(frame - blockStart_) * channels_];
    if (channels_ == outChannels_) return s[channel];
    if (channels_ == 1) return s[0];
    return (s[0] + s[1]) / 2;
}

std::size_t WaveStream::read(std::int16_t* out, std::size_t frames) {
    std::size_t n = 0;
    for (; n < frames && !done_; ++n, ++next_) {
        if (next_ >= outFrames_) {
            done_ = true;
            break;
        }
        // Output frame next_ lies between input frames i and i + 1, frac of the way along.
        const std::uint64_t x = next_ * static_cast<std::uint64_t>(rate_);
        const std::uint64_t i = x / static_cast<std::uint64_t>(outRate_);
        if (!load(i)) {
            done_ = true;  // the file was cut short while it played
            break;
        }
        const std::uint64_t j = std::min(i + 1, frames_ - 1);
        const double frac = static_cast<double>(x % static_cast<std::uint64_t>(outRate_)) / outRate_;
        for (int c = 0; c < outChannels_; ++c) {
            const int a = sample(i, c), b = sample(j, c);
            out[n * static_cast<std::size_t>(outChannels_) + static_cast<std::size_t>(c)] =
                static_cast<std::int16_t>(std::lround(a + (b - a) * frac));
        }
    }
    if (next_ >= outFrames_) done_ = true;
    return n;
}

}  // namespace sky::assets
