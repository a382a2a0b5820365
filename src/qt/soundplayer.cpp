// The sound effects, mixed into one audio output.
#include "qt/soundplayer.h"

#include "qt/mixer.h"
#include "qt/musicplayer.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QIODevice>
#include <QMediaDevices>
#include <QObject>
#include <QTimer>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

namespace sky::qt {

namespace {

// An effect is short: one that plays longer is not one and stays silent. What the effects cost in
// the output's format is bounded by this, whatever the files' rates.
constexpr double kLongestEffectSeconds = 2;
constexpr qint64 kMaxFileBytes = 2 * 2 * 192000 * 2 + 4096;  // the longest at the highest rate, stereo
constexpr int kLatencyMs = 40;                               // the output's buffer
constexpr int kFeedMs = 10;                                  // how often its buffer is topped up

struct Pcm {
    int rate = 0, channels = 0;
    std::vector<std::int16_t> samples;  // interleaved
};

// A 16-bit PCM wave file, or nothing. The music's check comes first: only a regular file with a
// header the audio output takes is opened at all.
bool readWave(const QString& path, Pcm& out) {
    if (!playableWave(QFile::encodeName(path).toStdString())) return false;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() > kMaxFileBytes) return false;
    const QByteArray b = f.readAll();
    auto u16 = [&](qsizetype at) { return unsigned(std::uint8_t(b[at])) | unsigned(std::uint8_t(b[at + 1])) << 8; };
    auto u32 = [&](qsizetype at) { return u16(at) | std::uint32_t(u16(at + 2)) << 16; };
    if (b.size() < 12 || !b.startsWith("RIFF") || b.mid(8, 4) != "WAVE") return false;
    bool fmt = false;
    for (qsizetype at = 12; at + 8 <= b.size();) {
        const QByteArray id = b.mid(at, 4);
        const qint64 size = u32(at + 4);
        const qsizetype body = at + 8;
        if (size > b.size() - body) return false;
        if (id == "fmt ") {
            if (size < 16 || u16(body) != 1 || u16(body + 14) != 16) return false;  // 16-bit PCM only
            out.channels = static_cast<int>(u16(body + 2));
            out.rate = static_cast<int>(u32(body + 4));
            fmt = out.channels >= 1 && out.channels <= 2 && out.rate >= 8000 && out.rate <= 192000;
            if (!fmt) return false;
        } else if (id == "data") {
            if (!fmt || size < 2) return false;
            if (size / 2 / out.channels > out.rate * kLongestEffectSeconds) return false;
            out.samples.resize(static_cast<std::size_t>(size / 2));
            for (std::size_t i = 0; i < out.samples.size(); ++i)
                out.samples[i] = static_cast<std::int16_t>(u16(body + 2 * static_cast<qsizetype>(i)));
            return true;
        }
        at = body + size + (size & 1);
    }
    return false;
}

// The sound in the output's format: its rate (linear interpolation) and channel count.
std::vector<std::int16_t> convert(const Pcm& in, int rate, int channels) {
    const std::size_t inFrames = in.samples.size() / in.channels;
    const auto outFrames = static_cast<std::size_t>(static_cast<double>(inFrames) * rate / in.rate);
    std::vector<std::int16_t> out(outFrames * channels);
    auto mono = [&](std::size_t i) {
        int s = 0;
        for (int c = 0; c < in.channels; ++c) s += in.samples[i * in.channels + c];
        return static_cast<double>(s) / in.channels;
    };
    for (std::size_t n = 0; n < outFrames; ++n) {
        const double x = static_cast<double>(n) * in.rate / rate;
        const std::size_t i = std::min(static_cast<std::size_t>(x), inFrames - 1);
        const std::size_t j = std::min(i + 1, inFrames - 1);
        const double v = mono(i) + (mono(j) - mono(i)) * (x - static_cast<double>(i));
        for (int c = 0; c < channels; ++c) out[n * channels + c] = static_cast<std::int16_t>(v);
    }
    return out;
}

}  // namespace

struct SoundPlayer::Impl {
    std::array<Pcm, kCueCount> files;
    std::array<std::vector<std::int16_t>, kCueCount> sounds;  // in the output's format
    int found = 0;
    bool enabled = true;
    bool tried = false;  // opening was tried since the player was switched on
    Mixer mixer;
    std::unique_ptr<QAudioSink> sink;
    QIODevice* out = nullptr;  // the sink's, written to while open
    QTimer feed;               // tops the sink's buffer up with what the voices play
    std::vector<std::int16_t> chunk;

    Impl() {
        feed.setTimerType(Qt::PreciseTimer);
        feed.setInterval(kFeedMs);
        QObject::connect(&feed, &QTimer::timeout, [this] { topUp(); });
    }

    void topUp() {
        if (!sink || !out) return;
        const qint64 free = sink->bytesFree() / 2 / sink->format().channelCount() * sink->format().channelCount();
        if (free <= 0) return;
        chunk.resize(static_cast<std::size_t>(free));
        mixer.mix(chunk.data(), chunk.size());
        out->write(reinterpret_cast<const char*>(chunk.data()), free * 2);
    }

    void open() {
        if (tried || found == 0) return;
        tried = true;
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull()) return;
        // The device's own rate, never a file's: one odd effect must not set what all of them cost.
        QAudioFormat format;
        format.setSampleFormat(QAudioFormat::Int16);
        format.setSampleRate(std::clamp(device.preferredFormat().sampleRate(), 8000, 96000));
        format.setChannelCount(std::clamp(device.preferredFormat().channelCount(), 1, 2));
        if (!device.isFormatSupported(format)) format.setSampleRate(48000);
        if (!device.isFormatSupported(format)) return;
        for (int i = 0; i < kCueCount; ++i)
            if (files[i].rate) sounds[i] = convert(files[i], format.sampleRate(), format.channelCount());
        sink = std::make_unique<QAudioSink>(device, format);
        sink->setBufferSize(format.bytesForDuration(kLatencyMs * 1000));
        out = sink->start();
        if (!out || sink->error() != QAudio::NoError) {
            close();
            tried = true;  // no second try until switched off and on
            return;        // and no feed to wake for
        }
        feed.start();
    }

    void close() {
        tried = false;
        feed.stop();
        if (sink) sink->stop();
        sink.reset();
        out = nullptr;
        mixer.clear();
    }
};

QStringList SoundPlayer::defaultDirs() {
    return {QDir::current().filePath("sounds"),
            QDir(QCoreApplication::applicationDirPath()).filePath("../share/skyrend/sounds")};
}

SoundPlayer::SoundPlayer(const QStringList& dirs) : impl_(std::make_unique<Impl>()) {
    for (int i = 0; i < kCueCount; ++i) {
        const QString name = QString::fromLatin1(cueName(static_cast<Cue>(i))) + ".wav";
        for (const QString& dir : dirs) {
            Pcm p;
            if (readWave(QDir(dir).filePath(name), p)) {
                impl_->files[i] = std::move(p);
                ++impl_->found;
                break;
            }
        }
    }
}

SoundPlayer::~SoundPlayer() {
    impl_->close();
}

void SoundPlayer::setEnabled(bool on) {
    impl_->enabled = on;
    if (on)
        impl_->open();
    else
        impl_->close();
}

void SoundPlayer::setVolume(int percent) {
    impl_->mixer.setVolume(percent);
}

bool SoundPlayer::enabled() const {
    return impl_->enabled;
}

void SoundPlayer::play(Cue cue) {
    if (!impl_->enabled) return;
    impl_->open();  // once: the output stays open, playing silence while idle
    const auto& sound = impl_->sounds[static_cast<int>(cue)];
    if (impl_->sink && !sound.empty()) {
        impl_->mixer.start(&sound);
        impl_->topUp();  // whatever room the buffer has starts with it at once
    }
}

int SoundPlayer::soundsFound() const {
    return impl_->found;
}

bool SoundPlayer::outputOpen() const {
    return impl_->sink != nullptr;
}

}  // namespace sky::qt
