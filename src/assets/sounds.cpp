// The sound effects. Every sound is a few layers laid over each other: a tone whose pitch slides
// from one frequency to another, or white noise through a low-pass filter whose cut-off slides
// likewise, each under its own envelope (a short attack, an exponential decay, and a 10 ms fade
// to exact silence at its end, so nothing clicks).
#include "assets/sounds.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace sky::assets {
namespace {

constexpr double kPi = 3.14159265358979323846;

enum class Wave { Sine, Square, Triangle, Noise };

struct Layer {
    Wave wave;
    double start, length;  // seconds
    double from, to;       // pitch (Hz), or the noise filter's cut-off (Hz), sliding exponentially
    double attack, decay;  // seconds; decay 0 holds the level to the end
    double gain;
    double duty = 0.5;  // squares only
};

struct Recipe {
    double peak;  // of kEffectPeak
    std::vector<Layer> layers;
};

// clang-format off
Recipe recipe(Cue cue) {
    switch (cue) {
        case Cue::BombReleased:  // the latch clunks, the bomb whistles away downwards
            return {0.5,  {{Wave::Noise,    0.00, 0.06,  900,  300, 0.001, 0.015, 0.8},
                           {Wave::Sine,     0.02, 0.42, 1500,  520, 0.030, 0.000, 0.5}}};
        case Cue::MissileLaunched:  // a hiss of thrust and a rising whine
            return {0.8,  {{Wave::Noise,    0.00, 0.45, 5000,  900, 0.008, 0.160, 0.9},
                           {Wave::Square,   0.00, 0.30,  220,  880, 0.005, 0.120, 0.25, 0.3}}};
        case Cue::F16Fire:  // a sharper, higher shot from the enemy
            return {0.75, {{Wave::Square,   0.00, 0.20, 1900,  260, 0.002, 0.070, 0.4, 0.25},
                           {Wave::Noise,    0.00, 0.25, 7000, 1500, 0.002, 0.060, 0.7}}};
        case Cue::Explosion:  // a deep thump under a rumble that dies away
            return {1.0,  {{Wave::Noise,    0.00, 0.85, 2400,  160, 0.004, 0.220, 1.0},
                           {Wave::Sine,     0.00, 0.45,   90,   32, 0.003, 0.140, 0.9},
                           {Wave::Noise,    0.00, 0.05, 9000, 4000, 0.001, 0.012, 0.5}}};
        case Cue::StarCollected:  // two bright notes up
            return {0.6,  {{Wave::Square,   0.00, 0.09, 1319, 1319, 0.003, 0.060, 0.5, 0.25},
                           {Wave::Square,   0.08, 0.20, 1976, 1976, 0.003, 0.080, 0.5, 0.25},
                           {Wave::Sine,     0.08, 0.22, 3951, 3951, 0.003, 0.060, 0.15}}};
        case Cue::Hit:  // a metallic clank and a grinding buzz
            return {0.9,  {{Wave::Square,   0.00, 0.32,  150,   95, 0.002, 0.110, 0.5, 0.5},
                           {Wave::Square,   0.00, 0.22,  227,  170, 0.002, 0.080, 0.35, 0.3},
                           {Wave::Noise,    0.00, 0.18, 6000, 1200, 0.001, 0.050, 0.8}}};
        case Cue::Touchdown:  // the wheels thud and chirp on the runway
            return {0.65, {{Wave::Noise,    0.00, 0.20,  600,  200, 0.002, 0.060, 1.0},
                           {Wave::Sine,     0.00, 0.18,   70,   45, 0.002, 0.060, 0.8},
                           {Wave::Triangle, 0.03, 0.16, 2300, 1900, 0.010, 0.060, 0.25}}};
        case Cue::TakeOff:  // the engine spools up
            return {0.7,  {{Wave::Noise,    0.00, 0.85,  400, 3200, 0.250, 0.000, 0.9},
                           {Wave::Square,   0.00, 0.85,  110,  330, 0.300, 0.000, 0.2, 0.35}}};
        case Cue::Rescue:  // a cheerful rising arpeggio
            return {0.65, {{Wave::Square,   0.00, 0.12,  784,  784, 0.003, 0.080, 0.5, 0.25},
                           {Wave::Square,   0.10, 0.12,  988,  988, 0.003, 0.080, 0.5, 0.25},
                           {Wave::Square,   0.20, 0.12, 1175, 1175, 0.003, 0.080, 0.5, 0.25},
                           {Wave::Square,   0.30, 0.30, 1568, 1568, 0.003, 0.150, 0.5, 0.25}}};
        case Cue::LostRun:  // three falling notes, the last sagging away
            return {0.75, {{Wave::Triangle, 0.00, 0.22,  392,  392, 0.005, 0.000, 0.7},
                           {Wave::Triangle, 0.22, 0.22,  311,  311, 0.005, 0.000, 0.7},
                           {Wave::Triangle, 0.44, 0.48,  262,  196, 0.005, 0.300, 0.8},
                           {Wave::Square,   0.44, 0.48,  131,   98, 0.005, 0.300, 0.15, 0.5}}};
        case Cue::Victory:  // a short fanfare
            return {0.75, {{Wave::Square,   0.00, 0.12,  523,  523, 0.003, 0.000, 0.45, 0.25},
                           {Wave::Square,   0.12, 0.12,  659,  659, 0.003, 0.000, 0.45, 0.25},
                           {Wave::Square,   0.24, 0.12,  784,  784, 0.003, 0.000, 0.45, 0.25},
                           {Wave::Square,   0.36, 0.54, 1047, 1047, 0.003, 0.350, 0.5, 0.25},
                           {Wave::Triangle, 0.36, 0.54,  262,  262, 0.003, 0.350, 0.6}}};
    }
    throw std::invalid_argument("renderEffect: no such cue");
}
// clang-format on

void render(const Layer& l, int rate, std::vector<double>& out) {
    const auto first = static_cast<std::size_t>(std::lround(l.start * rate));
    const auto count = static_cast<std::size_t>(std::lround(l.length * rate));
    std::uint32_t noise = 0x2545F491u;  // deterministic: the same bytes on every build
    double phase = 0, lp = 0;
    for (std::size_t k = 0; k < count && first + k < out.size(); ++k) {
        const double x = static_cast<double>(k) / rate;
        const double f = l.from * std::pow(l.to / l.from, x / l.length);
        double v = 0;
        switch (l.wave) {
            case Wave::Sine:
                v = std::sin(2 * kPi * phase);
                break;
            case Wave::Square:
                v = phase < l.duty ? 1.0 : -1.0;
                break;
            case Wave::Triangle:
                v = 4 * std::abs(phase - 0.5) - 1;
                break;
            case Wave::Noise: {
                noise ^= noise << 13;
                noise ^= noise >> 17;
                noise ^= noise << 5;
                const double white = static_cast<double>(noise) / 2147483648.0 - 1.0;
                lp += (1 - std::exp(-2 * kPi * f / rate)) * (white - lp);
                v = lp;
                break;
            }
        }
        phase += f / rate;
        phase -= std::floor(phase);
        double env = std::min(1.0, x / l.attack) * std::min(1.0, (l.length - x) / 0.010);
        if (l.decay > 0) env *= std::exp(-std::max(0.0, x - l.attack) / l.decay);
        out[first + k] += v * env * l.gain;
    }
}

}  // namespace

std::vector<std::int16_t> renderEffect(Cue cue, int sampleRate) {
    if (sampleRate < 8000) throw std::invalid_argument("renderEffect: sample rate too low");
    const Recipe r = recipe(cue);
    double seconds = 0;
    for (const Layer& l : r.layers) seconds = std::max(seconds, l.start + l.length);
    std::vector<double> mix(static_cast<std::size_t>(std::ceil(seconds * sampleRate)) + 1, 0.0);
    for (const Layer& l : r.layers) render(l, sampleRate, mix);
    double top = 1e-9;
    for (double s : mix) top = std::max(top, std::abs(s));
    const double scale = r.peak * kEffectPeak / top * 32767.0;
    std::vector<std::int16_t> out(mix.size());
    for (std::size_t i = 0; i < mix.size(); ++i) out[i] = static_cast<std::int16_t>(std::lround(mix[i] * scale));
    return out;
}

std::vector<std::int16_t> renderEffectSlots(int sampleRate) {
    const auto second = static_cast<std::size_t>(sampleRate);
    std::vector<std::int16_t> all(second * kCueCount, 0);
    for (int i = 0; i < kCueCount; ++i) {
        const auto cue = static_cast<Cue>(i);
        const auto sound = renderEffect(cue, sampleRate);
        if (sound.size() > second) throw std::length_error(std::string(cueName(cue)) + " is longer than its second");
        std::copy(sound.begin(), sound.end(), all.begin() + static_cast<std::ptrdiff_t>(i * second));
    }
    return all;
}

}  // namespace sky::assets
