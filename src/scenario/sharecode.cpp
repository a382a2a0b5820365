// A recording in a web address. The code is base64url of: a format byte, the length of the
// squeezed text (a variable-length number), the recording's CRC-32, then the arithmetic coder's
// bytes. Every number here is whole and every step fixed, so the desktop and the page read the
// same bits. Changing the model, its tables or its primer makes a new format: kFormat goes up.
#include "scenario/sharecode.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace sky::share {

namespace {

constexpr unsigned char kFormat = 1;
// The most bytes a code byte may stand for: a code that claims more is damaged, so the work of
// reading stays proportional to the code. The writer pads a code that squeezes better.
constexpr std::size_t kMostExpansion = 16;

// ---- Clock times as the time since the line before.

// A line's leading clock time, written as the game writes it (no leading zero, at most 19
// digits); its digit count goes to n.
std::optional<std::uint64_t> leadingTime(std::string_view line, std::size_t& n) {
    n = 0;
    while (n < line.size() && line[n] >= '0' && line[n] <= '9') ++n;
    if (n == 0 || n > 19 || (line[0] == '0' && n > 1)) return std::nullopt;
    std::uint64_t v = 0;
    for (std::size_t i = 0; i < n; ++i) v = v * 10 + static_cast<std::uint64_t>(line[i] - '0');
    return v;
}

// Each line that starts with a time no earlier than the last one starts with the difference
// instead; any other line that starts with a digit or '!' gets a '!' in front.
std::string toDifferences(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::uint64_t last = 0;
    for (std::size_t from = 0;;) {
        const std::size_t end = text.find('\n', from);
        const std::string_view line = text.substr(from, end == std::string_view::npos ? end : end - from);
        std::size_t n = 0;
        if (const auto t = leadingTime(line, n); t && *t >= last) {
            out += std::to_string(*t - last);
            out += line.substr(n);
            last = *t;
        } else {
            if (n > 0 || (!line.empty() && line[0] == '!')) out += '!';
            out += line;
        }
        if (end == std::string_view::npos) return out;
        out += '\n';
        from = end + 1;
    }
}

std::optional<std::string> fromDifferences(std::string_view text) {
    std::string out;
    std::uint64_t last = 0;
    for (std::size_t from = 0;;) {
        const std::size_t end = text.find('\n', from);
        std::string_view line = text.substr(from, end == std::string_view::npos ? end : end - from);
        std::size_t n = 0;
        if (const auto d = leadingTime(line, n)) {
            if (*d > ~std::uint64_t{0} - last) return std::nullopt;
            last += *d;
            out += std::to_string(last);
            line.remove_prefix(n);
        } else if (!line.empty() && line[0] == '!') {
            line.remove_prefix(1);
        } else if (n > 0) {
            return std::nullopt;  // the writer writes no other digits at a line's start
        }
        out += line;
        if (out.size() > kLongestText) return std::nullopt;
        if (end == std::string_view::npos) return out;
        out += '\n';
        from = end + 1;
    }
}

// ---- The model: a few predictions of the next bit, mixed.

// The logistic function on -2047..2047 (in 256ths), giving a probability in 4096ths.
int squash(int d) {
    static constexpr std::array<int, 33> t = {1,    2,    3,    6,    10,   16,   27,   45,   73,   120,  194,
                                              310,  488,  747,  1101, 1546, 2047, 2549, 2994, 3348, 3607, 3785,
                                              3901, 3975, 4022, 4050, 4068, 4079, 4085, 4089, 4092, 4093, 4094};
    if (d > 2047) return 4095;
    if (d < -2047) return 1;
    const int w = d & 127, i = (d >> 7) + 16;
    return (t[i] * (128 - w) + t[i + 1] * w + 64) >> 7;
}

// Its inverse, from a table.
const std::array<std::int16_t, 4096>& stretchTable() {
    static const std::array<std::int16_t, 4096> table = [] {
        std::array<std::int16_t, 4096> s{};
        int pi = 0;
        for (int x = -2047; x <= 2047; ++x) {
            const int v = squash(x);
            for (int j = pi; j <= v; ++j) s[j] = static_cast<std::int16_t>(x);
            pi = v + 1;
        }
        for (int j = pi; j < 4096; ++j) s[j] = 2047;
        return s;
    }();
    return table;
}

std::uint32_t mix32(std::uint32_t x) {
    x ^= x >> 16;
    x *= 0x7FEB352Du;
    x ^= x >> 15;
    x *= 0x846CA68Bu;
    x ^= x >> 16;
    return x;
}

std::uint32_t hash(std::uint32_t a, std::uint32_t b) {
    return mix32(a * 0x9E3779B1u + b);
}

// A probability that learns quickly at first and then settles.
struct Cell {
    std::uint16_t p = 32768;
    std::uint16_t n = 0;
    int p12() const { return p >> 4; }
    static constexpr int kSettled = 20;
    // 2 / (2n + 3) in 32768ths: the step after n bits seen.
    static constexpr std::array<int, kSettled + 1> kRate = [] {
        std::array<int, kSettled + 1> r{};
        for (int n = 0; n <= kSettled; ++n) r[n] = 65536 / (2 * n + 3);
        return r;
    }();
    void learn(int bit) {
        const int target = bit ? 65535 : 0;
        p = static_cast<std::uint16_t>(p + (((target - p) * kRate[n]) >> 15));
        if (n < kSettled) ++n;
    }
};

class Model {
public:
    static constexpr int kInputs = 8;  // seven predictions and a constant

    Model() : order1_(1 << 16), hashed_(kHashed * (std::size_t{1} << kHashBits)) {
        weights_.fill(1 << 14);
        startByte();
    }

    int predict() {
        const auto& stretch = stretchTable();
        cells_[0] = &order0_[c0_];
        cells_[1] = &order1_[(c4_ & 0xFF) << 8 | c0_];
        for (int i = 0; i < kHashed; ++i) {
            const std::uint32_t slot = mix32(byteHash_[i] ^ (c0_ * 0x2C1B3C6Du)) >> (32 - kHashBits);
            cells_[2 + i] = &hashed_[(static_cast<std::size_t>(i) << kHashBits) + slot];
        }
        int* w = &weights_[weightSet() * kInputs];
        std::int64_t dot = 0;
        for (int i = 0; i < kInputs - 1; ++i) {
            inputs_[i] = stretch[cells_[i]->p12()];
            dot += static_cast<std::int64_t>(inputs_[i]) * w[i];
        }
        inputs_[kInputs - 1] = 256;
        dot += 256 * static_cast<std::int64_t>(w[kInputs - 1]);
        p_ = squash(static_cast<int>(dot >> 16));
        return p_;
    }

    void learn(int bit) {
        const int err = ((bit << 12) - p_) * 10;
        int* w = &weights_[weightSet() * kInputs];
        for (int i = 0; i < kInputs; ++i) w[i] += (inputs_[i] * err + 0x8000) >> 16;
        for (int i = 0; i < kInputs - 1; ++i) cells_[i]->learn(bit);
        c0_ = c0_ << 1 | bit;
        ++bits_;
        if (c0_ >= 256) {
            seeByte(static_cast<unsigned char>(c0_));
            c0_ = 1;
            startByte();
        }
    }

    // The whole of a text, learnt as if it were coded.
    void learnText(std::string_view text) {
        for (unsigned char c : text)
            for (int b = 7; b >= 0; --b) {
                predict();
                learn(c >> b & 1);
            }
    }

private:
    static constexpr int kHashed = 5;
    static constexpr int kHashBits = 16;

    int weightSet() const { return std::min(field_, 3) * 8 + bits_; }

    void seeByte(unsigned char c) {
        c8_ = c8_ << 8 | c4_ >> 24;
        c4_ = c4_ << 8 | c;
        if (c == '\n') {
            prevKind_ = kind_;
            kind_ = word_ = 0;
            field_ = column_ = 0;
        } else if (c == ' ') {
            if (field_ == 1) kind_ = word_;
            ++field_;
            word_ = column_ = 0;
        } else {
            word_ = hash(word_, c);
            ++column_;
        }
    }

    void startByte() {
        bits_ = 0;
        byteHash_[0] = hash(1, c4_ & 0xFFFF);
        byteHash_[1] = hash(2, c4_ & 0xFFFFFF);
        byteHash_[2] = hash(hash(3, c4_), c8_ & 0xFF);
        byteHash_[3] = hash(hash(4, static_cast<std::uint32_t>(field_)), hash(kind_, word_));
        byteHash_[4] =
            hash(hash(5, static_cast<std::uint32_t>(field_ << 8 | std::min(column_, 255))), hash(kind_, prevKind_));
    }

    std::array<Cell, 256> order0_;
    std::vector<Cell> order1_, hashed_;
    std::array<Cell*, kInputs - 1> cells_{};
    std::array<int, kInputs> inputs_{};
    std::array<int, 4 * 8 * kInputs> weights_{};
    std::array<std::uint32_t, kHashed> byteHash_{};
    std::uint32_t c0_ = 1, c4_ = 0, c8_ = 0;
    std::uint32_t word_ = 0, kind_ = 0, prevKind_ = 0;
    int field_ = 0, column_ = 0, bits_ = 0;
    int p_ = 2048;
};

// What recordings look like, learnt before the first byte so that a short one squeezes too
// (as the differences it is coded as).
constexpr std::string_view kPrimer =
    "skyrend-replay 1\npace classic\nprogress ep2Unlocked False\nprogress ep1Passed 0\nprogress ep2Passed 0\n"
    "progress ep1BestScore 0\nprogress ep2BestScore 0\nprogress musicOn 1\n0 activate\n1604417 click Command1\n"
    "0 seed 1796590190101862552\n1062488 key 38\n126926 key 38\n118310 key 38\n132335 key 39\n126825 key 39\n"
    "122421 key 39\n130449 key 40\n1619864 pause key\n14454139 resume key\n1053897 key 32\n553732 key 32\n"
    "1070253 key 37\n18337 key 37\n1576278 key 40\n1051607 key 38\n1066210 pause auto\n2135104 resume auto\n"
    "4836791 answer yes 4836000\n0 activate\n2005612 check 0\n820396 click Command2\n0 seed 1796590446631661780\n"
    "1091265 key 38\n1062104 key 32\n532231 key 40\n1074613 close\n1052210 answer ok 113421877\n0 activate\n"
    "8187705 click Command5\n0 menuclose\n0 end\n";

const Model& primedModel() {
    static const Model primed = [] {
        Model m;
        m.learnText(toDifferences(kPrimer));
        return m;
    }();
    return primed;
}

// ---- The binary arithmetic coder.

class Encoder {
public:
    explicit Encoder(std::string& out) : out_(out) {}
    void code(int bit, int p12) {
        const std::uint32_t mid = x1_ + static_cast<std::uint32_t>((std::uint64_t{x2_ - x1_} * p12) >> 12);
        bit ? x2_ = mid : x1_ = mid + 1;
        while (((x1_ ^ x2_) & 0xFF000000u) == 0) {
            out_ += static_cast<char>(x2_ >> 24);
            x1_ <<= 8;
            x2_ = x2_ << 8 | 255;
        }
    }
    // The first byte of the last range; the reader takes what follows as 0xFF bytes.
    void finish() { out_ += static_cast<char>(x1_ >> 24); }

private:
    std::string& out_;
    std::uint32_t x1_ = 0, x2_ = 0xFFFFFFFFu;
};

class Decoder {
public:
    explicit Decoder(std::string_view in) : in_(in) {
        for (int i = 0; i < 4; ++i) x_ = x_ << 8 | next();
    }
    int code(int p12) {
        const std::uint32_t mid = x1_ + static_cast<std::uint32_t>((std::uint64_t{x2_ - x1_} * p12) >> 12);
        const int bit = x_ <= mid;
        bit ? x2_ = mid : x1_ = mid + 1;
        while (((x1_ ^ x2_) & 0xFF000000u) == 0) {
            x1_ <<= 8;
            x2_ = x2_ << 8 | 255;
            x_ = x_ << 8 | next();
        }
        return bit;
    }

private:
    std::uint32_t next() { return at_ < in_.size() ? static_cast<unsigned char>(in_[at_++]) : 255; }
    std::string_view in_;
    std::size_t at_ = 0;
    std::uint32_t x1_ = 0, x2_ = 0xFFFFFFFFu, x_ = 0;
};

// ---- The envelope.

std::uint32_t crc32(std::string_view s) {
    std::uint32_t c = 0xFFFFFFFFu;
    for (unsigned char b : s) {
        c ^= b;
        for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
    }
    return ~c;
}

constexpr std::string_view kDigits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

std::string toBase64(std::string_view bytes) {
    std::string out;
    out.reserve((bytes.size() * 4 + 2) / 3);
    std::uint32_t acc = 0;
    int bits = 0;
    for (unsigned char b : bytes) {
        acc = acc << 8 | b;
        bits += 8;
        while (bits >= 6) out += kDigits[acc >> (bits -= 6) & 63];
    }
    if (bits > 0) out += kDigits[acc << (6 - bits) & 63];
    return out;
}

std::optional<std::string> fromBase64(std::string_view code, Fault& fault) {
    static const std::array<signed char, 256> value = [] {
        std::array<signed char, 256> v;
        v.fill(-1);
        for (std::size_t i = 0; i < kDigits.size(); ++i)
            v[static_cast<unsigned char>(kDigits[i])] = static_cast<signed char>(i);
        return v;
    }();
    std::string out;
    out.reserve(code.size() * 3 / 4);
    std::uint32_t acc = 0;
    int bits = 0;
    for (unsigned char c : code) {
        if (value[c] < 0) {
            fault = Fault::BadChar;
            return std::nullopt;
        }
        acc = acc << 6 | static_cast<std::uint32_t>(value[c]);
        bits += 6;
        if (bits >= 8) out += static_cast<char>(acc >> (bits -= 8) & 0xFF);
    }
    if (bits >= 6) {  // one character alone ends no byte
        fault = Fault::Damaged;
        return std::nullopt;
    }
    return out;
}

}  // namespace

std::optional<std::string> encode(std::string_view text) {
    if (text.size() > kLongestText) return std::nullopt;
    const std::string squeezed = toDifferences(text);
    std::string bytes(1, static_cast<char>(kFormat));
    for (std::size_t n = squeezed.size();; n >>= 7) {
        bytes += static_cast<char>((n & 127) | (n > 127 ? 128 : 0));
        if (n <= 127) break;
    }
    const std::uint32_t crc = crc32(text);
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>(crc >> (8 * i) & 0xFF);
    Model model = primedModel();
    Encoder enc(bytes);
    for (unsigned char c : squeezed)
        for (int b = 7; b >= 0; --b) {
            const int bit = c >> b & 1;
            enc.code(bit, model.predict());
            model.learn(bit);
        }
    enc.finish();
    // The reader takes what follows the coder's bytes as 0xFF: padding changes nothing.
    const std::size_t least = squeezed.size() / kMostExpansion + 1;
    if (bytes.size() < least) bytes.append(least - bytes.size(), '\xFF');
    std::string code = toBase64(bytes);
    if (code.size() > kLongestCode) return std::nullopt;
    return code;
}

std::optional<std::string> decode(std::string_view code, Fault& fault) {
    fault = Fault::None;
    auto fail = [&fault](Fault f) {
        fault = f;
        return std::nullopt;
    };
    if (code.empty()) return fail(Fault::Empty);
    if (code.size() > kLongestCode) return fail(Fault::TooLong);
    const auto bytes = fromBase64(code, fault);
    if (!bytes) return std::nullopt;
    if (bytes->empty()) return fail(Fault::Damaged);
    const auto format = static_cast<unsigned char>((*bytes)[0]);
    if (format > kFormat) return fail(Fault::Version);
    if (format != kFormat) return fail(Fault::Damaged);
    std::size_t at = 1, length = 0;
    for (int shift = 0;; shift += 7) {
        if (at >= bytes->size() || shift > 28) return fail(Fault::Damaged);
        const auto b = static_cast<unsigned char>((*bytes)[at++]);
        length |= static_cast<std::size_t>(b & 127) << shift;
        if (!(b & 128)) break;
    }
    if (at + 4 > bytes->size()) return fail(Fault::Damaged);
    std::uint32_t crc = 0;
    for (int i = 0; i < 4; ++i)
        crc |= static_cast<std::uint32_t>(static_cast<unsigned char>((*bytes)[at++])) << (8 * i);
    if (length / kMostExpansion + 1 > bytes->size() || length > 2 * kLongestText) return fail(Fault::Damaged);
    Model model = primedModel();
    Decoder dec(std::string_view(*bytes).substr(at));
    std::string squeezed(length, '\0');
    for (char& c : squeezed) {
        int v = 0;
        for (int b = 0; b < 8; ++b) {
            const int bit = dec.code(model.predict());
            model.learn(bit);
            v = v << 1 | bit;
        }
        c = static_cast<char>(v);
    }
    auto text = fromDifferences(squeezed);
    if (!text || crc32(*text) != crc) return fail(Fault::Damaged);
    return text;
}

std::string_view codeOf(std::string_view address) {
    const std::size_t at = address.find(kWatchMark);
    return at == std::string_view::npos ? address : address.substr(at + kWatchMark.size());
}

}  // namespace sky::share
