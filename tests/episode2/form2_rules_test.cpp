// Episode 2's endings and the repair offer, seen from inside the message boxes: what the
// player is told, and what the game has already settled when the box appears.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "episode2/form2.h"
#include "game/screens.h"
#include "shell/frontend.h"
#include "shell/program.h"

namespace sky {
namespace {

// The screen as the player sees it while a box is open.
struct Box {
    std::string text, title;
    int style = 0;
    double speed = -1, landingMode = -1, fuelBurn = -1, climbRate = 0;
    std::string label5, label6, label8, aircraftPicture;
    int ep2Passed = -1;
};

class RecordingFrontEnd : public FrontEnd {
public:
    Program* program = nullptr;
    std::deque<int> answers;
    std::vector<Box> boxes;

    int messageBox(const std::string& text, const std::string& title, int style) override {
        Box b;
        b.text = text;
        b.title = title;
        b.style = style;
        if (auto* s = dynamic_cast<Form2*>(program->screen())) {
            b.speed = s->speed;
            b.landingMode = s->landingMode;
            b.fuelBurn = s->fuelBurn;
            b.climbRate = s->climbRate;
            b.label5 = s->Label5.Caption;
            b.label6 = s->Label6.Caption;
            b.label8 = s->Label8.Caption;
            b.aircraftPicture = s->dravik.Picture ? s->dravik.Picture->owner : "";
        }
        b.ep2Passed = program->progress().ep2Passed;
        boxes.push_back(b);
        int a = style == kQuestion ? kNo : kOk;
        if (!answers.empty()) {
            a = answers.front();
            answers.pop_front();
        }
        return a;
    }
    void music(const std::string&) override {}
    void showMenu() override {}
    void hideMenu() override {}
    std::uint64_t clockSeed() override { return 1; }
    void quit() override {}
};

// A fresh episode 2 screen with the F16, its missile and the stars well away from the aircraft.
struct Game {
    RecordingFrontEnd fe;
    Program program{fe, gameScreens(), "/nonexistent/new.dat"};
    Form2* s = nullptr;

    Game() {
        fe.program = &program;
        program.setNextSeed(11);
        s = &static_cast<Form2&>(program.openForm2());
        s->f16.move(1500, 100);
        s->raketa2.Visible = false;
        for (Sprite* b : {&s->bod1, &s->bod2, &s->bod3}) b->move(1000, 10);
        s->dravik.move(64, 341);
    }
    // Hovering over the lighthouse: the next collision tick is a rescue.
    void rescue() {
        s->speed = 0;
        s->majak.move(100, 374);
        s->kolizie_Timer();
    }
};

const char* kOffer20 =
    "Za skóre, ktoré si nahral si môžeš opraviť poškodenie Draviku, ale za opravu stratíš 20 bodov zo svojho skóre "
    "a dostaneš navyše 6 rakiet. Chceš opraviť Dravik?";
const char* kOffer40 =
    "Za skóre, ktoré si nahral si môžeš opraviť poškodenie Draviku, ale za opravu stratíš 40 bodov zo svojho skóre "
    "a dostaneš navyše 9 rakiet. Chceš opraviť Dravik?";

TEST(Episode2Repair, OfferAfterTheRescueBonusAndWhatEachAnswerBuys) {
    struct Row {
        double damage, scoreBefore;  // the score before the rescue's own 2 points
        int answer;
        const char* offer;  // nullptr: no box at all
        double damageAfter, scoreAfter, maxSpeedAfter, bombsAfter;
    };
    // maxSpeed starts at 10 and bombs at 80 in every row; the rescue itself gives 6 missiles.
    const Row rows[] = {
        {1, 98, kYes, kOffer20, 0, 80, 12, 92},  // one point of damage: 20, even with plenty of score
        {2, 37, kYes, kOffer20, 1, 19, 12, 92},  // 39 after the bonus: only one point
        {2, 38, kYes, kOffer40, 0, 0, 14, 95},   // exactly 40: both points, nothing left
        {2, 98, kYes, kOffer40, 0, 60, 14, 95},
        {2, 98, kNo, kOffer40, 2, 100, 10, 86},  // No keeps everything as the rescue left it
        {1, 18, kYes, kOffer20, 0, 0, 12, 92},   // exactly 20
        {1, 17, kYes, nullptr, 1, 19, 10, 86},   // 19: too poor
        {0, 98, kYes, nullptr, 0, 100, 10, 86},  // nothing to repair
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "damage " << r.damage << ", score " << r.scoreBefore);
        Game g;
        g.s->damage = r.damage;
        g.s->score = r.scoreBefore;
        g.s->maxSpeed = 10;
        g.fe.answers.push_back(r.answer);
        g.rescue();
        if (r.offer) {
            ASSERT_EQ(g.fe.boxes.size(), 1u);
            EXPECT_EQ(g.fe.boxes[0].text, r.offer);
            EXPECT_EQ(g.fe.boxes[0].title, "Oprava");
            EXPECT_EQ(g.fe.boxes[0].style, kQuestion);
        } else {
            EXPECT_TRUE(g.fe.boxes.empty());
        }
        EXPECT_EQ(g.s->damage, r.damageAfter);
        EXPECT_EQ(g.s->score, r.scoreAfter);
        EXPECT_EQ(g.s->maxSpeed, r.maxSpeedAfter);
        EXPECT_EQ(g.s->bombs, r.bombsAfter);
        EXPECT_EQ(g.s->level, 1);
        EXPECT_FALSE(g.s->closed());
    }
}

TEST(Episode2Endings, TheRunIsFrozenBeforeTheLossBoxAndTheScreenClosesOnce) {
    struct Row {
        const char* what;
        std::function<void(Form2&)> arrange;
        const char* message;
        double climbRateAtBox;
    };
    const Row rows[] = {
        {"third missile in the air",
         [](Form2& s) {
             s.damage = 2;
             s.dravik.move(64, 343);
             s.raketa2.move(80, 340);
             s.raketa2.Visible = true;
         },
         "Bol si 3 krát zasiahnutý raketou. Prehral si.", -4},
        {"third missile on the ground: it keeps its climb rate",
         [](Form2& s) {
             s.damage = 2;
             s.dravik.move(64, 344);
             s.raketa2.move(80, 340);
             s.raketa2.Visible = true;
         },
         "Bol si 3 krát zasiahnutý raketou. Prehral si.", 2},
        {"crash into the F16 with no damage yet",
         [](Form2& s) {
             s.dravik.move(64, 200);
             s.f16.move(148, 210);
         },
         "Havaroval si, teda zrazil si sa s nepriateľskou F16. Prehral si.", -4},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        Game g;
        g.s->speed = 9;
        g.s->climbRate = 2;
        r.arrange(*g.s);
        g.s->kolizie_Timer();
        ASSERT_EQ(g.fe.boxes.size(), 1u);
        const Box& b = g.fe.boxes[0];
        EXPECT_EQ(b.text, r.message);
        EXPECT_EQ(b.title, "Prehra");
        EXPECT_EQ(b.style, kInformation);
        EXPECT_EQ(b.speed, 0);
        EXPECT_EQ(b.landingMode, 1);
        EXPECT_EQ(b.fuelBurn, 0);
        EXPECT_EQ(b.climbRate, r.climbRateAtBox);
        EXPECT_EQ(b.label8, "3");
        EXPECT_EQ(b.aircraftPicture, "hd2");
        EXPECT_TRUE(g.s->closed());
        EXPECT_EQ(g.program.screen(), nullptr);
    }
}

TEST(Episode2Endings, TenthRescueCountsInFullThenWinsWithoutAnOffer) {
    Game g;
    g.program.progress().ep2BestScore = 50;
    g.s->level = 9;
    g.s->damage = 1;  // would be offered a repair on any other rescue
    g.s->score = 98;
    g.s->speed = 0;
    g.rescue();
    ASSERT_EQ(g.fe.boxes.size(), 1u);
    const Box& b = g.fe.boxes[0];
    EXPECT_EQ(b.title, "Výhra");
    EXPECT_EQ(b.style, kInformation);
    EXPECT_EQ(b.text,
              "Zachránil si všetkých ľudí a teda vyhral si, gratulujem prešiel si aj druhú epizódu hry, to znamená, že "
              "si prešiel kompletne celú hru!");
    EXPECT_EQ(b.label5, "10/10");
    EXPECT_EQ(b.label6, "100");
    EXPECT_EQ(b.landingMode, 1);
    EXPECT_EQ(b.fuelBurn, 0);
    EXPECT_EQ(b.ep2Passed, 0);  // completed only once the player has read it
    EXPECT_EQ(g.s->bombs, 86);
    EXPECT_EQ(g.s->lighthouseDistance, 4500);
    EXPECT_TRUE(g.s->closed());
    EXPECT_EQ(g.program.progress().ep2Passed, 1);
    EXPECT_EQ(g.program.progress().ep2BestScore, 100);
}

}  // namespace
}  // namespace sky
