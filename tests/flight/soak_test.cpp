// A long random flight on each screen: thousands of seeded key presses over simulated play, the
// screen reopened whenever the game ends. Nothing may crash, and the pilot's keys must never
// take the tilt or the speed out of their ranges.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "game/screens.h"
#include "playfield/gamescreen.h"
#include "runtime/random.h"
#include "shell/frontend.h"
#include "shell/program.h"

namespace sky {
namespace {

// Answers every box at once; questions get a random answer from the test's own stream.
class AnsweringFrontEnd : public FrontEnd {
public:
    explicit AnsweringFrontEnd(Random& r) : rnd_(r) {}
    int boxes = 0;
    int messageBox(const std::string&, const std::string&, int style) override {
        ++boxes;
        if (style == kQuestion) return rnd_.Rnd() < 0.5 ? kYes : kNo;
        return kOk;
    }
    void music(const std::string&) override {}
    void showMenu() override {}
    void hideMenu() override {}
    std::uint64_t clockSeed() override { return 1; }
    void quit() override {}

private:
    Random& rnd_;
};

double climbRateFor(double tilt) {
    static const double table[] = {-10, -7, -5, -2, 0, 2, 5, 7, 10};
    return table[static_cast<int>(tilt) + 4];
}

struct SoakResult {
    int keys = 0, opens = 0, boxes = 0;
};

SoakResult soak(int episode, std::uint64_t seed, int minutes) {
    Random choice(seed);  // the test's own choices, apart from the game's sequence
    AnsweringFrontEnd fe(choice);
    Program p(fe, gameScreens(), "/nonexistent-skyrend-dir/new.dat");
    SoakResult res;
    auto open = [&] {
        p.setNextSeed(seed * 1000 + static_cast<std::uint64_t>(res.opens++));
        episode == 1 ? p.openForm1() : p.openForm2();
    };
    const double floor = episode == 1 ? 7 : 0;
    const Micros end = p.scheduler().now() + ms(60000LL * minutes);
    open();
    while (p.scheduler().now() < end) {
        p.scheduler().advance(ms(choice.range(200, 1)));
        p.collect();
        if (!p.screen()) {
            open();
            continue;
        }
        GameScreen& g = *p.screen();
        const Sprite* dom1 = g.findSprite("dom1");
        const Sprite* dom2 = g.findSprite("dom2");
        EXPECT_FALSE(dom1->Picture == dom2->Picture) << "the two houses look alike";
        EXPECT_TRUE(g.tilt >= -4 && g.tilt <= 4 && g.tilt == std::floor(g.tilt)) << "tilt " << g.tilt;

        // Mostly steering, some throttle and fire, the odd stray key, now and then Esc.
        static const int keys[] = {kKeyUp, kKeyUp, kKeyDown, kKeyDown, kKeyRight, kKeyLeft, kKeySpace, 65};
        int key = choice.Rnd() < 0.0002 ? kKeyEsc : keys[choice.range(8, 0)];
        const double speedBefore = g.speed;
        g.Form_KeyDown(key);
        ++res.keys;
        if (g.closed()) continue;
        EXPECT_TRUE(g.tilt >= -4 && g.tilt <= 4) << "tilt " << g.tilt << " after key " << key;
        if (key == kKeyLeft && g.speed < speedBefore) {
            EXPECT_GE(g.speed, floor);
        }
        if (key == kKeyRight && g.speed > speedBefore) {
            EXPECT_LE(g.speed, g.maxSpeed);
        }
        if (key != kKeySpace) {
            EXPECT_EQ(g.climbRate, climbRateFor(g.tilt)) << "after key " << key;
        }
        EXPECT_TRUE(std::isfinite(g.dravik.Top));
        if (::testing::Test::HasFailure()) break;  // one report, not thousands
    }
    res.boxes = fe.boxes;
    return res;
}

// 60 simulated minutes per screen, about a million timer ticks each.
TEST(FlightSoak, Episode1HourOfRandomKeys) {
    SoakResult r = soak(1, 101, 60);
    EXPECT_GT(r.keys, 20000);
    EXPECT_GT(r.opens, 1);
}

TEST(FlightSoak, Episode2HourOfRandomKeys) {
    SoakResult r = soak(2, 202, 60);
    EXPECT_GT(r.keys, 20000);
    EXPECT_GT(r.opens, 1);
}

}  // namespace
}  // namespace sky
