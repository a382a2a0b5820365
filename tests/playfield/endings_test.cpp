// The endings of both episodes seen from inside their boxes: the run is frozen before the player
// is told, an aircraft in the air sinks while the box is open, one box, then the screen closes.
// Victories are recorded only once read; episode 2's repair offer after a rescue.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "episode1/form1.h"
#include "episode2/form2.h"
#include "game/input.h"
#include "support/testfrontend.h"

namespace sky {
namespace {

// Stars, birds and the F16 out of the way, the enemy missile put away.
void clearSky(GameScreen& g) {
    for (const char* n : {"bod1", "bod2", "bod3", "bod4", "bod5", "v1", "v2", "f16"})
        if (Sprite* s = g.findSprite(n)) s->move(2000, 10);
    if (Sprite* m = g.findSprite("raketa2")) m->Visible = false;
}

struct Seen {
    double speed = -1, landingMode = -1, fuelBurn = -1, climbRate = 0, top = 0, topLater = 0, progressPassed = -1;
    std::string picture;
};

// Opens a screen, lets `arrange` set it up, fires `timer` and looks at the screen while the box
// stays open for a second.
Seen playEnding(test::TestGame& t, int ep, const std::function<void(GameScreen&)>& arrange, const char* timer) {
    t.program.menu().Form_Activate();  // the program starts at the menu, which reads the progress
    GameScreen& g = t.open(ep, 21);
    clearSky(g);
    arrange(g);
    Seen seen;
    t.fe.onBox = [&](const test::Box&) {
        seen = {g.speed,
                g.landingMode,
                g.fuelBurn,
                g.climbRate,
                g.dravik.Top,
                0,
                double(ep == 1 ? t.program.progress().ep1Passed : t.program.progress().ep2Passed),
                g.dravik.Picture ? g.dravik.Picture->owner : ""};
        t.program.scheduler().advance(ms(1000));
        seen.topLater = g.dravik.Top;
        return kOk;
    };
    g.findTimer(timer)->fire();
    EXPECT_TRUE(g.closed());
    EXPECT_EQ(t.program.screen(), nullptr);
    t.program.scheduler().advance(ms(1000));
    EXPECT_EQ(t.fe.boxes.size(), 1u);
    return seen;
}

void onGround(GameScreen& g, double top) {
    g.dravik.move(64, top);
    g.dravik.setPicture(g.hn.Picture);
    g.tilt = g.climbRate = 0;
    g.edgeContact = 1;
}

TEST(Endings, TheRunIsFrozenBeforeTheBoxAndTheScreenClosesOnce) {
    struct Row {
        const char* what;
        int ep;
        const char* timer;
        std::function<void(GameScreen&)> arrange;
        const char* title;
        double climbRate;
        const char* picture;
    } rows[] = {
        {"third bird in the air", 1, "kolizie",
         [](GameScreen& g) { g.damage = 2, g.dravik.move(100, 300), g.findSprite("v1")->move(184, 290); }, "Prehra", -4,
         "hd2"},
        {"third bird at the resting height", 1, "kolizie",
         [](GameScreen& g) { g.damage = 2, g.dravik.move(100, 344), g.findSprite("v1")->move(184, 334); }, "Prehra", 2,
         "hd2"},
        {"third missile in the air", 2, "kolizie",
         [](GameScreen& g) {
             g.damage = 2, g.dravik.move(64, 343);
             Sprite& m = *g.findSprite("raketa2");
             m.move(80, 340), m.Visible = true;
         },
         "Prehra", -4, "hd2"},
        {"third missile on the ground", 2, "kolizie",
         [](GameScreen& g) {
             g.damage = 2, g.dravik.move(64, 344);
             Sprite& m = *g.findSprite("raketa2");
             m.move(80, 340), m.Visible = true;
         },
         "Prehra", 2, "hd2"},
        {"crash into the F16", 2, "kolizie",
         [](GameScreen& g) { g.dravik.move(64, 200), g.findSprite("f16")->move(148, 210); }, "Prehra", -4, "hd2"},
        {"fuel out in the air", 1, "Timer5", [](GameScreen& g) { g.fuel = 1, g.dravik.move(64, 200); },
         "Nedostatok paliva", -4, "hd2"},
        {"fuel out on the ground, episode 1", 1, "Timer5", [](GameScreen& g) { g.fuel = 1, onGround(g, 352); },
         "Nedostatok paliva", 0, "hd2"},
        {"fuel out on the ground, episode 2", 2, "Timer5",
         [](GameScreen& g) { g.fuel = 1, g.speed = 9, onGround(g, 352); }, "Nedostatok paliva", 0, "hn"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        test::TestGame t;
        const Seen s = playEnding(
            t, r.ep,
            [&](GameScreen& g) {
                g.speed = 9, g.climbRate = 2, g.fuelBurn = 1;
                r.arrange(g);
            },
            r.timer);
        ASSERT_EQ(t.fe.boxes.size(), 1u);
        EXPECT_EQ(t.fe.boxes[0].title, r.title);
        EXPECT_EQ(t.fe.boxes[0].style, kInformation);
        EXPECT_EQ(s.speed, 0);
        EXPECT_EQ(s.landingMode, 1);
        EXPECT_EQ(s.fuelBurn, 0);
        EXPECT_EQ(s.climbRate, r.climbRate);
        EXPECT_EQ(s.picture, r.picture);
        if (r.climbRate < 0) {
            EXPECT_GT(s.topLater, s.top) << "the other timers run on: it sinks while the box is open";
        }
    }
}

TEST(Endings, ALostRunThatSinksOntoTheLastAirportDoesNotWin) {
    test::TestGame t;
    auto& s = static_cast<Form1&>(t.open(1, 21));
    clearSky(s);
    s.level = 9, s.landingMode = 1, s.speed = 0, s.tilt = -1, s.climbRate = -2, s.damage = 2;
    s.letisko.move(54, 348);
    s.dravik.move(64, 330);
    s.Timer2->setEnabled(true);
    s.v1.move(148, 340);
    t.fe.hold = ms(3000);  // long enough to sink onto the airport
    s.findTimer("kolizie")->fire();
    ASSERT_EQ(t.fe.boxes.size(), 1u);
    EXPECT_EQ(t.fe.boxes[0].title, "Prehra");
    EXPECT_EQ(t.program.progress().ep1Passed, 0);
}

// The fuel-out and the third hit freeze the run at speed 0 behind their box while the collision
// tick runs on: over a lighthouse that neither wins nor offers a repair.
TEST(Endings, ALostRunRescuesNobody) {
    for (auto [fuel, damage, level] :
         {std::tuple{0.0, 1.0, 9.0}, {-3.5, 1.0, 4.0}, {900.0, 3.0, 9.0}, {900.0, 3.0, 4.0}}) {
        SCOPED_TRACE(testing::Message() << "fuel " << fuel << ", damage " << damage << ", level " << level);
        test::TestGame t;
        auto& s = static_cast<Form2&>(t.open(2, 11));
        clearSky(s);
        s.fuel = fuel, s.damage = damage, s.level = level, s.score = 98, s.speed = 0;
        s.dravik.move(64, 341);
        s.majak.move(100, 374);
        s.kolizie_Timer();
        EXPECT_TRUE(t.fe.boxes.empty());
        EXPECT_EQ(s.level, level);
        EXPECT_EQ(s.lighthouseDistance, 4000);
        EXPECT_EQ(t.program.progress().ep2Passed, 0);
    }
}

TEST(Endings, TheLastLandingAndTheTenthRescueWinOnceAndAreRecordedOnceRead) {
    struct Row {
        int ep;
        const char* timer;
        std::function<void(GameScreen&)> arrange;
        const char* text;
    } rows[] = {
        {1, "Timer2",
         [](GameScreen& g) {
             g.letisko.move(54, 348), g.dravik.move(64, 352);
             static_cast<Form1&>(g).Timer2->setEnabled(true);
         },
         "Gratulujem ti, prešiel si prvú epizódu! A teraz hurá do druhej..."},
        {2, "kolizie",
         [](GameScreen& g) { g.speed = 0, g.findSprite("majak")->move(100, 374), g.dravik.move(64, 341); },
         "Zachránil si všetkých ľudí a teda vyhral si, gratulujem prešiel si aj druhú epizódu hry, to znamená, že si "
         "prešiel kompletne celú hru!"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.ep);
        test::TestGame t;
        const Seen s = playEnding(
            t, r.ep,
            [&](GameScreen& g) {
                g.level = 9, g.damage = 1, g.score = 98;  // would be offered a repair anywhere else
                r.arrange(g);
            },
            r.timer);
        ASSERT_EQ(t.fe.boxes.size(), 1u);
        EXPECT_EQ(t.fe.boxes[0].text, r.text);
        EXPECT_EQ(t.fe.boxes[0].title, "Výhra");
        EXPECT_EQ(s.progressPassed, 0);
        const GameProgress& p = t.program.progress();
        EXPECT_EQ(r.ep == 1 ? p.ep1Passed : p.ep2Passed, 1);
        EXPECT_EQ(p.ep2Unlocked, r.ep == 1 ? "True" : "False");
        EXPECT_EQ(r.ep == 1 ? p.ep1BestScore : p.ep2BestScore, r.ep == 1 ? 98 : 100);
    }
}

// The desktop ending the game (a signal, the session's end) while a run is under way, its box
// open or not: the run ends as its own ending would, and what it won or scored is saved.
TEST(Endings, AnEndRequestDuringARunOrItsBoxSavesWhatTheRunEndedWith) {
    struct Row {
        const char* what;
        int ep;
        const char* timer;  // nullptr: in mid-run, no box open
        std::function<void(GameScreen&)> arrange;
        GameProgress saved;
    } rows[] = {
        {"episode 1 won",
         1,
         "Timer2",
         [](GameScreen& g) {
             g.level = 9, g.letisko.move(54, 348), g.dravik.move(64, 352);
             g.findTimer("Timer2")->setEnabled(true);
         },
         {"True", 1, 0, 42, 0, 0}},
        {"episode 2 won",
         2,
         "kolizie",
         [](GameScreen& g) { g.level = 9, g.speed = 0, g.findSprite("majak")->move(100, 374), g.dravik.move(64, 341); },
         {"False", 0, 1, 5, 44, 0}},
        {"fuel out", 1, "Timer5", [](GameScreen& g) { g.fuel = 1, g.dravik.move(64, 200); }, {"False", 0, 0, 42, 0, 0}},
        {"the third bird",
         1,
         "kolizie",
         [](GameScreen& g) { g.damage = 2, g.dravik.move(100, 300), g.findSprite("v1")->move(184, 290); },
         {"False", 0, 0, 42, 0, 0}},
        {"mid-run", 2, nullptr, [](GameScreen&) {}, {"False", 0, 0, 5, 42, 0}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        test::TestFrontEnd fe;
        Program program(fe, gameScreens(), std::make_unique<ProgressInMemory>(GameProgress{"False", 0, 0, 5, 0, 0}));
        fe.program = &program;
        program.menu().Form_Activate();
        program.setNextSeed(21);
        GameScreen& g = program.openScreen(r.ep);
        clearSky(g);
        g.score = 42;
        r.arrange(g);
        InputEvent end;
        end.kind = InputEvent::MenuClose;
        fe.onBox = [&](const test::Box&) {
            apply(program, end);
            return kOk;
        };
        if (r.timer)
            g.findTimer(r.timer)->fire();
        else
            apply(program, end);
        EXPECT_EQ(fe.boxes.size(), r.timer ? 1u : 0u);
        EXPECT_TRUE(g.closed());
        EXPECT_TRUE(program.ended());
        EXPECT_EQ(progressText(static_cast<ProgressInMemory&>(program.progressStore()).held()), progressText(r.saved));
    }
}

TEST(Episode2Repair, OfferAfterTheRescueBonusAndWhatEachAnswerBuys) {
    const char* offer20 =
        "Za skóre, ktoré si nahral si môžeš opraviť poškodenie Draviku, ale za opravu stratíš 20 bodov "
        "zo svojho skóre a dostaneš navyše 6 rakiet. Chceš opraviť Dravik?";
    const char* offer40 =
        "Za skóre, ktoré si nahral si môžeš opraviť poškodenie Draviku, ale za opravu stratíš 40 bodov "
        "zo svojho skóre a dostaneš navyše 9 rakiet. Chceš opraviť Dravik?";
    struct Row {
        double damage, scoreBefore;  // the score before the rescue's own 2 points
        int answer;
        const char* offer;  // nullptr: no box
        double damageAfter, scoreAfter, maxSpeedAfter, bombsAfter;
    } rows[] = {
        {1, 98, kYes, offer20, 0, 80, 12, 92},  {2, 37, kYes, offer20, 1, 19, 12, 92},
        {2, 38, kYes, offer40, 0, 0, 14, 95},   {2, 98, kNo, offer40, 2, 100, 10, 86},
        {1, 18, kYes, offer20, 0, 0, 12, 92},   {1, 17, kYes, nullptr, 1, 19, 10, 86},
        {0, 98, kYes, nullptr, 0, 100, 10, 86},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "damage " << r.damage << ", score " << r.scoreBefore);
        test::TestGame t;
        auto& s = static_cast<Form2&>(t.open(2, 11));
        clearSky(s);
        s.damage = r.damage, s.score = r.scoreBefore, s.maxSpeed = 10, s.speed = 0;
        s.dravik.move(64, 341);
        s.majak.move(100, 374);
        t.fe.answers.push_back(r.answer);
        s.kolizie_Timer();
        ASSERT_EQ(t.fe.boxes.size(), r.offer ? 1u : 0u);
        if (r.offer) {
            EXPECT_EQ(t.fe.boxes[0].text, r.offer);
            EXPECT_EQ(t.fe.boxes[0].title, "Oprava");
            EXPECT_EQ(t.fe.boxes[0].style, kQuestion);
        }
        EXPECT_EQ(s.damage, r.damageAfter);
        EXPECT_EQ(s.score, r.scoreAfter);
        EXPECT_EQ(s.maxSpeed, r.maxSpeedAfter);
        EXPECT_EQ(s.bombs, r.bombsAfter);
        EXPECT_FALSE(s.closed());
    }
}

}  // namespace
}  // namespace sky
