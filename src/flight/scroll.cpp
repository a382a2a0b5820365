// The world scroll's shared steps.
#include "flight/scroll.h"

#include "runtime/random.h"

namespace sky {

namespace {
constexpr double kGroundBack = 700;  // where houses and the tree come back, before spacing
}  // namespace

void placeBack(Sprite& s, double width, std::initializer_list<Spacing> rules) {
    s.Left = kGroundBack;
    for (const Spacing& r : rules)
        if (s.Left + width >= r.other.Left && r.other.Left + r.otherW >= s.Left) s.Left += r.push;
}

void houseBack(Sprite& house, const Sprite& other, std::initializer_list<Sprite*> choices, Random& rnd,
               std::initializer_list<Spacing> rules) {
    if (house.Left > kGroundGone) return;
    const int n = static_cast<int>(choices.size());
    do house.setPicture(choices.begin()[rnd.range(n, 0)]->Picture);
    while (house.shows(other));
    placeBack(house, kHouseW, rules);
}

}  // namespace sky
