// Every cue has a sound: short, under the music's level, starting and ending at silence.
#include "assets/sounds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace sky::assets {
namespace {

TEST(Sounds, ShortQuietAndClickFree) {
    constexpr int kRate = 22050;
    for (int i = 0; i < kCueCount; ++i) {
        const auto cue = static_cast<Cue>(i);
        SCOPED_TRACE(std::string(cueName(cue)));
        EXPECT_EQ(cueFromName(cueName(cue)), cue);
        const auto s = renderEffect(cue, kRate);
        ASSERT_GT(s.size(), kRate / 10u);
        EXPECT_LT(s.size(), static_cast<std::size_t>(kRate));
        int peak = 0;
        for (auto v : s) peak = std::max(peak, std::abs(static_cast<int>(v)));
        EXPECT_LE(peak, kEffectPeak * 32768);
        EXPECT_GT(peak, kEffectPeak * 32768 / 3);
        EXPECT_LT(std::abs(s.front()) + std::abs(s.back()), 200);
    }
}

}  // namespace
}  // namespace sky::assets
