// Episode 1 set-up: start state, the placements over many seeds, reproducible scenery.
#include <gtest/gtest.h>

#include <set>

#include "episode1/form1.h"
#include "support/headless.h"

namespace sky {
namespace {

TEST(Form1Setup, StartsInItsStartState) {
    test::Headless h;
    h.program.setNextSeed(1);
    auto& f = static_cast<Form1&>(h.program.openForm1());
    const std::pair<const char*, double> vars[] = {{"speed", 7},       {"climbRate", 3},   {"airportDistance", 8500},
                                                   {"tilt", 1},        {"fuel", 2300},     {"edgeContact", 0},
                                                   {"fuelBurn", 1},    {"level", 1},       {"score", 0},
                                                   {"landingMode", 0}, {"edgeRelease", 0}, {"onAirport", 0},
                                                   {"maxSpeed", 14},   {"damage", 0},      {"bombFuse0", 0},
                                                   {"bombFuse1", 0},   {"bombFuse2", 0},   {"bombs", 80}};
    for (auto [n, v] : vars) EXPECT_EQ(f.getVar(n), v) << n;
    EXPECT_EQ(f.varNames().size(), std::size(vars));
    EXPECT_TRUE(f.dravik.shows(f.hh1));
    EXPECT_EQ(f.dravik.Left, 64);
    EXPECT_EQ(f.dravik.Top, 344);
    EXPECT_TRUE(f.letisko.shows(f.l1));
    EXPECT_EQ(f.dom1.Left, 600);
    EXPECT_EQ(f.dom2.Left, 1000);
    EXPECT_EQ(f.dom1.Top, 365);
    EXPECT_EQ(f.vletisko.Left, 8500);
    EXPECT_FALSE(f.vletisko.Visible);
    EXPECT_FALSE(f.vletisko.shows(f.hn));  // it looks like hn but is its own picture
    EXPECT_EQ(f.strom.Left, 448);
    for (Sprite* o : {&f.o1, &f.o2, &f.o3, &f.o4, &f.o5}) EXPECT_TRUE(o->shows(f.ioblak));
    const double starLefts[] = {512, 96, 216, 616, 344};
    Sprite* stars[] = {&f.bod1, &f.bod2, &f.bod3, &f.bod4, &f.bod5};
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(stars[i]->shows(f.b1));
        EXPECT_EQ(stars[i]->Left, starLefts[i]);
    }
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(f.bomba(i).Visible);
        EXPECT_FALSE(f.vybuch(i).Visible);
        EXPECT_EQ(f.vybuch(i).Picture, nullptr);
    }
    EXPECT_EQ(f.explosionSlots(), 3);
    EXPECT_EQ(f.Label5.Caption, "1");
    EXPECT_EQ(f.Label16.Caption, "80");
    EXPECT_EQ(f.Label3.Caption, "");
    EXPECT_EQ(f.caption(), "Skyrend - epizóda 1");
    EXPECT_EQ(f.background()->width(), 671);
    EXPECT_EQ(f.background()->height(), 521);
    // Timers at load.
    for (const char* on : {"pohyb", "kolizie", "Timer1", "Timer3", "Timer5", "Timer8", "Timer11", "Timer6", "Timer7"})
        EXPECT_TRUE(f.findTimer(on)->enabled()) << on;
    for (const char* off : {"Timer4", "Timer2", "Timer9", "Timer10"}) EXPECT_FALSE(f.findTimer(off)->enabled()) << off;
}

TEST(Form1Setup, RandomPlacementsStayInTheirRangesAndHousesNeverLookAlike) {
    test::Headless h;
    double lo[4] = {1e9, 1e9, 1e9, 1e9}, hi[4] = {-1e9, -1e9, -1e9, -1e9};
    auto note = [&](int k, double v) {
        lo[k] = std::min(lo[k], v);
        hi[k] = std::max(hi[k], v);
    };
    double birdLo = 1e9, birdHi = -1e9, birdTopLo = 1e9, birdTopHi = -1e9;
    std::set<std::pair<std::string, std::string>> housePairs;
    std::set<std::string> trees;
    for (int seed = 0; seed < 2000; ++seed) {
        h.program.setNextSeed(seed);
        auto& f = static_cast<Form1&>(h.program.openForm1());
        for (Sprite* o : {&f.o1, &f.o2, &f.o3, &f.o4, &f.o5}) note(0, o->Left), note(1, o->Top);
        for (Sprite* b : {&f.bod1, &f.bod2, &f.bod3, &f.bod4, &f.bod5}) note(2, b->Top);
        for (Sprite* v : {&f.v1, &f.v2}) {
            birdLo = std::min(birdLo, v->Left), birdHi = std::max(birdHi, v->Left);
            birdTopLo = std::min(birdTopLo, v->Top), birdTopHi = std::max(birdTopHi, v->Top);
        }
        ASSERT_NE(f.dom1.Picture, f.dom2.Picture);
        housePairs.insert({f.dom1.Picture->owner, f.dom2.Picture->owner});
        trees.insert(f.strom.Picture->owner);
        f.Unload();
        h.program.collect();
    }
    EXPECT_EQ(lo[0], 0);
    EXPECT_EQ(hi[0], 623);
    EXPECT_EQ(lo[1], 10);
    EXPECT_EQ(hi[1], 231);
    EXPECT_EQ(lo[2], 10);
    EXPECT_EQ(hi[2], 289);
    EXPECT_EQ(birdLo, 624);
    EXPECT_EQ(birdHi, 823);
    EXPECT_EQ(birdTopLo, 20);
    EXPECT_EQ(birdTopHi, 329);
    EXPECT_EQ(housePairs.size(), 12u);  // every ordered pair of two different pictures
    EXPECT_EQ(trees, (std::set<std::string>{"s1", "s2", "s3"}));
}

TEST(Form1Setup, TheSameSeedGivesTheSameSceneryAndTheClockAnother) {
    test::Headless h;
    auto scenery = [&](std::optional<std::uint64_t> seed) {
        if (seed) h.program.setNextSeed(*seed);
        auto& f = static_cast<Form1&>(h.program.openForm1());
        std::vector<double> v;
        for (const Sprite& s : f.sprites()) v.insert(v.end(), {s.Left, s.Top});
        v.push_back(f.dom1.Picture == f.d1.Picture);
        f.Unload();
        h.program.collect();
        return v;
    };
    EXPECT_EQ(scenery(77), scenery(77));
    EXPECT_NE(scenery(std::nullopt), scenery(std::nullopt));
}

}  // namespace
}  // namespace sky
