// The draw list both front ends paint: one entry per stacked item, whole pixels rounded half up,
// nothing for what shows nothing, and the places the motion between ticks gives.
#include "game/drawlist.h"

#include <gtest/gtest.h>

#include "support/testfrontend.h"

namespace sky {
namespace {

const DrawEntry& entryOf(const DrawList& l, const GameScreen& s, const Sprite& x) {
    std::size_t i = 0;
    while (&s.sprites()[i] != &x) ++i;
    for (const DrawEntry& e : l.entries)
        if (e.kind == DrawItem::SpriteItem && e.index == i) return e;
    throw std::logic_error("not stacked");
}

TEST(DrawList, WholePixelsNothingForWhatShowsNothingAndTheMotionsPlaces) {
    test::TestGame t;
    GameScreen& s = t.open(1, 3);
    struct Row {
        double left, top;
        bool visible;
        int x, y;
        bool drawn;
    } rows[] = {
        {10.5, 20.49, true, 11, 20, true},
        {-0.5, -1.5, true, 0, -1, true},
        {10, 20, false, 10, 20, false},
    };
    DrawList list;
    for (const Row& r : rows) {
        s.dom1.Left = r.left, s.dom1.Top = r.top, s.dom1.Visible = r.visible;
        buildDrawList(list, s, nullptr);
        ASSERT_EQ(list.entries.size(), s.stacking().size());
        const DrawEntry& e = entryOf(list, s, s.dom1);
        EXPECT_EQ(std::make_tuple(e.ax, e.ay, e.drawn), std::make_tuple(r.x, r.y, r.drawn)) << r.left;
    }
    for (const DrawEntry& e : list.entries) {
        if (e.kind != DrawItem::LabelItem) continue;
        EXPECT_EQ(e.drawn, !s.labels()[e.index].Caption.empty() && s.labels()[e.index].Visible);
    }

    // A house scrolling 8 pixels a tick, drawn a quarter of the way into the next tick period.
    SceneView view;
    s.dom1.Visible = true;
    s.dom1.Left = 300;
    view.at(s, 0, 0);
    s.dom1.Left = 292;
    view.at(s, ms(40), ms(40));
    EXPECT_EQ(entryOf(view.at(s, ms(40), ms(50)), s, s.dom1).ax, 298);
}

}  // namespace
}  // namespace sky
