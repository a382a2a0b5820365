// The screens' random set-up over many seeds: every placement fills its range, houses never alike
// (the stored recordings hold that one seed gives one scenery).
#include <gtest/gtest.h>

#include <set>

#include "playfield/gamescreen.h"
#include "support/testfrontend.h"

namespace sky {
namespace {

TEST(Setup, RandomPlacementsFillTheirRangesAndHousesNeverLookAlike) {
    struct Row {
        int ep;
        std::vector<const char*> sprites;
        bool left;  // Left, or Top
        double lo, hi;
    } rows[] = {
        {1, {"o1", "o2", "o3", "o4", "o5"}, true, 0, 623},
        {1, {"o1", "o2", "o3", "o4", "o5"}, false, 10, 231},
        {1, {"bod1", "bod3", "bod5"}, false, 10, 289},
        {1, {"v1", "v2"}, true, 624, 823},
        {1, {"v1", "v2"}, false, 20, 329},
        {2, {"o1", "o4", "o7"}, true, 0, 623},
        {2, {"o1", "o4", "o7"}, false, 10, 231},
        {2, {"f16"}, true, 1000, 1099},
        {2, {"f16"}, false, 30, 327},
        {2, {"bod1", "bod2", "bod3"}, true, 200, 639},
        {2, {"bod1", "bod2", "bod3"}, false, 10, 319},
    };
    for (int ep : {1, 2}) {
        test::TestGame t;
        std::vector<std::pair<double, double>> seen(std::size(rows), {1e9, -1e9});
        std::set<std::string> houses;
        for (int seed = 0; seed < 2000; ++seed) {
            GameScreen& g = t.open(ep, seed);
            for (std::size_t i = 0; i < std::size(rows); ++i)
                for (const char* n : rows[i].sprites) {
                    if (rows[i].ep != ep) break;
                    const Sprite& s = *g.findSprite(n);
                    const double v = rows[i].left ? s.Left : s.Top;
                    seen[i] = {std::min(seen[i].first, v), std::max(seen[i].second, v)};
                }
            ASSERT_NE(g.dom1.Picture, g.dom2.Picture);
            houses.insert(g.dom1.Picture->owner);
            houses.insert(g.dom2.Picture->owner);
            g.Unload();
            t.program.collect();
        }
        for (std::size_t i = 0; i < std::size(rows); ++i)
            if (rows[i].ep == ep) {
                EXPECT_EQ(seen[i], std::make_pair(rows[i].lo, rows[i].hi)) << rows[i].sprites[0] << " " << rows[i].left;
            }
        EXPECT_EQ(houses.size(), ep == 1 ? 4u : 3u);
    }
}

}  // namespace
}  // namespace sky
