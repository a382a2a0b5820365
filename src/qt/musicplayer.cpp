// The real music player: "Music.wav" from the working directory, played through Qt Multimedia.
#include "qt/musicplayer.h"

#include "qt/mixer.h"
#include "qt/quietaudio.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QDir>
#include <QFile>
#include <QIODevice>
#include <QMediaDevices>
#include <cstdint>
#include <cstring>
#include <vector>

#include "assets/wavestream.h"

namespace sky::qt {

namespace {

constexpr int kBufferMs = 250;  // what the output holds ahead of what is heard

// The piece as the audio output pulls it: a block of the file at a time, never the whole of it,
// so a piece of any length costs the same memory. Once the piece has played out it gives nothing
// more, and the output rests in silence.
class PieceSource : public QIODevice {
public:
    explicit PieceSource(std::unique_ptr<assets::WaveStream> piece) : piece_(std::move(piece)) {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        const auto frameBytes = static_cast<qint64>(2 * piece_->outputChannels());
        const auto frames = static_cast<std::size_t>(std::min<qint64>(maxSize / frameBytes, kBlockFrames));
        block_.resize(frames * static_cast<std::size_t>(piece_->outputChannels()));
        const std::size_t got = piece_->read(block_.data(), frames);
        std::memcpy(data, block_.data(), got * static_cast<std::size_t>(frameBytes));
        return static_cast<qint64>(got) * frameBytes;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    static constexpr qint64 kBlockFrames = 8192;
    std::unique_ptr<assets::WaveStream> piece_;
    std::vector<std::int16_t> block_;
};

}  // namespace

// The player is closed while `sink` is empty. Once opened it sits at the start of the piece; the
// first "Play" starts it, and from then on the position only moves forwards (playing, then
// resting at the end), so a later "Play" has nothing to do until the piece is closed and opened
// again.
struct MusicPlayer::Impl {
    std::unique_ptr<PieceSource> source;
    std::unique_ptr<QAudioSink> sink;
    bool started = false;
    int volume = 100;

    void applyVolume() {
        if (sink) sink->setVolume(volumeGain(volume));
    }

    void open() {
        if (sink) return;  // already open: the position stays where it is
        // A missing or broken file cannot be opened: the player stays closed and every command
        // is silent.
        auto piece = assets::WaveStream::open(QFile::encodeName(QDir::current().filePath(kMusicFile)).toStdString());
        if (!piece) return;
        // Without an audio output there is nothing to open (asking here, inside the command, also
        // keeps the sound server's start-up complaints quiet).
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull()) return;
        // The piece as recorded when the device takes that, else in the device's own format.
        QAudioFormat format;
        format.setSampleFormat(QAudioFormat::Int16);
        format.setSampleRate(piece->rate());
        format.setChannelCount(piece->channels());
        if (!device.isFormatSupported(format)) format = deviceFormat(device);
        if (!format.isValid()) return;
        piece->setOutput(format.sampleRate(), format.channelCount());
        source = std::make_unique<PieceSource>(std::move(piece));
        sink = std::make_unique<QAudioSink>(device, format);
        sink->setBufferSize(format.bytesForDuration(kBufferMs * 1000));
        applyVolume();
        started = false;
    }

    void play() {
        if (!sink || started) return;
        started = true;
        // The output pulls the piece from here on; without a working device it stays silent.
        sink->start(source.get());
    }

    void close() {
        if (!sink) return;
        sink->stop();
        sink.reset();  // releases the audio device
        source.reset();
        started = false;
    }
};

MusicPlayer::MusicPlayer() : impl_(std::make_unique<Impl>()) {}

MusicPlayer::~MusicPlayer() {
    QuietAudio quiet;
    impl_->close();
}

void MusicPlayer::setVolume(int percent) {
    QuietAudio quiet;
    impl_->volume = percent;
    impl_->applyVolume();
}

void MusicPlayer::command(const std::string& cmd) {
    QuietAudio quiet;
    if (cmd == "Open")
        impl_->open();
    else if (cmd == "Play")
        impl_->play();
    else if (cmd == "Close")
        impl_->close();
}

}  // namespace sky::qt
