// The game's random numbers.
#include "runtime/random.h"

#include <cmath>

namespace sky {

std::uint64_t Random::next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

int Random::range(int a, int b) {
    return static_cast<int>(std::floor(Rnd() * a + b));
}

}  // namespace sky
