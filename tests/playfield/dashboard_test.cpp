// Fuel out, seen from inside the message box: the run is frozen before the player is told, the
// aircraft goes on sinking while the box is open, and the screen closes once it is dismissed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/screens.h"
#include "playfield/gamescreen.h"
#include "shell/frontend.h"
#include "shell/program.h"

namespace sky {
namespace {

struct Seen {
    std::string title, picture, fuelLabel, pictureLater;
    double climbRate = 0, speed = -1, landingMode = -1, fuelBurn = -1, topLater = 0;
};

std::string owner(const Sprite& s) {
    return s.Picture ? s.Picture->owner : "";
}

// Looks at the screen when the box opens, keeps the box open half a second, and looks again.
class WatchingFrontEnd : public FrontEnd {
public:
    Program* program = nullptr;
    std::vector<Seen> boxes;
    int messageBox(const std::string&, const std::string& title, int) override {
        Seen s;
        s.title = title;
        if (GameScreen* g = program->screen()) {
            s.picture = owner(g->dravik);
            s.fuelLabel = g->Label1.Caption;
            s.climbRate = g->climbRate;
            s.speed = g->speed;
            s.landingMode = g->landingMode;
            s.fuelBurn = g->fuelBurn;
            program->scheduler().advance(ms(500));
            s.topLater = g->dravik.Top;
            s.pictureLater = owner(g->dravik);
        }
        boxes.push_back(s);
        return kOk;
    }
    void music(const std::string&) override {}
    void showMenu() override {}
    void hideMenu() override {}
    std::uint64_t clockSeed() override { return 1; }
    void quit() override {}
};

TEST(FuelOut, FreezesTellsOnceAndCloses) {
    struct Row {
        int episode;
        double top;  // 200 in the air, 352 resting on the ground line
        const char* picture;
        double climbRate;
        double topLater;
        const char* pictureLater;
    } rows[] = {
        // In the air: nose down and sinking 4 a tick, levelled when it reaches the ground line.
        {1, 200, "hd2", -4, 352, "hn"},
        {2, 200, "hd2", -4, 352, "hn"},
        // On the ground: episode 1 still shows the nose-down picture, episode 2 leaves it.
        {1, 352, "hd2", 0, 352, "hd2"},
        {2, 352, "hn", 0, 352, "hn"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE("episode " + std::to_string(r.episode) + " at " + std::to_string(r.top));
        WatchingFrontEnd fe;
        Program p(fe, gameScreens(), "/nonexistent-skyrend-dir/new.dat");
        fe.program = &p;
        p.setNextSeed(3);
        GameScreen& g = r.episode == 1 ? p.openForm1() : p.openForm2();
        for (const char* t : {"kolizie", "Timer8"}) g.findTimer(t)->setEnabled(false);
        g.dravik.Top = r.top;
        g.dravik.setPicture(r.top < 344 ? g.hh1.Picture : g.hn.Picture);
        g.tilt = r.top < 344 ? 1 : 0;
        g.climbRate = 0;
        g.edgeContact = r.top < 344 ? 0 : 1;
        g.fuel = 1;
        g.fuelBurn = 1;
        p.scheduler().advance(ms(100));
        ASSERT_EQ(fe.boxes.size(), 1u);
        const Seen& s = fe.boxes[0];
        EXPECT_EQ(s.title, "Nedostatok paliva");
        EXPECT_EQ(s.fuelLabel, "0");
        EXPECT_EQ(s.picture, r.picture);
        EXPECT_EQ(s.climbRate, r.climbRate);
        EXPECT_EQ(s.speed, 0);
        EXPECT_EQ(s.landingMode, 1);
        EXPECT_EQ(s.fuelBurn, 0);
        EXPECT_EQ(s.topLater, r.topLater);
        EXPECT_EQ(s.pictureLater, r.pictureLater);
        EXPECT_TRUE(g.closed());
        EXPECT_EQ(p.screen(), nullptr);
        p.scheduler().advance(ms(1000));
        EXPECT_EQ(fe.boxes.size(), 1u);
    }
}

}  // namespace
}  // namespace sky
