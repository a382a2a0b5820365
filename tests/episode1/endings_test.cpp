// Episode 1's endings seen from inside their message boxes, and a whole game flown leg by leg
// through the real timers to the victory and the progress file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "episode1/form1.h"
#include "game/screens.h"
#include "shell/frontend.h"
#include "shell/menu.h"
#include "shell/program.h"

namespace sky {
namespace {

// What the player sees, and what the game has settled, while a box is open.
struct Box {
    std::string text, title;
    int style = 0;
    double damage = -1, climbRate = 0, speed = -1, landingMode = -1, fuelBurn = -1, fuel = 0, maxSpeed = 0;
    std::string label8, picture;
    int ep1Passed = -1;
};

class RecordingFrontEnd : public FrontEnd {
public:
    Program* program = nullptr;
    std::vector<Box> boxes;
    long long holdMs = 0;  // how long the player leaves each box open
    std::function<void()> whileOpen;

    int messageBox(const std::string& text, const std::string& title, int style) override {
        Box b;
        b.text = text;
        b.title = title;
        b.style = style;
        if (auto* s = dynamic_cast<Form1*>(program->screen())) {
            b.damage = s->damage;
            b.climbRate = s->climbRate;
            b.speed = s->speed;
            b.landingMode = s->landingMode;
            b.fuelBurn = s->fuelBurn;
            b.fuel = s->fuel;
            b.maxSpeed = s->maxSpeed;
            b.label8 = s->Label8.Caption;
            b.picture = s->dravik.Picture ? s->dravik.Picture->owner : "";
        }
        b.ep1Passed = program->progress().ep1Passed;
        boxes.push_back(b);
        if (holdMs > 0) program->scheduler().advance(ms(holdMs));
        if (whileOpen) whileOpen();
        return style == kQuestion ? kNo : kOk;
    }
    void music(const std::string&) override {}
    void showMenu() override {
        if (program) program->menu().Form_Activate();
    }
    void hideMenu() override {}
    std::uint64_t clockSeed() override { return 1; }
    void quit() override {}
};

struct Game {
    RecordingFrontEnd fe;
    Program program;
    Form1* s = nullptr;

    explicit Game(std::string progressPath = "/nonexistent-skyrend-dir/new.dat") : program(fe, gameScreens(), progressPath) {
        fe.program = &program;
    }
    void open() {
        program.menu().Form_Activate();  // the program starts at the menu, which reads the progress
        program.setNextSeed(21);
        s = &static_cast<Form1&>(program.openForm1());
        // Stars and birds well away from the aircraft unless a test puts them in its way.
        for (Sprite* x : {&s->bod1, &s->bod2, &s->bod3, &s->bod4, &s->bod5, &s->v1, &s->v2}) x->move(2000, 10);
    }
};

const char* kLoss = "Bohužiaľ, traja vtáci sa dostali do turbín Draviku, ktorý teraz klesá k zemi. Prehral si.";
const char* kWin = "Gratulujem ti, prešiel si prvú epizódu! A teraz hurá do druhej...";

TEST(Episode1Endings, TheThirdBirdFreezesTheRunShowsOneBoxAndCloses) {
    struct Row {
        const char* what;
        double top, climbRate, landingMode;
        double climbRateInBox;
    };
    const Row rows[] = {
        {"in the air", 300, 2, 0, -4},
        {"just above the resting height", 343, 2, 0, -4},
        {"at the resting height", 344, 2, 0, 2},
        {"on the approach", 300, -2, 1, -4},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        Game g;
        g.open();
        Form1& s = *g.s;
        s.dravik.move(100, r.top);
        s.climbRate = r.climbRate;
        s.landingMode = r.landingMode;
        s.damage = 2;
        s.fuel = 1000;
        s.maxSpeed = 10;
        s.v1.move(184, r.top - 10);  // the bird at the aircraft's top edge (case T1)
        g.fe.holdMs = 5000;          // the player takes five seconds to read it
        double topWhenShown = 0;
        g.fe.whileOpen = [&] { topWhenShown = s.dravik.Top; };
        s.findTimer("kolizie")->fire();

        ASSERT_EQ(g.fe.boxes.size(), 1u);
        const Box& b = g.fe.boxes[0];
        EXPECT_EQ(b.text, kLoss);
        EXPECT_EQ(b.title, "Prehra");
        EXPECT_EQ(b.style, kInformation);
        EXPECT_EQ(b.damage, 3);
        EXPECT_EQ(b.label8, "3");
        EXPECT_EQ(b.picture, "hd2");
        EXPECT_EQ(b.speed, 0);
        EXPECT_EQ(b.landingMode, 1);
        EXPECT_EQ(b.fuelBurn, 0);
        EXPECT_EQ(b.fuel, 1000);  // no fuel penalty and no lower top speed for the third bird
        EXPECT_EQ(b.maxSpeed, 10);
        EXPECT_EQ(b.climbRate, r.climbRateInBox);
        // While the box is open the other timers run on: an aircraft in the air goes down.
        if (r.climbRateInBox < 0) {
            EXPECT_GT(topWhenShown, r.top);
        }
        EXPECT_TRUE(s.closed());
        EXPECT_EQ(g.program.screen(), nullptr);
        EXPECT_TRUE(g.program.menu().visible);
        g.program.scheduler().advance(ms(1000));
        EXPECT_EQ(g.fe.boxes.size(), 1u);
    }
}

TEST(Episode1Endings, ALostRunThatSinksOntoTheAirportDoesNotLandOrWin) {
    Game g;
    g.open();
    Form1& s = *g.s;
    // Stopped over the last airport, coming down, when the third bird arrives.
    s.level = 9;
    s.score = 50;
    s.landingMode = 1;
    s.speed = 0;
    s.letisko.move(54, 348);
    s.dravik.move(64, 330);
    s.tilt = -1;
    s.climbRate = -2;
    s.damage = 2;
    s.findTimer("Timer2")->setEnabled(true);
    s.v1.move(148, 340);  // at the aircraft's nose (case T3)
    g.fe.holdMs = 3000;   // long enough to sink onto the airport
    s.findTimer("kolizie")->fire();
    ASSERT_EQ(g.fe.boxes.size(), 1u);
    EXPECT_EQ(g.fe.boxes[0].title, "Prehra");
    EXPECT_EQ(g.program.progress().ep1Passed, 0);
    EXPECT_NE(g.program.progress().ep2Unlocked, "True");
    EXPECT_TRUE(s.closed());
}

TEST(Episode1Endings, TheNinthLandingWinsOnceAndUnlocksTheSecondEpisode) {
    Game g;
    g.open();
    Form1& s = *g.s;
    s.level = 9;
    s.score = 31;
    s.damage = 1;
    s.letisko.move(54, 348);
    s.dravik.move(64, 352);
    s.findTimer("Timer2")->setEnabled(true);
    g.fe.holdMs = 5000;
    g.program.scheduler().advance(ms(10));
    ASSERT_EQ(g.fe.boxes.size(), 1u);  // no repair question at the last airport, one win box
    EXPECT_EQ(g.fe.boxes[0].text, kWin);
    EXPECT_EQ(g.fe.boxes[0].title, "Výhra");
    EXPECT_EQ(g.fe.boxes[0].style, kInformation);
    EXPECT_EQ(g.fe.boxes[0].ep1Passed, 0);  // recorded once the player has read it
    EXPECT_EQ(g.program.progress().ep1Passed, 1);
    EXPECT_EQ(g.program.progress().ep2Unlocked, "True");
    EXPECT_EQ(g.program.progress().ep1BestScore, 31);
    EXPECT_TRUE(s.closed());
    EXPECT_TRUE(g.program.menu().visible);
}

// A careful pilot: keeps the aircraft down on the ground line, below every bird and star, and
// lets the game do the approaches, landings and take-offs.
void flyLow(Form1& s) {
    if (s.onAirport != 0) return;
    if (s.tilt > 0)
        s.Form_KeyDown(kKeyDown);  // the climb-out lifted the nose: level off
    else if (s.tilt == 0 && s.edgeContact == 0 && s.edgeRelease == 0 && s.dravik.Top < s.Line1.Y1)
        s.Form_KeyDown(kKeyDown);  // clear of the line: sink back onto it
}

TEST(Episode1FullRun, NineLegsThroughTheRealTimersToTheVictoryAndTheProgressFile) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("skyrend-ep1-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path file = dir / "new.dat";
    fs::remove(file);
    {
        Game g(file.string());
        g.program.menu().Form_Activate();  // first activation: no file, a fresh start
        g.program.setNextSeed(7);
        g.program.menu().Command1_Click();
        auto* s = dynamic_cast<Form1*>(g.program.screen());
        ASSERT_NE(s, nullptr);

        int landings = 0, takeOffs = 0;
        double wasOnAirport = 0, lastLevel = 1, lastScore = 0;
        for (int step = 0; step < 60000 && !s->closed(); ++step) {
            flyLow(*s);
            g.program.scheduler().advance(ms(10));
            if (s->closed()) break;
            if (s->onAirport != wasOnAirport) (s->onAirport != 0 ? landings : takeOffs) += 1;
            wasOnAirport = s->onAirport;
            lastLevel = s->level;
            lastScore = s->score;
            ASSERT_EQ(s->damage, 0);
            ASSERT_GT(s->fuel, 0);
        }
        ASSERT_TRUE(s->closed());
        EXPECT_EQ(landings, 8);  // the ninth touchdown closes the screen at once
        EXPECT_EQ(takeOffs, 8);
        EXPECT_EQ(lastLevel, 9);
        EXPECT_EQ(lastScore, 24);  // three points per take-off
        ASSERT_EQ(g.fe.boxes.size(), 1u);
        EXPECT_EQ(g.fe.boxes[0].text, kWin);

        GameProgress& p = g.program.progress();
        EXPECT_EQ(p.ep1Passed, 1);
        EXPECT_EQ(p.ep2Unlocked, "True");
        EXPECT_EQ(p.ep1BestScore, 24);
        EXPECT_TRUE(g.program.menu().Command2Enabled);  // the menu offers episode 2 now
        g.program.menu().Form_Unload();
    }
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "True\r\n1\r\n0\r\n24\r\n0\r\n1\r\n");
    fs::remove_all(dir);
}

}  // namespace
}  // namespace sky
