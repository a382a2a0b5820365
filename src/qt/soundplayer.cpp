// The sound effects, mixed into one audio output.
#include "qt/soundplayer.h"

#include "qt/mixer.h"

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

#include "assets/wavestream.h"

namespace sky::qt {

namespace {

// An effect is short: one that plays longer is not one and stays silent. What the effects cost in
// the output's format is bounded by this, whatever the files' rates.
constexpr double kLongestEffectSeconds = 2;
constexpr int kLatencyMs = 40;  // the output's buffer
constexpr int kFeedMs = 10;     // how often its buffer is topped up

}  // namespace

struct SoundPlayer::Impl {
    std::array<std::unique_ptr<assets::WaveStream>, kCueCount> files;
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
        const QAudioFormat format = deviceFormat(device);
        if (!format.isValid()) return;
        for (int i = 0; i < kCueCount; ++i) {
            if (!files[i]) continue;
            files[i]->setOutput(format.sampleRate(), format.channelCount());
            sounds[i].resize(files[i]->outputFrames() * static_cast<std::size_t>(format.channelCount()));
            sounds[i].resize(files[i]->read(sounds[i].data(), files[i]->outputFrames()) *
                             static_cast<std::size_t>(format.channelCount()));
        }
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
            auto file = assets::WaveStream::open(QFile::encodeName(QDir(dir).filePath(name)).toStdString());
            if (file && file->seconds() <= kLongestEffectSeconds) {
                impl_->files[i] = std::move(file);
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
