// The sound effects' mixer: the voices that play, added up at the effects' volume into the
// output's samples; silence when none does. Also what the music's output shares with it: the
// volume's scale and the device's format.
#pragma once

#include <QAudio>
#include <QAudioDevice>
#include <QAudioFormat>
#include <algorithm>
#include <cstdint>
#include <vector>

namespace sky::qt {

// A volume of 0 (silent) to 100 (as recorded) on the ear's scale, as Qt's own volume controls
// take it (50 is -16 dB), as the linear gain the samples are multiplied by.
inline double volumeGain(int percent) {
    return QAudio::convertVolume(std::clamp(percent, 0, 100) / 100.0, QAudio::LogarithmicVolumeScale,
                                 QAudio::LinearVolumeScale);
}

// What the device plays best in 16 bits: its own rate and channels (1 or 2), never a file's, so one
// odd file does not set what all the others cost. An invalid format when the device takes none.
inline QAudioFormat deviceFormat(const QAudioDevice& device) {
    QAudioFormat format;
    format.setSampleFormat(QAudioFormat::Int16);
    format.setSampleRate(std::clamp(device.preferredFormat().sampleRate(), 8000, 96000));
    format.setChannelCount(std::clamp(device.preferredFormat().channelCount(), 1, 2));
    if (!device.isFormatSupported(format)) format.setSampleRate(48000);
    return device.isFormatSupported(format) ? format : QAudioFormat();
}

class Mixer {
public:
    static constexpr std::size_t kVoices = 8;  // sounds at once; a ninth replaces the oldest

    void start(const std::vector<std::int16_t>* sound) {
        if (voices_.size() >= kVoices) voices_.erase(voices_.begin());
        voices_.push_back({sound, 0});
    }
    void clear() { voices_.clear(); }
    void setVolume(int percent) { gain_ = static_cast<int>(volumeGain(percent) * kUnity + 0.5); }
    // n samples into out.
    void mix(std::int16_t* out, std::size_t n) {
        mix_.assign(n, 0);
        for (Voice& v : voices_) {
            const std::size_t k = std::min(n, v.sound->size() - v.at);
            for (std::size_t i = 0; i < k; ++i) mix_[i] += (*v.sound)[v.at + i];
            v.at += k;
        }
        std::erase_if(voices_, [](const Voice& v) { return v.at >= v.sound->size(); });
        for (std::size_t i = 0; i < n; ++i)
            out[i] = static_cast<std::int16_t>(
                std::clamp<std::int64_t>(std::int64_t{mix_[i]} * gain_ / kUnity, -32768, 32767));
    }

private:
    static constexpr int kUnity = 1 << 16;
    struct Voice {
        const std::vector<std::int16_t>* sound;
        std::size_t at;
    };
    std::vector<Voice> voices_;
    std::vector<int> mix_;
    int gain_ = kUnity;
};

}  // namespace sky::qt
