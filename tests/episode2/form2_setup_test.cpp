// Episode 2 set-up: start state and the placements over many seeds.
#include <gtest/gtest.h>

#include <set>

#include "episode2/form2.h"
#include "support/headless.h"

namespace sky {
namespace {

TEST(Form2Setup, StartsInItsStartState) {
    test::Headless h;
    h.program.setNextSeed(1);
    auto& f = static_cast<Form2&>(h.program.openForm2());
    const std::pair<const char*, double> vars[] = {{"speed", 7},       {"climbRate", 3},   {"lighthouseDistance", 4000},
                                                   {"tilt", 1},        {"fuel", 8700},     {"edgeContact", 0},
                                                   {"fuelBurn", 3.5},  {"level", 0},       {"score", 0},
                                                   {"landingMode", 0}, {"edgeRelease", 0}, {"maxSpeed", 14},
                                                   {"bombs", 80},      {"damage", 0}};
    for (auto [n, v] : vars) EXPECT_EQ(f.getVar(n), v) << n;
    EXPECT_EQ(f.varNames().size(), std::size(vars));
    EXPECT_TRUE(f.dravik.shows(f.hh1));
    EXPECT_EQ(f.majak.Left, 4000);
    EXPECT_EQ(f.majak.Top, 374);
    EXPECT_TRUE(f.majak.shows(f.m1));
    EXPECT_EQ(f.majak.Width, 12);  // the picture makes it 12 x 21
    EXPECT_EQ(f.majak.Height, 21);
    EXPECT_TRUE(f.letisko.shows(f.l1));
    EXPECT_EQ(f.letisko.Top, 352);
    EXPECT_TRUE(f.bod1.shows(f.b1));
    EXPECT_TRUE(f.bod2.shows(f.b2));  // the middle star blinks in the other phase
    EXPECT_TRUE(f.bod3.shows(f.b1));
    EXPECT_EQ(f.bod2.Height, 14);
    EXPECT_FALSE(f.raketa2.Visible);
    EXPECT_TRUE(f.f16.Visible);
    EXPECT_EQ(f.explosionSlots(), 2);
    EXPECT_EQ(f.Label5.Caption, "0/10");
    EXPECT_EQ(f.findLabel("Label14")->Caption, "Záchrany:");
    EXPECT_EQ(f.findLabel("Label9")->Caption, "Rakety: ");
    EXPECT_EQ(f.findShape("Shape3")->FillColor, 0xC0C000u);
    EXPECT_EQ(f.Shape4.FillColor, 0xFF8000u);
    EXPECT_EQ(f.background()->width(), 672);
    EXPECT_EQ(f.background()->height(), 534);
    for (const char* t :
         {"pohyb", "kolizie", "Timer1", "Timer3", "Timer5", "Timer8", "Timer11", "Timer6", "Timer4", "Timer2"})
        EXPECT_TRUE(f.findTimer(t)->enabled()) << t;
    EXPECT_EQ(f.findTimer("Timer9"), nullptr);
}

TEST(Form2Setup, RandomPlacementsStayInTheirRangesAndHousesNeverLookAlike) {
    test::Headless h;
    struct Range {
        double lo = 1e9, hi = -1e9;
        void note(double v) { lo = std::min(lo, v), hi = std::max(hi, v); }
    } cloudLeft, cloudTop, f16Left, f16Top, starLeft, starTop;
    std::set<std::string> houses;
    for (int seed = 0; seed < 2000; ++seed) {
        h.program.setNextSeed(seed);
        auto& f = static_cast<Form2&>(h.program.openForm2());
        for (Sprite* o : {&f.o1, &f.o2, &f.o3, &f.o4, &f.o5, &f.o6, &f.o7})
            cloudLeft.note(o->Left), cloudTop.note(o->Top);
        f16Left.note(f.f16.Left);
        f16Top.note(f.f16.Top);
        for (Sprite* b : {&f.bod1, &f.bod2, &f.bod3}) starLeft.note(b->Left), starTop.note(b->Top);
        ASSERT_NE(f.dom1.Picture, f.dom2.Picture);
        houses.insert(f.dom1.Picture->owner);
        houses.insert(f.dom2.Picture->owner);
        f.Unload();
        h.program.collect();
    }
    const std::tuple<const char*, Range, double, double> rows[] = {
        {"cloud left", cloudLeft, 0, 623}, {"cloud top", cloudTop, 10, 231},  {"f16 left", f16Left, 1000, 1099},
        {"f16 top", f16Top, 30, 327},      {"star left", starLeft, 200, 639}, {"star top", starTop, 10, 319}};
    for (auto& [what, r, lo, hi] : rows) {
        EXPECT_EQ(r.lo, lo) << what;
        EXPECT_EQ(r.hi, hi) << what;
    }
    EXPECT_EQ(houses, (std::set<std::string>{"d4", "d5", "d6"}));
}

}  // namespace
}  // namespace sky
