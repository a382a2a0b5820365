// The real music player: "Music.wav" from the working directory, played through Qt Multimedia.
#include "qt/musicplayer.h"

#include "qt/quietaudio.h"

#include <cstdint>
#include <cstring>

#include <QAudioDevice>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace sky::qt {

namespace {

constexpr const char* kMusicFile = "Music.wav";

// Whether the file is a PCM wave file the player can decode: RIFF/WAVE with a PCM format chunk
// before its data chunk. Qt's decoder would otherwise report a broken file on the console every
// time the piece restarts; such a file is treated like a missing one instead.
bool playableWave(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    auto u16 = [](const char* p) { return unsigned(std::uint8_t(p[0])) | unsigned(std::uint8_t(p[1])) << 8; };
    auto u32 = [&](const char* p) { return u16(p) | std::uint32_t(u16(p + 2)) << 16; };
    auto skip = [&](qint64 n) { return n == 0 || f.skip(n) == n; };
    char riff[12];
    if (f.read(riff, 12) != 12 || std::memcmp(riff, "RIFF", 4) != 0 || std::memcmp(riff + 8, "WAVE", 4) != 0)
        return false;
    bool pcm = false;
    for (int chunks = 0; chunks < 64; ++chunks) {
        char head[8];
        if (f.read(head, 8) != 8) return false;
        const std::uint32_t size = u32(head + 4);
        if (std::memcmp(head, "data", 4) == 0) return pcm && size > 0;
        if (std::memcmp(head, "fmt ", 4) == 0) {
            char fmt[16];
            if (size < 16 || f.read(fmt, 16) != 16) return false;
            const unsigned format = u16(fmt), channels = u16(fmt + 2), bits = u16(fmt + 14);
            const std::uint32_t rate = u32(fmt + 4);
            pcm = (format == 1 || format == 0xFFFE) && channels >= 1 && rate > 0 &&
                  (bits == 8 || bits == 16 || bits == 24 || bits == 32);
            if (!skip(qint64(size) - 16 + (size & 1))) return false;
        } else if (!skip(qint64(size) + (size & 1))) {
            return false;
        }
    }
    return false;
}

}  // namespace

// The player is closed while `effect` is empty. Once opened it sits at the start of the piece;
// the first "Play" starts it, and from then on the position only moves forwards (playing, then
// resting at the end), so a later "Play" has nothing to do until the piece is closed and opened
// again. The wave decoder and the audio sink are Qt's; the file is decoded in memory, no other
// media framework is involved.
struct MusicPlayer::Impl {
    std::unique_ptr<QSoundEffect> effect;
    bool started = false;

    void open() {
        if (effect) return;  // already open: the position stays where it is
        // A missing or broken file cannot be opened: the player stays closed and every command
        // is silent.
        const QFileInfo file(QDir::current().filePath(kMusicFile));
        if (!file.isFile() || !playableWave(file.absoluteFilePath())) return;
        // Without an audio output there is nothing to open (asking here, inside the command, also
        // keeps the sound server's start-up complaints quiet).
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull()) return;
        effect = std::make_unique<QSoundEffect>(device);
        effect->setLoopCount(1);
        effect->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
        started = false;
    }

    void play() {
        if (!effect || started) return;
        started = true;
        // Returns at once; if the file is still loading, it starts as soon as it is ready. An
        // unplayable file or a missing audio device leaves the effect in its error state: silence.
        effect->play();
    }

    void close() {
        if (!effect) return;
        effect->stop();
        effect.reset();  // releases the audio device and the decoded piece
        started = false;
    }
};

MusicPlayer::MusicPlayer() : impl_(std::make_unique<Impl>()) {}

MusicPlayer::~MusicPlayer() {
    QuietAudio quiet;
    impl_->close();
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
