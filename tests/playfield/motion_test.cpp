// Drawing between ticks: a house scrolling 7 pixels a tick is drawn part of the way; whatever
// jumped (came back at the right, shown, hidden, a new picture) is drawn at its new place at
// once; a paused screen stands still and goes on from there.
#include "playfield/motion.h"

#include <gtest/gtest.h>

#include <functional>

#include "playfield/gamescreen.h"
#include "support/testfrontend.h"

namespace sky {
namespace {

constexpr Micros kTick = 54925;

std::size_t indexOf(const GameScreen& s, const Sprite& x) {
    std::size_t i = 0;
    while (&s.sprites()[i] != &x) ++i;
    return i;
}

TEST(SceneMotion, SlidesBetweenTicksAndJumpsAtOnce) {
    struct Row {
        const char* what;
        std::function<void(GameScreen&)> change;
        double expectDrawnLeft;  // of dom1 halfway through the next tick period
    };
    const Row rows[] = {
        {"scrolls", [](GameScreen& s) { s.dom1.Left -= 7; }, 300 - 3.5},
        {"came back at the right", [](GameScreen& s) { s.dom1.Left += 700; }, 1000},
        {"new picture", [](GameScreen& s) { s.dom1.Left -= 7, s.dom1.setPicture(s.hh1.Picture); }, 293},
        {"shown again", [](GameScreen& s) { s.dom1.Left -= 7, s.dom1.Visible = true; }, 293},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        test::TestGame h;
        GameScreen& s = h.program.openForm1();
        s.dom1.Left = 300;
        s.dom1.Visible = r.what != std::string("shown again");
        SceneMotion m;
        m.capture(s, 0);
        s.dom2.Left -= 7;  // something slides in every case: this is a tick
        r.change(s);
        m.capture(s, kTick);
        m.setTime(kTick + kTick / 2, false);
        EXPECT_NEAR(m.sprite(indexOf(s, s.dom1)).x, r.expectDrawnLeft, 0.01);
    }
}

TEST(SceneMotion, PauseStandsStillAndInputsLeaveTheMotionAlone) {
    test::TestGame h;
    GameScreen& s = h.program.openForm1();
    const std::size_t dom = indexOf(s, s.dom1), plane = indexOf(s, s.dravik);
    s.dom1.Left = 300;
    for (SceneMotion::Mode mode : {SceneMotion::Mode::Interpolate, SceneMotion::Mode::Extrapolate}) {
        SceneMotion m(mode);
        const double base = mode == SceneMotion::Mode::Interpolate ? 300 : 293;
        s.dom1.Left = 300;
        m.capture(s, 0);
        s.dom1.Left = 293;
        m.capture(s, kTick);
        m.setTime(kTick + kTick / 4, true);  // paused a quarter into the period
        m.setTime(kTick + 10 * kTick, true);
        EXPECT_NEAR(m.sprite(dom).x, base - 7 * 0.25, 0.01);
        m.setTime(kTick + 11 * kTick, false);  // resumed: where it stood
        EXPECT_NEAR(m.sprite(dom).x, base - 7 * 0.25, 0.01);
        s.dravik.setPicture(s.hh1.Picture);  // a key changed a picture, nothing slid
        m.capture(s, kTick);
        m.setTime(kTick + 11 * kTick + kTick / 4, false);
        EXPECT_NEAR(m.sprite(dom).x, base - 7 * 0.5, 0.01);
        EXPECT_EQ(m.sprite(plane).y, s.dravik.Top);
    }
}

}  // namespace
}  // namespace sky
