// The game's random numbers: a fully specified generator, the same sequence on every machine.
#pragma once

#include <cstdint>

namespace sky {

// SplitMix64 (Steele, Lea, Flood 2014); Rnd takes the top 53 bits as a fraction in [0, 1).
class Random {
public:
    explicit Random(std::uint64_t seed = 0) : state_(seed) {}
    void seed(std::uint64_t s) { state_ = s; }
    std::uint64_t next();
    // A uniform number in [0, 1).
    double Rnd() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }
    // Int(Rnd * a + b): the whole numbers b ... b + a - 1.
    int range(int a, int b);

private:
    std::uint64_t state_;
};

}  // namespace sky
