// Wave files read a block at a time: the header checked without trusting a single size in it,
// then the samples handed out in the format the audio output wants, however long the file is.
// The music of any length and the sound effects both come through here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace sky::assets {

class WaveStream {
public:
    // Reads up to n bytes at offset at into `into`; returns how many it read (fewer at the end).
    using ReadAt = std::function<std::size_t(std::uint64_t at, unsigned char* into, std::size_t n)>;

    // A regular file (opened without blocking, so a FIFO or a device in its place is refused at
    // once) holding RIFF/WAVE with a plain PCM format chunk (8 or 16 bits, 1 or 2 channels,
    // 8 000 to 192 000 Hz) before a data chunk of at least one frame that fits in the file.
    // Anything else is nothing: the caller stays silent, as with a missing file.
    static std::unique_ptr<WaveStream> open(const std::string& path);
    // The same from size bytes that read reaches (a file in memory).
    static std::unique_ptr<WaveStream> open(ReadAt read, std::uint64_t size);
    static std::unique_ptr<WaveStream> open(std::vector<std::uint8_t> bytes);

    // The file's own format and length.
    int rate() const { return rate_; }
    int channels() const { return channels_; }
    std::uint64_t frames() const { return frames_; }
    double seconds() const { return static_cast<double>(frames_) / rate_; }

    // What read() hands out from now on (16-bit, interleaved; the file's own format until this is
    // called): rate by linear interpolation, 2 channels from 1 by copying, 1 from 2 by averaging.
    // Starts from the beginning again.
    void setOutput(int rate, int channels);
    int outputRate() const { return outRate_; }
    int outputChannels() const { return outChannels_; }
    // How many frames read() hands out in all, in the output's format.
    std::uint64_t outputFrames() const { return outFrames_; }

    // Up to frames frames into out (frames * outputChannels() samples); fewer only at the end of
    // the piece, or when the file was cut short since it was opened.
    std::size_t read(std::int16_t* out, std::size_t frames);
    // Back to the start of the piece, for the next time round.
    void rewind();
    bool atEnd() const { return done_; }

private:
    WaveStream(ReadAt read, std::uint64_t data, int rate, int channels, int bits, std::uint64_t frames);
    // Makes input frames first and first + 1 (or the last one) readable in block_; false when the
    // file cannot give them any more.
    bool load(std::uint64_t first);
    int sample(std::uint64_t frame, int channel) const;

    ReadAt readAt_;
    std::uint64_t data_;  // where the samples start in the file
    int rate_, channels_, bytes_;
    std::uint64_t frames_;
    int outRate_, outChannels_;
    std::uint64_t outFrames_ = 0;
    std::uint64_t next_ = 0;  // the next output frame
    bool done_ = false;
    // A window of the file's frames, decoded to 16 bits: frames blockStart_ .. + blockFrames_.
    std::vector<unsigned char> raw_;
    std::vector<std::int16_t> block_;
    std::uint64_t blockStart_ = 0;
    std::size_t blockFrames_ = 0;
};

}  // namespace sky::assets
