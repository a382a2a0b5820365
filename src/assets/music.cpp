// The background music: "Tailwind", D major, 4/4, 20 bars at 120.75 BPM (one bar = 1.9875 s,
// so the 20 bars fill the 39.75 s loop exactly).
//
// Form:  intro (bars 1-2)  A (3-10)  B (11-14)  A' (15-18)  outro (19-20)
// Voices: lead      pulse wave (25 % duty in A, 50 % in B, 12.5 % in A'), delayed vibrato,
//                   with a dotted-eighth echo panned right
//         arpeggio  thin 12.5 % pulse, sixteenth notes on the chord tones, panned right
//         bass      triangle wave, eighth-note drive in A, 3+3+2 push in B
//         drums     sine-sweep kick, noise snare, noise hi-hats (closed, open), one crash
//
// The last bar resolves on D and dies away, and the intro starts soft, so the restart of the
// loop sounds like the next lap rather than a jump.
#include "assets/music.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>
#include <string>
#include <string_view>

namespace sky::assets {
namespace {

constexpr int kBars = 20;
constexpr int kSteps = 16;  // sixteenth notes per bar
constexpr double kBarSeconds = kMusicSeconds / kBars;
constexpr double kStepSeconds = kBarSeconds / kSteps;
constexpr double kPi = 3.14159265358979323846;

// One bar of the score.
//   chords  one chord, or two separated by a space (one per half bar): "D", "Bm", "G A"
//   melody  the lead: "NOTE LENGTH" items separated by commas; NOTE is like C#5 / Bb4 or R
//           (rest); LENGTH is 1, 2, 4, 8 or 16, optionally dotted ("4." = dotted quarter).
//           The lengths of a bar must add up to one whole note.
//   bass    16 steps: r root, o root an octave up, f fifth, - holds the note before, . rest
//   arp     16 steps: 0 root, 1 third, 2 fifth, 3 octave, 4 third and 5 fifth an octave up
//   kick, snare  16 steps: x hit, g ghost (snare only), . nothing
//   hats    16 steps: x closed, X accented closed, o open, c crash
//   duty    pulse width of the lead in this bar
//   swell   the whole bar grows from quiet to full (the fade-in at the top of the loop)
struct Bar {
    const char* chords;
    const char* melody;
    const char* bass;
    const char* arp;
    const char* kick;
    const char* snare;
    const char* hats;
    double duty;
    bool swell;
};

// Patterns shared by several bars.
constexpr const char* kNone = "................";
constexpr const char* kBassDrive = "r-r-o-r-r-r-o-r-";
constexpr const char* kBassPush = "r--r--o-r--r--o-";
constexpr const char* kArpRise = "0123012301230123";
constexpr const char* kArpWave = "0123454321012345";
constexpr const char* kKickA = "x.....x.x.......";
constexpr const char* kKickFour = "x...x...x...x...";
constexpr const char* kSnareBack = "....x.......x...";
constexpr const char* kSnareFill = "....x.......x.xx";
constexpr const char* kHatsEighths = "x.x.x.x.x.x.x.x.";
constexpr const char* kHatsOpen = "x.o.x.o.x.o.x.o.";
constexpr const char* kHatsDrive = "XxXxXxXxXxXxXxXx";

// clang-format off
constexpr std::array<Bar, kBars> kScore{{
    // Intro: the arpeggio swells in over off-beat hats; bass and kick join in bar 2 and the
    // lead's pickup runs up into A.
    {"D",   "R 1",                                                  kNone,              kArpRise, kNone,              kNone,              "..x...x...x...x.", 0.25,  true},
    {"G A", "R 2., A4 16, B4 16, C#5 8",                            "r---r---r---r-o-", kArpRise, "x.......x.......", "............x.xx", kHatsEighths,       0.25,  false},

    // A: the tune. First phrase climbs the D chord and answers from Bm down to G; the
    // second reaches up to D6 and walks back down the scale, ending on the dominant.
    {"D",   "D5 4, F#5 8, A5 8, A5 4., F#5 8",                      kBassDrive,         kArpRise, kKickA,             kSnareBack,         kHatsEighths,       0.25,  false},
    {"A",   "E5 8, F#5 8, E5 8, C#5 8, A4 4, R 8, A4 8",            kBassDrive,         kArpRise, kKickA,             kSnareBack,         kHatsEighths,       0.25,  false},
    {"Bm",  "B4 8, D5 8, F#5 8, B5 8, A5 8, F#5 8, D5 8, F#5 8",    kBassDrive,         kArpRise, kKickA,             kSnareBack,         kHatsEighths,       0.25,  false},
    {"G",   "G5 4., F#5 16, E5 16, D5 4, E5 4",                     kBassDrive,         kArpRise, kKickA,             kSnareFill,         kHatsEighths,       0.25,  false},
    {"D",   "D5 4, F#5 8, A5 8, D6 4, C#6 8, B5 8",                 kBassDrive,         kArpRise, kKickA,             kSnareBack,         kHatsEighths,       0.25,  false},
    {"A",   "C#6 8, A5 8, E5 8, A5 8, C#6 4, B5 8, A5 8",           kBassDrive,         kArpRise, kKickA,             kSnareBack,         kHatsEighths,       0.25,  false},
    {"G",   "B5 4., A5 8, G5 8, F#5 8, E5 8, D5 8",                 kBassDrive,         kArpRise, kKickA,             kSnareBack,         kHatsEighths,       0.25,  false},
    {"A",   "E5 2, C#5 8, D5 8, E5 8, F#5 8",                       kBassDrive,         kArpRise, kKickA,             kSnareFill,         kHatsEighths,       0.25,  false},

    // B: the lift. A rounder lead in a repeated syncopated figure climbing Bm - G - Em,
    // four-on-the-floor kick with open hats, and a snare roll over A back into the tune.
    {"Bm",  "F#5 8., B5 16, B5 4, R 8, A5 8, B5 8, D6 8",           kBassPush,          kArpWave, kKickFour,          kSnareBack,         kHatsOpen,          0.50,  false},
    {"G",   "D6 8., B5 16, G5 4, R 8, G5 8, A5 8, B5 8",            kBassPush,          kArpWave, kKickFour,          kSnareBack,         kHatsOpen,          0.50,  false},
    {"Em",  "G5 8., E5 16, B5 4, R 8, B5 8, C#6 8, D6 8",           kBassPush,          kArpWave, kKickFour,          kSnareBack,         kHatsOpen,          0.50,  false},
    {"A",   "E6 4., D6 8, C#6 8, B5 8, A5 8, G5 8",                 kBassPush,          kArpWave, "x...x...x.......", "....x...x.x.xxxx", kHatsOpen,          0.50,  false},

    // A': the tune again, a register higher and brighter, with driving sixteenth hats.
    {"D",   "A5 4, F#5 8, A5 8, D6 4., A5 8",                       kBassDrive,         kArpRise, kKickA,             "....x..g....x...", kHatsDrive,         0.125, false},
    {"A",   "C#6 8, D6 8, C#6 8, A5 8, E5 4, R 8, E5 8",            kBassDrive,         kArpRise, kKickA,             "....x..g....x...", kHatsDrive,         0.125, false},
    {"Bm",  "F#5 8, B5 8, D6 8, B5 8, C#6 8, A5 8, F#5 8, A5 8",    kBassDrive,         kArpRise, kKickA,             "....x..g....x...", kHatsDrive,         0.125, false},
    {"G",   "B5 4., A5 16, G5 16, F#5 4, E5 4",                     kBassDrive,         kArpRise, kKickA,             kSnareFill,         kHatsDrive,         0.125, false},

    // Outro: IV - V - I cadence; the final D rings out with a crash and fades away.
    {"G A", "D5 8, E5 8, G5 8, F#5 8, E5 4, C#5 4",                 kBassDrive,         kArpRise, kKickA,             "....x.......x.x.", kHatsEighths,       0.25,  false},
    {"D",   "D5 2., R 4",                                           "r-----------....", "0123............", kNone, kNone, "c...............", 0.25,  false},
}};
// clang-format on

// ---- Parsing the score -------------------------------------------------------------------

[[noreturn]] void fail(int bar, const std::string& what) {
    throw std::logic_error("music score, bar " + std::to_string(bar + 1) + ": " + what);
}

// Semitones above C of a note letter, or -1.
int letterSemitone(char c) {
    switch (c) {
        case 'C':
            return 0;
        case 'D':
            return 2;
        case 'E':
            return 4;
        case 'F':
            return 5;
        case 'G':
            return 7;
        case 'A':
            return 9;
        case 'B':
            return 11;
        default:
            return -1;
    }
}

double midiFrequency(double midi) {
    return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0);
}

struct Chord {
    int root = 0;  // pitch class, 0 = C
    bool minor = false;
};

std::vector<Chord> parseChords(int bar, std::string_view text) {
    std::vector<Chord> chords;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        Chord c;
        c.root = letterSemitone(text[i++]);
        if (c.root < 0) fail(bar, "bad chord '" + std::string(text) + "'");
        if (i < text.size() && text[i] == '#')
            c.root += 1, ++i;
        else if (i < text.size() && text[i] == 'b')
            c.root += 11, ++i;
        c.root %= 12;
        if (i < text.size() && text[i] == 'm') c.minor = true, ++i;
        chords.push_back(c);
    }
    if (chords.empty() || chords.size() > 2) fail(bar, "a bar holds one or two chords");
    return chords;
}

const Chord& chordAt(const std::vector<Chord>& chords, int step) {
    return chords.size() == 2 && step >= kSteps / 2 ? chords[1] : chords[0];
}

struct Note {
    double step = 0;    // start, in sixteenths from the start of the bar
    double length = 0;  // in sixteenths
    int midi = -1;      // -1 for a rest
};

std::vector<Note> parseMelody(int bar, std::string_view text) {
    std::vector<Note> notes;
    double at = 0;
    std::size_t i = 0;
    auto skipSpaces = [&] {
        while (i < text.size() && text[i] == ' ') ++i;
    };
    while (true) {
        skipSpaces();
        if (i >= text.size()) break;
        Note n;
        n.step = at;
        if (text[i] == 'R') {
            ++i;
        } else {
            int pc = letterSemitone(text[i++]);
            if (pc < 0) fail(bar, "bad note in '" + std::string(text) + "'");
            if (i < text.size() && text[i] == '#')
                ++pc, ++i;
            else if (i < text.size() && text[i] == 'b')
                --pc, ++i;
            if (i >= text.size() || text[i] < '0' || text[i] > '8') fail(bar, "note without octave");
            n.midi = 12 * (text[i++] - '0' + 1) + pc;
        }
        skipSpaces();
        int den = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') den = den * 10 + (text[i++] - '0');
        if (den != 1 && den != 2 && den != 4 && den != 8 && den != 16) fail(bar, "bad note length");
        n.length = static_cast<double>(kSteps) / den;
        if (i < text.size() && text[i] == '.') n.length *= 1.5, ++i;
        at += n.length;
        notes.push_back(n);
        skipSpaces();
        if (i < text.size() && text[i] == ',')
            ++i;
        else if (i < text.size())
            fail(bar, "expected ',' in '" + std::string(text) + "'");
    }
    if (std::abs(at - kSteps) > 1e-9) fail(bar, "melody lasts " + std::to_string(at) + " sixteenths");
    return notes;
}

void checkPattern(int bar, std::string_view pattern, std::string_view allowed) {
    if (pattern.size() != kSteps) fail(bar, "pattern '" + std::string(pattern) + "' is not 16 steps");
    for (char c : pattern)
        if (allowed.find(c) == std::string_view::npos) fail(bar, "bad step in '" + std::string(pattern) + "'");
}

// ---- Synthesis ---------------------------------------------------------------------------

enum class Wave { Pulse, Triangle };

// A pitched note: an ADSR envelope (exponential decay to the sustain level, linear release to
// exactly zero), so every note starts and ends at zero and nothing clicks.
struct Tone {
    double start = 0;  // seconds
    double gate = 0;   // seconds held before the release begins
    double freq = 440;
    Wave wave = Wave::Pulse;
    double duty = 0.5;
    double gain = 1;
    double pan = 0;  // -1 left ... +1 right
    double attack = 0.005, decay = 0.1, sustain = 0.7, release = 0.05;
    bool vibrato = false;
    bool lead = false;  // goes to the lead bus (echo) instead of straight to the mix
};

double envelope(const Tone& t, double x) {
    auto held = [&](double u) {
        if (u < t.attack) return u / t.attack;
        return t.sustain + (1.0 - t.sustain) * std::exp(-(u - t.attack) / t.decay);
    };
    if (x < t.gate) return held(x);
    double r = x - t.gate;
    return r >= t.release ? 0.0 : held(t.gate) * (1.0 - r / t.release);
}

// PolyBLEP correction for a step in a wave at phase t (0..1) advancing dt per sample.
double blep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

class Synth {
public:
    Synth(int sampleRate, std::size_t frames)
        : rate_(sampleRate), left_(frames), right_(frames), lead_(frames), gain_(frames, 1.0f) {}

    int rate() const { return rate_; }
    std::size_t frames() const { return left_.size(); }
    std::vector<float>& gainCurve() { return gain_; }

    void play(const Tone& t) {
        std::size_t first = index(t.start);
        std::size_t last = std::min(frames(), index(t.start + t.gate + t.release) + 1);
        double phase = 0;
        auto [gl, gr] = panGains(t.pan);
        for (std::size_t n = first; n < last; ++n) {
            double x = static_cast<double>(n - first) / rate_;
            double f = t.freq;
            if (t.vibrato && x > 0.12) {
                double depth = 0.22 * std::min(1.0, (x - 0.12) / 0.15);  // semitones
                f *= std::pow(2.0, depth * std::sin(2.0 * kPi * 5.8 * (x - 0.12)) / 12.0);
            }
            double dt = f / rate_;
            double v;
            if (t.wave == Wave::Pulse) {
                v = phase < t.duty ? 1.0 : -1.0;
                v += blep(phase, dt);
                v -= blep(std::fmod(phase + 1.0 - t.duty, 1.0), dt);
                v -= 2.0 * t.duty - 1.0;  // the pulse's own offset
            } else {
                v = 4.0 * std::abs(phase - 0.5) - 1.0;
            }
            phase += dt;
            if (phase >= 1.0) phase -= 1.0;
            double s = v * envelope(t, x) * t.gain;
            if (t.lead) {
                lead_[n] += static_cast<float>(s);
            } else {
                left_[n] += static_cast<float>(s * gl);
                right_[n] += static_cast<float>(s * gr);
            }
        }
    }

    void kick(double start, double gain) {
        drum(
            start, 0.38, 0.16,
            [this, phase = 0.0](double x) mutable {
                phase += (42.0 + 115.0 * std::exp(-x / 0.028)) / rate_;
                return std::sin(2.0 * kPi * phase);
            },
            gain, 0.0);
    }

    void snare(double start, double gain) {
        drum(
            start, 0.22, 0.075,
            [this, lp = 0.0, phase = 0.0](double x) mutable {
                lp += 0.6 * (noise() - lp);
                phase += 185.0 / rate_;
                return 0.75 * lp + 0.6 * std::sin(2.0 * kPi * phase) * std::exp(-x / 0.04);
            },
            gain, -0.1);
    }

    // Hi-hats and the crash: white noise with its lows taken out (first difference).
    void hat(double start, double length, double decay, double gain) {
        drum(
            start, length, decay,
            [this, prev = 0.0](double) mutable {
                double n = noise();
                double v = n - prev;
                prev = n;
                return 0.5 * v;
            },
            gain, 0.3);
    }

    // The lead with a dotted-eighth echo, the soft clipper, the DC filter and the gain curve;
    // returns interleaved left/right samples peaking at peak (0..1).
    std::vector<std::int16_t> finish(double echoDelay, double peak) {
        std::size_t d = index(echoDelay);
        std::vector<float> echo(frames(), 0.0f);
        for (std::size_t n = d; n < frames(); ++n) echo[n] = lead_[n - d] + 0.35f * echo[n - d];
        for (std::size_t n = 0; n < frames(); ++n) {
            left_[n] += 0.72f * lead_[n] + 0.10f * echo[n];
            right_[n] += 0.68f * lead_[n] + 0.22f * echo[n];
        }
        // Remove any DC: one-pole high-pass at about 12 Hz.
        double a = std::exp(-2.0 * kPi * 12.0 / rate_);
        for (auto* ch : {&left_, &right_}) {
            double px = 0, py = 0;
            for (float& s : *ch) {
                double y = a * (py + s - px);
                px = s;
                py = y;
                s = static_cast<float>(y);
            }
        }
        // Gentle limiting: bring the loudest moment to 1, then a tanh curve that rounds the
        // top off smoothly (full scale stays at full scale).
        float top = 1e-9f;
        for (std::size_t n = 0; n < frames(); ++n) top = std::max({top, std::abs(left_[n]), std::abs(right_[n])});
        const double drive = 1.4;
        const double norm = 1.0 / std::tanh(drive);
        std::vector<std::int16_t> out(frames() * 2);
        for (std::size_t n = 0; n < frames(); ++n) {
            for (int c = 0; c < 2; ++c) {
                double s = (c == 0 ? left_[n] : right_[n]) / top;
                s = std::tanh(drive * s) * norm * peak * gain_[n];
                out[2 * n + c] = static_cast<std::int16_t>(std::lround(s * 32767.0));
            }
        }
        return out;
    }

private:
    std::size_t index(double seconds) const {
        return static_cast<std::size_t>(std::max(0.0, std::round(seconds * rate_)));
    }

    static std::pair<double, double> panGains(double pan) {
        double a = (pan + 1.0) * kPi / 4.0;
        return {std::cos(a), std::sin(a)};
    }

    // Deterministic white noise in -1..1 (xorshift32 from a fixed seed).
    double noise() {
        noise_ ^= noise_ << 13;
        noise_ ^= noise_ >> 17;
        noise_ ^= noise_ << 5;
        return static_cast<double>(noise_) / 2147483648.0 - 1.0;
    }

    // A percussive hit: 1 ms attack, exponential decay, and a short linear fade at the end of
    // its length so the tail reaches zero.
    template <class Source>
    void drum(double start, double length, double decay, Source source, double gain, double pan) {
        std::size_t first = index(start);
        std::size_t count = index(length);
        auto [gl, gr] = panGains(pan);
        for (std::size_t k = 0; k < count && first + k < frames(); ++k) {
            double x = static_cast<double>(k) / rate_;
            double env = std::min(1.0, x / 0.001) * std::exp(-x / decay);
            env *= std::min(1.0, (length - x) / 0.02);
            double s = source(x) * env * gain;
            left_[first + k] += static_cast<float>(s * gl);
            right_[first + k] += static_cast<float>(s * gr);
        }
    }

    int rate_;
    std::vector<float> left_, right_, lead_, gain_;
    std::uint32_t noise_ = 0x2545F491u;
};

// Pitch of a chord tone: the root sits within A3..G#4 for the arpeggio (base 57) or D2..C#3
// for the bass (base 38).
int placeRoot(const Chord& c, int base) {
    return base + ((c.root - base % 12) % 12 + 12) % 12;
}

void renderBar(Synth& synth, int b, const Bar& bar) {
    const double t0 = b * kBarSeconds;
    const auto chords = parseChords(b, bar.chords);

    // Lead: notes are held to a little short of their length so repeated notes articulate.
    for (const Note& n : parseMelody(b, bar.melody)) {
        if (n.midi < 0) continue;
        Tone t;
        t.start = t0 + n.step * kStepSeconds;
        double len = n.length * kStepSeconds;
        t.gate = len - std::min(0.035, 0.2 * len);
        t.freq = midiFrequency(n.midi);
        t.duty = bar.duty;
        t.gain = 0.30;
        t.attack = 0.006, t.decay = 0.12, t.sustain = 0.72, t.release = 0.03;
        t.vibrato = true;
        t.lead = true;
        if (b == kBars - 1) t.release = 0.45;  // the last note dies away
        synth.play(t);
    }

    // Bass.
    checkPattern(b, bar.bass, "rof-.");
    for (int s = 0; s < kSteps; ++s) {
        char c = bar.bass[s];
        if (c != 'r' && c != 'o' && c != 'f') continue;
        int len = 1;
        while (s + len < kSteps && bar.bass[s + len] == '-') ++len;
        int midi = placeRoot(chordAt(chords, s), 38) + (c == 'o' ? 12 : c == 'f' ? 7 : 0);
        Tone t;
        t.wave = Wave::Triangle;
        t.start = t0 + s * kStepSeconds;
        t.gate = len * kStepSeconds - 0.02;
        t.freq = midiFrequency(midi);
        t.gain = 0.42;
        t.attack = 0.004, t.decay = 0.15, t.sustain = 0.65, t.release = 0.02;
        if (b == kBars - 1) t.release = 0.4;
        synth.play(t);
    }

    // Arpeggio: short plucks on the chord tones.
    checkPattern(b, bar.arp, "012345.");
    for (int s = 0; s < kSteps; ++s) {
        char c = bar.arp[s];
        if (c == '.') continue;
        const Chord& ch = chordAt(chords, s);
        int root = placeRoot(ch, 57);
        int third = ch.minor ? 3 : 4;
        static constexpr int kOctave[] = {0, 0, 0, 12, 12, 12};
        int idx = c - '0';
        int interval[] = {0, third, 7, 0, third, 7};
        Tone t;
        t.start = t0 + s * kStepSeconds;
        t.gate = kStepSeconds * 0.8;
        t.freq = midiFrequency(root + interval[idx] + kOctave[idx]);
        t.duty = 0.125;
        t.gain = 0.085;
        t.pan = 0.45;
        t.attack = 0.003, t.decay = 0.07, t.sustain = 0.25, t.release = 0.03;
        synth.play(t);
    }

    // Drums.
    checkPattern(b, bar.kick, "x.");
    checkPattern(b, bar.snare, "xg.");
    checkPattern(b, bar.hats, "xXoc.");
    for (int s = 0; s < kSteps; ++s) {
        double at = t0 + s * kStepSeconds;
        if (bar.kick[s] == 'x') synth.kick(at, 0.62);
        if (bar.snare[s] == 'x') synth.snare(at, 0.36);
        if (bar.snare[s] == 'g') synth.snare(at, 0.10);
        switch (bar.hats[s]) {
            case 'x':
                synth.hat(at, 0.07, 0.022, 0.22);
                break;
            case 'X':
                synth.hat(at, 0.07, 0.025, 0.30);
                break;
            case 'o':
                synth.hat(at, 0.30, 0.10, 0.15);
                break;
            case 'c':
                synth.hat(at, 1.50, 0.45, 0.22);
                break;
            default:
                break;
        }
    }

    // The swell at the top of the loop: from 15 % up to full across the bar.
    if (bar.swell) {
        auto& g = synth.gainCurve();
        std::size_t a = static_cast<std::size_t>(std::round(t0 * synth.rate()));
        std::size_t e = std::min(g.size(), static_cast<std::size_t>(std::round((t0 + kBarSeconds) * synth.rate())));
        for (std::size_t n = a; n < e; ++n) {
            double u = static_cast<double>(n - a) / static_cast<double>(e - a);
            g[n] *= static_cast<float>(0.15 + 0.85 * u * u);
        }
    }
}

}  // namespace

std::vector<std::int16_t> renderMusic(int sampleRate, int& channels) {
    if (sampleRate < 8000) throw std::invalid_argument("renderMusic: sample rate too low");
    channels = 2;
    const auto frames = static_cast<std::size_t>(std::floor(kMusicSeconds * sampleRate + 1e-6));
    Synth synth(sampleRate, frames);
    for (int b = 0; b < kBars; ++b) renderBar(synth, b, kScore[b]);

    // The very start rises from zero over 20 ms and the last 0.3 s fades to exact silence,
    // so the restart of the loop has no click.
    auto& g = synth.gainCurve();
    const std::size_t in = static_cast<std::size_t>(0.020 * sampleRate);
    const std::size_t out = static_cast<std::size_t>(0.300 * sampleRate);
    for (std::size_t n = 0; n < in && n < frames; ++n) g[n] *= static_cast<float>(n) / in;
    for (std::size_t k = 0; k < out && k < frames; ++k) {
        double u = static_cast<double>(k) / out;  // k samples before the end
        g[frames - 1 - k] *= static_cast<float>(0.5 - 0.5 * std::cos(kPi * u));
    }
    return synth.finish(3 * kStepSeconds, std::pow(10.0, -3.0 / 20.0));
}

std::vector<std::uint8_t> wavFile(const std::vector<std::int16_t>& samples, int sampleRate, int channels) {
    std::vector<std::uint8_t> f;
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    f.reserve(44 + dataBytes);
    auto text = [&](const char* s) {
        for (int i = 0; i < 4; ++i) f.push_back(static_cast<std::uint8_t>(s[i]));
    };
    auto u32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) f.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    auto u16 = [&](std::uint32_t v) {
        f.push_back(static_cast<std::uint8_t>(v));
        f.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    text("RIFF");
    u32(36 + dataBytes);
    text("WAVE");
    text("fmt ");
    u32(16);
    u16(1);  // PCM
    u16(static_cast<std::uint32_t>(channels));
    u32(static_cast<std::uint32_t>(sampleRate));
    u32(static_cast<std::uint32_t>(sampleRate * channels * 2));
    u16(static_cast<std::uint32_t>(channels * 2));
    u16(16);
    text("data");
    u32(dataBytes);
    for (std::int16_t s : samples) u16(static_cast<std::uint16_t>(s));
    return f;
}

}  // namespace sky::assets
