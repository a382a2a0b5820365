// The real music player: "Music.wav" from the working directory, played through Qt Multimedia.
#include "qt/musicplayer.h"

#include "qt/mixer.h"
#include "qt/quietaudio.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

bool playableWave(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    const std::uint64_t fileSize = regular ? static_cast<std::uint64_t>(st.st_size) : 0;
    auto readAt = [&](std::uint64_t at, unsigned char* buf, std::size_t n) {
        return at + n <= fileSize && ::pread(fd, buf, n, static_cast<off_t>(at)) == static_cast<ssize_t>(n);
    };
    auto u16 = [](const unsigned char* p) { return unsigned(p[0]) | unsigned(p[1]) << 8; };
    auto u32 = [&](const unsigned char* p) { return u16(p) | std::uint32_t(u16(p + 2)) << 16; };
    unsigned char riff[12];
    bool ok =
        regular && readAt(0, riff, 12) && std::memcmp(riff, "RIFF", 4) == 0 && std::memcmp(riff + 8, "WAVE", 4) == 0;
    bool pcm = false, found = false;
    std::uint64_t at = 12;
    for (int chunks = 0; ok && !found && chunks < 64; ++chunks) {
        unsigned char head[8];
        if (!readAt(at, head, 8)) break;
        const std::uint64_t size = u32(head + 4);
        at += 8;
        if (std::memcmp(head, "data", 4) == 0) {
            found = true;
            ok = pcm && size > 0 && at + size <= fileSize;
        } else if (std::memcmp(head, "fmt ", 4) == 0) {
            unsigned char fmt[16];
            if (size < 16 || !readAt(at, fmt, 16)) break;
            // Plain PCM only: an "extensible" header is beyond the library's decoder.
            const unsigned format = u16(fmt), channels = u16(fmt + 2), bits = u16(fmt + 14);
            const std::uint32_t rate = u32(fmt + 4);
            pcm = format == 1 && (channels == 1 || channels == 2) && (bits == 8 || bits == 16) && rate >= 8000 &&
                  rate <= 192000;
        }
        at += size + (size & 1);
    }
    ::close(fd);
    return ok && found;
}

// The player is closed while `effect` is empty. Once opened it sits at the start of the piece;
// the first "Play" starts it, and from then on the position only moves forwards (playing, then
// resting at the end), so a later "Play" has nothing to do until the piece is closed and opened
// again. The wave decoder and the audio sink are Qt's; the file is decoded in memory, no other
// media framework is involved.
struct MusicPlayer::Impl {
    std::unique_ptr<QSoundEffect> effect;
    bool started = false;
    int volume = 100;

    void applyVolume() {
        if (effect) effect->setVolume(static_cast<float>(volumeGain(volume)));
    }

    void open() {
        if (effect) return;  // already open: the position stays where it is
        // A missing or broken file cannot be opened: the player stays closed and every command
        // is silent.
        const QFileInfo file(QDir::current().filePath(kMusicFile));
        if (!playableWave(QFile::encodeName(file.absoluteFilePath()).toStdString())) return;
        // Without an audio output there is nothing to open (asking here, inside the command, also
        // keeps the sound server's start-up complaints quiet).
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull()) return;
        effect = std::make_unique<QSoundEffect>(device);
        effect->setLoopCount(1);
        applyVolume();
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
