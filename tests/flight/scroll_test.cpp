// The world scroll's random draws share one sequence with everything else: the order in which
// comebacks draw is part of the game. Each row replays the draws on a copy of the generator.
#include <gtest/gtest.h>

#include "episode1/form1.h"
#include "episode2/form2.h"
#include "support/testfrontend.h"

namespace sky {
namespace {

struct Pos {
    double left, top;
};
void expectAt(const Sprite& s, Pos p) {
    EXPECT_EQ(s.Left, p.left) << s.name;
    EXPECT_EQ(s.Top, p.top) << s.name;
}
// Top first, then Left.
Pos topThenLeft(Random& r, int topSpan, int topFrom, int leftSpan, int leftFrom) {
    double top = r.range(topSpan, topFrom);
    double left = r.range(leftSpan, leftFrom);
    return {left, top};
}
const Sprite* pictureDraw(Random& r, std::initializer_list<const Sprite*> choices, const Sprite* avoid) {
    const Sprite* k;
    do k = choices.begin()[r.range(static_cast<int>(choices.size()), 0)];
    while (avoid && k->Picture == avoid->Picture);
    return k;
}

TEST(WorldScroll, Episode1DrawsHousesTreeCloudsBirdsStarsInThatOrder) {
    for (std::uint64_t seed : {1u, 2u, 3u}) {
        test::TestGame t;
        Program& p = t.program;
        auto& f = static_cast<Form1&>(t.open(1, seed));
        f.speed = 7;
        for (Sprite* s : {&f.o1, &f.o2, &f.o3, &f.o4, &f.o5, &f.v1, &f.v2, &f.bod1, &f.bod2, &f.bod3, &f.bod4, &f.bod5})
            s->Left = 300;
        f.letisko.Left = 5000;
        f.dom1.Left = -93;
        f.dom2.Left = 3000;
        f.strom.Left = -93;
        f.o1.Left = f.o3.Left = -27;
        f.v2.Left = -25;
        f.bod5.Left = -29;
        Random r = p.random();
        f.pohyb_Timer();
        EXPECT_EQ(f.dom1.Picture, pictureDraw(r, {&f.d1, &f.d2, &f.d3, &f.d4}, &f.dom2)->Picture);
        EXPECT_EQ(f.strom.Picture, pictureDraw(r, {&f.s1, &f.s2, &f.s3}, nullptr)->Picture);
        expectAt(f.o1, topThenLeft(r, 222, 10, 200, 624));
        expectAt(f.o3, topThenLeft(r, 222, 10, 200, 624));
        expectAt(f.v2, topThenLeft(r, 310, 20, 200, 624));
        expectAt(f.bod5, topThenLeft(r, 280, 10, 200, 624));
        EXPECT_EQ(p.random().next(), r.next()) << "no draws beyond these";
        f.Unload();
    }
}

TEST(WorldScroll, Episode2DrawsStarsThreeThenTwoHousesF16LeftFirstThenClouds) {
    for (std::uint64_t seed : {1u, 2u, 3u}) {
        test::TestGame t;
        Program& p = t.program;
        auto& f = static_cast<Form2&>(t.open(2, seed));
        f.speed = 7;
        for (Sprite* s : {&f.o1, &f.o2, &f.o3, &f.o4, &f.o5, &f.o6, &f.o7, &f.bod1}) s->Left = 300;
        f.majak.Left = 3000;
        f.dom1.Left = 2000;
        f.dom2.Left = -93;
        f.bod2.Left = f.bod3.Left = -29;
        f.f16.Left = -147;
        f.o7.Left = -27;
        Random r = p.random();
        f.pohyb_Timer();
        expectAt(f.bod3, topThenLeft(r, 300, 10, 300, 624));
        expectAt(f.bod2, topThenLeft(r, 300, 10, 300, 624));
        EXPECT_EQ(f.dom2.Picture, pictureDraw(r, {&f.d4, &f.d5, &f.d6}, &f.dom1)->Picture);
        double left = r.range(900, 900);
        double top = r.range(298, 30);
        expectAt(f.f16, {left, top});
        expectAt(f.o7, topThenLeft(r, 222, 10, 200, 624));
        EXPECT_EQ(p.random().next(), r.next()) << "no draws beyond these";
        f.Unload();
    }
}

}  // namespace
}  // namespace sky
